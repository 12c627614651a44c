#include "DemoSurvey.h"

namespace DemoSurvey {

LayeredEarth threeLayerEarth()
{
    return LayeredEarth({{100.0, 200.0}, {10.0, 300.0}}, 1000.0);
}

SurveySpec spec()
{
    StationSpec station;
    station.model = StationModel(threeLayerEarth());
    RecordingSpec high;
    high.sampleRate = 24000;
    high.seconds = 60;
    high.seed = 20240501;
    RecordingSpec low = high;
    low.sampleRate = 1024;
    low.seed = 20240502;
    station.recordings = {high, low};
    SurveySpec survey;
    survey.stations = {station};
    return survey;
}

} // namespace DemoSurvey
