#include "TensorMatrixStack.h"

#include <algorithm>
#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "SpectralMath.h"

namespace {

// a + b with GSL's own formula, written inline as SpectralMath::timesConjugate is.
inline void addInto(gsl_complex &sum, gsl_complex z)
{
    sum.dat[0] += z.dat[0];
    sum.dat[1] += z.dat[1];
}

// One element of a segment's matrix over count contiguous lines: sum = a conj(b) on the first
// segment, sum += a conj(b) after it, by timesConjugate's and addInto's formulas. The loop vectorises; the
// 256-bit version is chosen when the program loads and gives the same numbers.
__attribute__((target_clones("avx2", "default")))
void addElement(gsl_complex *sum, const std::complex<double> *a, const std::complex<double> *b,
                int count, bool first)
{
    double *s = reinterpret_cast<double *>(sum);
    const double *x = reinterpret_cast<const double *>(a);
    const double *y = reinterpret_cast<const double *>(b);
    if (first) {
        for (int k = 0; k < count; ++k) {
            s[2 * k] = x[2 * k] * y[2 * k] - x[2 * k + 1] * -y[2 * k + 1];
            s[2 * k + 1] = x[2 * k] * -y[2 * k + 1] + x[2 * k + 1] * y[2 * k];
        }
    } else {
        for (int k = 0; k < count; ++k) {
            s[2 * k] += x[2 * k] * y[2 * k] - x[2 * k + 1] * -y[2 * k + 1];
            s[2 * k + 1] += x[2 * k] * -y[2 * k + 1] + x[2 * k + 1] * y[2 * k];
        }
    }
}

} // namespace

TensorMatrixStack::TensorMatrixStack(int channels)
    : channels(channels), triangle(channels * (channels + 1) / 2)
{
}

int TensorMatrixStack::triangleIndex(int line, int i, int j) const
{
    // Row i of the upper triangle starts after rows 0 .. i-1, of m, m-1, ... elements; each
    // element holds its lines one after another, so that a segment is summed element by element
    // over contiguous lines.
    return (i * channels - i * (i - 1) / 2 + (j - i)) * frequencies.size() + line;
}

bool TensorMatrixStack::begin(int channelCount, const QVector<double> &lineFrequencies)
{
    if (channelCount != channels || channels == 0)
        return false;
    if (added++ == 0) {
        frequencies = lineFrequencies;
        sum = QVector<gsl_complex>(frequencies.size() * triangle, gsl_complex_rect(0.0, 0.0));
    }
    return true;
}

void TensorMatrixStack::addLine(int k, const gsl_complex *c, bool first)
{
    for (int i = 0; i < channels; ++i)
        for (int j = i; j < channels; ++j) {
            gsl_complex &element = sum[triangleIndex(k, i, j)];
            const gsl_complex product = SpectralMath::timesConjugate(c[i], c[j]);
            if (first)
                element = product;
            else
                addInto(element, product);
        }
}

void TensorMatrixStack::add(const QList<QList<OneFreqSpectrum>> &spectra)
{
    QVector<double> lineFrequencies;
    if (added == 0 && !spectra.isEmpty()) {
        int lines = spectra[0].size();
        for (const QList<OneFreqSpectrum> &spectrum : spectra)
            lines = std::min(lines, spectrum.size());
        for (int k = 0; k < lines; ++k)
            lineFrequencies.append(spectra[0][k].freq);
    }
    if (!begin(spectra.size(), lineFrequencies))
        return;
    const bool first = added == 1;
    QVector<gsl_complex> c(channels);
    for (int k = 0; k < frequencies.size(); ++k) {
        for (int i = 0; i < channels; ++i) {
            if (k >= spectra[i].size())
                return;
            const OneFreqSpectrum &line = spectra[i][k];
            c[i] = gsl_complex{{line.amplitude * std::cos(line.phase), line.amplitude * std::sin(line.phase)}};
        }
        addLine(k, c.constData(), first);
    }
}

namespace {

// Lines summed together: a block's sums stay in the cache while every segment of a batch is
// folded into them.
constexpr int kBlockLines = 512;

} // namespace

int TensorMatrixStack::startBatch(const std::vector<SegmentLines> &segments, int lineCount, int n, double fs)
{
    QVector<double> lineFrequencies;
    if (added == 0) {
        for (int k = 1; k <= lineCount; ++k)
            lineFrequencies.append(k * fs / n);
    }
    batch.clear();
    if (segments.empty() || !begin(int(channels), lineFrequencies))
        return 0;
    batchStartsSum = added == 1;
    added += int(segments.size()) - 1;
    batch = segments;
    batchLines = std::min(lineCount, int(frequencies.size()));
    return (batchLines + kBlockLines - 1) / kBlockLines;
}

// Lines are summed independently, and every line's sum takes the segments in order, whichever
// thread folds its block.
void TensorMatrixStack::addBlock(int block)
{
    const int from = block * kBlockLines;
    const int count = std::min(kBlockLines, batchLines - from);
    gsl_complex *const sums = sum.data();
    for (size_t s = 0; s < batch.size(); ++s) {
        const SegmentLines lines = batch[s];
        for (int i = 0; i < channels; ++i)
            for (int j = i; j < channels; ++j)
                addElement(sums + triangleIndex(from, i, j), lines[i] + from, lines[j] + from, count,
                           batchStartsSum && s == 0);
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
