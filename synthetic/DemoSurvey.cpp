#include "DemoSurvey.h"

namespace DemoSurvey {

namespace {

StationPlan station(int number, const LayeredEarth &earth, bool tensor, bool lowBandLowRate)
{
    StationPlan request;
    request.line = 1;
    request.station = number;
    request.model = StationModel(earth);
    RecordingPlan high;
    high.sampleRate = 24000;
    high.seconds = 30;
    high.seed = 20240500 + 10 * number;
    high.tensor = tensor;
    RecordingPlan low = high;
    low.sampleRate = 2400;
    low.seconds = 240;
    low.seed = high.seed + 1;
    low.lowBand = lowBandLowRate;
    request.recordings = {high, low};
    return request;
}

} // namespace

LayeredEarth threeLayerEarth()
{
    return LayeredEarth({{100.0, 200.0}, {10.0, 300.0}}, 1000.0);
}

SurveyPlan survey()
{
    SurveyPlan survey;
    survey.stations = {
        station(1, threeLayerEarth(), false, false),
        station(2, LayeredEarth({{30.0, 400.0}}, 300.0), false, true),
        station(3, LayeredEarth({{300.0, 150.0}, {30.0, 600.0}}, 1000.0), true, false),
        station(4, LayeredEarth({{50.0, 300.0}}, 500.0), false, false),
        station(5, LayeredEarth({{200.0, 100.0}, {20.0, 500.0}}, 2000.0), false, false),
        station(6, LayeredEarth({{1000.0, 250.0}}, 100.0), false, false),
        station(7, LayeredEarth({{20.0, 150.0}, {200.0, 400.0}}, 50.0), false, false),
    };
    return survey;
}

} // namespace DemoSurvey
