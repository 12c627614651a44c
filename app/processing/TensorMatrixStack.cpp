#include "TensorMatrixStack.h"

#include <algorithm>
#include <cmath>
#include <gsl/gsl_complex_math.h>

namespace {

// a conj(b) and a + b with GSL's own formulas, written inline: these two run for every element
// of every line of every segment, and GSL's out-of-line calls dominated the run time.
inline gsl_complex timesConjugate(gsl_complex a, gsl_complex b)
{
    const double ar = GSL_REAL(a), ai = GSL_IMAG(a), br = GSL_REAL(b), bi = -GSL_IMAG(b);
    return gsl_complex{{ar * br - ai * bi, ar * bi + ai * br}};
}

inline void addInto(gsl_complex &sum, gsl_complex z)
{
    sum.dat[0] += z.dat[0];
    sum.dat[1] += z.dat[1];
}

} // namespace

TensorMatrixStack::TensorMatrixStack(int channels)
    : channels(channels), triangle(channels * (channels + 1) / 2)
{
}

int TensorMatrixStack::triangleIndex(int line, int i, int j) const
{
    // Row i of the upper triangle starts after rows 0 .. i-1, of m, m-1, ... elements.
    return line * triangle + i * channels - i * (i - 1) / 2 + (j - i);
}

void TensorMatrixStack::add(const QList<QList<OneFreqSpectrum>> &spectra)
{
    if (spectra.size() != channels || channels == 0)
        return;
    const bool first = added == 0;
    if (first) {
        int lines = spectra[0].size();
        for (const QList<OneFreqSpectrum> &spectrum : spectra)
            lines = std::min(lines, spectrum.size());
        frequencies.resize(lines);
        for (int k = 0; k < lines; ++k)
            frequencies[k] = spectra[0][k].freq;
        sum = QVector<gsl_complex>(lines * triangle, gsl_complex_rect(0.0, 0.0));
    }
    ++added;
    QVector<gsl_complex> c(channels);
    const int lines = frequencies.size();
    for (int k = 0; k < lines; ++k) {
        for (int i = 0; i < channels; ++i) {
            if (k >= spectra[i].size())
                return;
            const OneFreqSpectrum &line = spectra[i][k];
            c[i] = gsl_complex{{line.amplitude * std::cos(line.phase), line.amplitude * std::sin(line.phase)}};
        }
        gsl_complex *element = sum.data() + triangleIndex(k, 0, 0);
        for (int i = 0; i < channels; ++i)
            for (int j = i; j < channels; ++j, ++element) {
                const gsl_complex product = timesConjugate(c[i], c[j]);
                if (first)
                    *element = product;
                else
                    addInto(*element, product);
            }
    }
}

QVector<TensorCrossPower> TensorMatrixStack::mean() const
{
    QVector<TensorCrossPower> records(frequencies.size());
    for (int k = 0; k < records.size(); ++k) {
        TensorCrossPower &record = records[k];
        record.freq = frequencies[k];
        record.matrix = QVector<QVector<gsl_complex>>(channels, QVector<gsl_complex>(channels));
        for (int i = 0; i < channels; ++i)
            for (int j = i; j < channels; ++j) {
                const gsl_complex value = gsl_complex_div_real(sum[triangleIndex(k, i, j)], added);
                record.matrix[i][j] = value;
                if (j != i)
                    record.matrix[j][i] = gsl_complex_conjugate(value);
            }
    }
    return records;
}
