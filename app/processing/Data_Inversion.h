#pragma once
// Depth section of a survey line by the Bostick transform: each curve point (f, rho, phase)
// becomes a depth sqrt(rho / f) * -356 * depthScale (metres, negative downwards) and a
// Niblett-Bostick resistivity (90 / phase - 1) * rho. Each station's column is hung from its
// surface elevation (from the line topography; its shallowest point sits at the surface) and
// resampled every 10 m from the section bottom to above the highest surface.

#include <QList>
#include <QObject>
#include <QVector>

#include "ProcessingRecords.h"
#include "SpectralRecords.h"

class Data_Inversion : public QObject {
    Q_OBJECT
public:
    struct SectionSettings {
        double depthScale = 1.0;    // factor on the Bostick depth
        double sectionBottom = 0.0; // lowest grid elevation, m
        QVector<TopoData> topography;
    };

    explicit Data_Inversion(QObject *parent = nullptr);

    // One column per station, in station order (curves and positions matched by index). Curve
    // points with a non-finite depth or resistivity are left out. A station without usable
    // points gets a column without levels; a station with one distinct elevation is filled from
    // that point.
    QList<DataType_ResultData> depthSection(const QList<QVector<OneFreqImpedance>> &curves,
                                            const QVector<double> &positions,
                                            const SectionSettings &settings) const;

    // Elevation at position x, linear between topography points; outside their range (or with
    // fewer than two distinct positions) the mean elevation; 0 without topography.
    double stationElevation(const QVector<TopoData> &topography, double x) const;
    // Linear in elevation inside the column's range, inverse-distance weighted outside it.
    double interpolateColumn(const QVector<double> &elevations, const QVector<double> &values,
                             double g) const;
    // Inverse-square-distance weighted mean in single precision; a point within 0.1 m gives its
    // own value. NaN without points.
    double inverseDistanceValue(const QVector<double> &elevations, const QVector<double> &values,
                                double g) const;

    // One station's transformed curve before resampling: the Niblett-Bostick resistivities at
    // the elevations their Bostick depths reach below the surface (the shallowest at the surface
    // itself), a repeated elevation kept once.
    struct Column {
        QVector<double> elevations;  // increasing
        QVector<double> values;
    };
    Column stationColumn(const QVector<OneFreqImpedance> &curve, double surface,
                         double depthScale) const;

private:
    DataType_ResultData resampledColumn(const Column &column, double position, double bottom,
                                        double top) const;
};
