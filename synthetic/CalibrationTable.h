#pragma once
// A calibration table as the recorder's files hold it: rows of frequency (Hz), amplitude and phase
// (degrees), sampled log-spaced from an instrument response. Values are kept exactly as they are
// written (rounded to the printed digits), so the generator applies the very table the processing
// later reads and removes.

#include <QString>
#include <QVector>
#include <complex>
#include <vector>

#include "InstrumentResponse.h"

class CalibrationTable {
public:
    struct Row {
        double freq = 0.0;
        double amplitude = 0.0;
        double phaseDegrees = 0.0;
    };

    static constexpr int significantDigits = 12;

    // The response sampled at 10^(k / perDecade) Hz for every k with fmin <= f <= fmax.
    static CalibrationTable fromResponse(const InstrumentResponse &response, double fmin = 1.0e-4,
                                         double fmax = 1.0e6, int perDecade = 20);

    const QVector<Row> &rows() const { return table; }

    // Writes "#" comment lines from header (one per line) and one row per line. False, with a
    // warning naming the file, when it cannot be written.
    bool write(const QString &path, const QString &header) const;

    // Complex response amplitude * e^{i phase} at the lines k * fs / n, k = 0 .. lineCount - 1,
    // amplitude and phase each interpolated linearly in frequency; outside the table the end
    // rows hold.
    std::vector<std::complex<double>> responseOnLines(double fs, int n, int lineCount) const;

private:
    QVector<Row> table;
};
