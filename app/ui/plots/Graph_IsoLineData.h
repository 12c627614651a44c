#pragma once
// The raster of a resistivity section: the stations' vertical profiles interpolated across the
// line. Between two neighbouring profiles a point is weighted linearly by horizontal distance;
// where only one of the two profiles reaches the point's depth, the other profile's end is joined
// to it by a straight edge line, and points beyond that line carry no data. Points without data
// read as the background, the smallest value of the section; every point with data reads at least
// background + 1, so that the colour map tells the two apart.

#include <QList>
#include <QObject>
#include <QVector>
#include <memory>
#include <vector>

#include <qwt_raster_data.h>

#include "GslSpline.h"
#include "ProcessingRecords.h"

class Graph_IsoLineData : public QObject, public QwtRasterData {
    Q_OBJECT
public:
    explicit Graph_IsoLineData(QObject *parent = nullptr);
    ~Graph_IsoLineData() override;

    // Keeps the profiles in the order and sample order received and sets the intervals: x over
    // the positions, y over every depth, z over every value. Non-finite samples are left out of
    // the splines and intervals.
    void setData(const QList<DataType_ResultData> &data, const QVector<TopoData> &topography);

    // Resistivity at position x and depth y (the depths' own sign and units).
    double value(double x, double y) const override;
    // The smallest value of the section, returned where there is no data.
    double background() const;

    const QList<DataType_ResultData> &profiles() const { return stations; }
    const QVector<TopoData> &topography() const { return surface; }
    // Elevation of the surface at x: the natural cubic spline through the topography points
    // (straight between two, end values held outside); NaN without points.
    double elevationAt(double x) const;

private:
    // A station's value against depth over its own depth range.
    struct Profile {
        double shallowest = 0.0;
        double deepest = 0.0;
        double onlyValue = 0.0;               // the value of a profile with a single sample
        std::unique_ptr<GslSpline> spline;    // null for fewer than two distinct depths
        bool isEmpty = true;
        bool contains(double y) const { return !isEmpty && y >= deepest && y <= shallowest; }
        double at(double y) const { return spline ? spline->at(y) : onlyValue; }
    };
    // One end of a profile: its first or last sample as received.
    struct EdgePoint {
        double position;
        double depth;
        double value;
    };

    static Profile buildProfile(const QVector<double> &depths, const QVector<double> &values);
    static std::unique_ptr<GslSpline> naturalSpline(const QVector<double> &x,
                                                    const QVector<double> &y);
    void setIntervals();
    int bracketingPair(double x) const;
    double acrossEdge(int inside, int outside, double x, double y) const;
    bool edgePoints(int inside, int outside, double y, EdgePoint &in, EdgePoint &out) const;
    double withData(double v) const;

    QList<DataType_ResultData> stations;
    std::vector<Profile> splines;
    QVector<TopoData> surface;
    std::unique_ptr<GslSpline> surfaceSpline;
    double surfaceOnlyElevation = qQNaN();
};
