#pragma once
// Three-point smoothing of the value vectors of a displayed impedance curve.

#include <QObject>
#include <QVector>

class Data_FitCalc : public QObject {
    Q_OBJECT
public:
    explicit Data_FitCalc(QObject *parent = nullptr);

    // Replaces each vector by its smoothed version: interior values become the mean of three
    // neighbours, the end values (5 y0 + 2 y1 - y2) / 6 and its mirror, so straight lines are kept.
    // A vector of fewer than three values is left unchanged.
    void smoothCurve(QVector<double> &first, QVector<double> &second) const;

    static QVector<double> smoothed(const QVector<double> &y);
};
