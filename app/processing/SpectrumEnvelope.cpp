#include "SpectrumEnvelope.h"

#include <algorithm>
#include <cmath>

namespace {

bool drawable(double value)
{
    return value > 0.0 && std::isfinite(value);
}

// The extremes of one column's lines and the frequencies they span.
struct Column {
    double low = HUGE_VAL;
    double high = -HUGE_VAL;
    double firstFreq = 0.0;
    double lastFreq = 0.0;

    bool isEmpty() const { return high < low; }
    void add(double f, double lowValue, double highValue)
    {
        if (isEmpty())
            firstFreq = f;
        lastFreq = f;
        low = std::min(low, lowValue);
        high = std::max(high, highValue);
    }
    void appendTo(QVector<QPointF> &points) const
    {
        const double centre = std::sqrt(firstFreq * lastFreq);
        points.append(QPointF(centre, low));
        if (high != low)
            points.append(QPointF(centre, high));
    }
};

} // namespace

SpectrumEnvelope::SpectrumEnvelope(const QVector<double> &frequencies,
                                   const QList<QVector<double>> &spectra)
    : freq(frequencies), low(frequencies.size(), NAN), high(frequencies.size(), NAN)
{
    for (const QVector<double> &spectrum : spectra) {
        const int lines = std::min(spectrum.size(), freq.size());
        for (int i = 0; i < lines; ++i) {
            const double value = spectrum[i];
            if (!drawable(value))
                continue;
            low[i] = std::isnan(low[i]) ? value : std::min(low[i], value);
            high[i] = std::isnan(high[i]) ? value : std::max(high[i], value);
        }
    }
}

QVector<QPointF> SpectrumEnvelope::polyline(double fLow, double fHigh, int columnCount) const
{
    QVector<QPointF> points;
    if (!(fLow > 0.0) || !(fHigh > fLow) || columnCount <= 0)
        return points;
    const double logLow = std::log10(fLow);
    const double columnWidth = (std::log10(fHigh) - logLow) / columnCount;
    const auto begin = std::lower_bound(freq.cbegin(), freq.cend(), fLow);
    Column column;
    int columnIndex = -1;
    for (auto it = begin; it != freq.cend() && *it <= fHigh; ++it) {
        const int i = int(it - freq.cbegin());
        if (!drawable(low[i]))
            continue;
        const int c = std::min(columnCount - 1, int((std::log10(*it) - logLow) / columnWidth));
        if (c != columnIndex && !column.isEmpty()) {
            column.appendTo(points);
            column = Column();
        }
        columnIndex = c;
        column.add(*it, low[i], high[i]);
    }
    if (!column.isEmpty())
        column.appendTo(points);
    return points;
}
