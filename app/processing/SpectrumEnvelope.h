#pragma once
// Spectra decimated for a logarithmic frequency axis: the lines (increasing frequencies, such as
// the FFT lines k fs / n) carry the lowest and highest amplitude over a set of spectra (one
// spectrum gives a single value per line), and a frequency range is cut into columns of equal
// width in log10 f; each column gives the smallest and largest value of its lines. A peak of one
// line therefore stays visible, while a plot never receives more than two points per column.
// Only positive values are drawable on a log axis; zero, negative and non-finite ones are left
// out.

#include <QList>
#include <QPointF>
#include <QVector>

class SpectrumEnvelope {
public:
    SpectrumEnvelope() = default;
    // spectra: amplitude vectors matched by position with frequencies (shorter ones cover the
    // first lines only).
    SpectrumEnvelope(const QVector<double> &frequencies, const QList<QVector<double>> &spectra);

    bool isEmpty() const { return freq.isEmpty(); }
    const QVector<double> &frequencies() const { return freq; }
    // Per line, the lowest and highest value over the spectra (NaN where no spectrum has one).
    const QVector<double> &lower() const { return low; }
    const QVector<double> &upper() const { return high; }

    // Points (frequency, value) of the lines with fLow <= f <= fHigh on columnCount columns, each
    // column at the geometric centre of its lines' frequencies (a lone line's own frequency):
    // (centre, smallest) then (centre, largest), or one point when both are equal.
    QVector<QPointF> polyline(double fLow, double fHigh, int columnCount) const;

private:
    QVector<double> freq;
    QVector<double> low;
    QVector<double> high;
};
