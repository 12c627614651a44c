#include "SpectrumAnalysis.h"

#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "Data_RhoworksCalc.h"
#include "FrequencyTables.h"
#include "Spectrix.h"

namespace SpectrumAnalysis {

namespace {

// The exported phase is converted with this value of pi.
constexpr double kDegreesPerRadian = 180.0 / 3.141592502593994;

double bandAmplitude(double f0, const RecordingSpectra &spectra, int slot)
{
    return Data_RhoworksCalc::bandAverage(f0, spectra.frequencies, spectra.stacked[slot], kBandwidth);
}

// Rows of the targets, each built by row(f0) after the frequency.
template <class RowOf>
NumberTable tableOf(const QStringList &header, const QList<double> &targets, RowOf row)
{
    NumberTable table;
    table.header = header;
    for (double f0 : targets)
        table.rows.append(QVector<double>{f0} + row(f0));
    return table;
}

} // namespace

double lowestTarget(double fmax)
{
    if (500.0 < 2.0 * fmax && 2.0 * fmax < 4096.0)
        return 10.0;
    if (fmax < 501.0)
        return 1.0;
    return 1000.0;
}

QList<double> targetFrequencies(double fmax)
{
    return FrequencyTables::within(FrequencyTables::standardFrequencies(), lowestTarget(fmax), fmax);
}

QList<double> spanTargets(const RecordingSpectra &spectra)
{
    return FrequencyTables::within(FrequencyTables::standardFrequencies(),
                                   spectra.lowestFrequency(), spectra.highestFrequency());
}

double bandCoherency(double f0, const QVector<OneFreqCrossPower> &stacked)
{
    Spectrix spectrix;
    return spectrix.Calc_Coherency2(spectrix.OneFreqBendParzen(f0, stacked, kBandwidth));
}

NumberTable electricTable(const RecordingSpectra &spectra)
{
    const QStringList header{"Freq", "Ex", "Ey", "Ex2", "Hx", "Hy", "CohE0", "CohE1", "CohE2", "CohEall"};
    return tableOf(header, targetFrequencies(spectra.highestFrequency()), [&spectra](double f0) {
        return QVector<double>{bandAmplitude(f0, spectra, Slot_Ex), bandAmplitude(f0, spectra, Slot_Ey),
                               bandAmplitude(f0, spectra, Slot_Ex2), bandAmplitude(f0, spectra, Slot_Hx),
                               bandAmplitude(f0, spectra, Slot_Hy), bandCoherency(f0, spectra.exHy),
                               bandCoherency(f0, spectra.eyHx), bandCoherency(f0, spectra.ex2Hy),
                               bandCoherency(f0, spectra.meanEHy)};
    });
}

NumberTable magneticCrossPowerTable(const RecordingSpectra &spectra)
{
    const QStringList header{"Freq", "Pha", "HxHyReal", "HxHyImage"};
    return tableOf(header, targetFrequencies(spectra.highestFrequency()), [&spectra](double f0) {
        const OneFreqCrossPower band = Spectrix().OneFreqBendParzen(f0, spectra.hxHy, kBandwidth);
        const gsl_complex s = band.crossPower.value(1, gsl_complex_rect(NAN, NAN));
        return QVector<double>{std::fabs(std::atan2(GSL_IMAG(s), GSL_REAL(s))) * kDegreesPerRadian,
                               GSL_REAL(s), GSL_IMAG(s)};
    });
}

NumberTable magneticTable(const RecordingSpectra &spectra)
{
    const QStringList header{"Freq", "Hx", "Hy", "CohHxHy"};
    return tableOf(header, targetFrequencies(spectra.highestFrequency()), [&spectra](double f0) {
        return QVector<double>{bandAmplitude(f0, spectra, Slot_Hx), bandAmplitude(f0, spectra, Slot_Hy),
                               bandCoherency(f0, spectra.hxHy)};
    });
}

NumberTable pairCoherencyTable(const RecordingSpectra &spectra, const QList<double> &targets)
{
    return tableOf({"Freq", "ExHy", "EyHx"}, targets, [&spectra](double f0) {
        return QVector<double>{bandCoherency(f0, spectra.exHy), bandCoherency(f0, spectra.eyHx)};
    });
}

} // namespace SpectrumAnalysis
