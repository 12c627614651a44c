#pragma once
// What the section plot draws of a Graph_IsoLineData: the same raster, except straight below a
// station. There the raster reads as background (no pair of stations strictly brackets the
// point), which would draw a one-pixel line of "no data" down every station whose position falls
// on a pixel; the drawing takes the value just beside the station instead (the mean of both
// sides inside the line), so colours run through the stations.

#include <QList>
#include <memory>

#include <qwt_raster_data.h>

class Graph_IsoLineData;

class SectionDisplayData : public QwtRasterData {
public:
    // Takes ownership of raster, which must be loaded already.
    explicit SectionDisplayData(Graph_IsoLineData *raster);
    ~SectionDisplayData() override;

    const Graph_IsoLineData *raster() const { return section.get(); }
    double value(double x, double y) const override;

private:
    std::unique_ptr<Graph_IsoLineData> section;
    QList<double> stationPositions;
    double step;  // distance beside a station at which the drawing reads the raster
};
