#include "CalibratedSounding.h"

#include "Spectrix.h"
#include "Trimora.h"
#include "Wavefile.h"

#include <cmath>

namespace CalibratedSounding {

namespace {

// The table at f: linear between the rows around f, end rows held outside.
OneFreqCheck tableAt(const QList<OneFreqCheck> &table, double f)
{
    if (f <= table.first().freq)
        return table.first();
    for (int i = 1; i < table.size(); ++i) {
        const OneFreqCheck &a = table.at(i - 1), &b = table.at(i);
        if (f <= b.freq) {
            const double t = (f - a.freq) / (b.freq - a.freq);
            return {f, a.amplitude + t * (b.amplitude - a.amplitude), a.phase + t * (b.phase - a.phase)};
        }
    }
    return table.last();
}

void removeTable(QList<OneFreqSpectrum> &spectrum, const QList<OneFreqCheck> &table)
{
    for (OneFreqSpectrum &line : spectrum) {
        const OneFreqCheck t = tableAt(table, line.freq);
        line.amplitude /= t.amplitude;
        line.phase -= t.phase;
    }
}

std::complex<double> complexOf(const OneFreqSpectrum &line)
{
    return std::polar(line.amplitude, line.phase);
}

} // namespace

QList<OneFreqCheck> loadTable(const QString &path, bool sensor)
{
    Trimora reader;
    const bool ok = sensor ? reader.getSensorDataList(path) : reader.getGainDataList(path);
    return ok ? reader.getCheckedData() : QList<OneFreqCheck>();
}

Segments channelSpectra(const QString &workDir, const RecordingDescription &recording,
                        RecorderConventions::Channel channel, int n, int segmentCount)
{
    const ChannelDescription *described = nullptr;
    for (const ChannelDescription &c : recording.channels) {
        if (c.channel == channel)
            described = &c;
    }
    Wavefile reader;
    if (!described || !reader.getTimeSeries(described->dataFile, recording.adcScale, 0, n, segmentCount))
        return {};
    const bool electric = RecorderConventions::isElectric(channel);
    const QList<OneFreqCheck> sensor = loadTable(workDir + "/" + described->sensorTable, true);
    const QList<OneFreqCheck> gain = loadTable(workDir + "/" + described->gainTable, false);
    if (sensor.size() < 2 || gain.size() < 2)
        return {};
    Segments result;
    Spectrix spectrix;
    for (QVector<double> segment : reader.getTsData()) {
        if (electric) {
            for (double &x : segment)
                x = x * 1000.0 / described->dipole;
        }
        QList<OneFreqSpectrum> spectrum =
            spectrix.FastFFTTranform(spectrix.WndFunc(segment, 1, n), n, recording.sampleRate);
        removeTable(spectrum, gain);
        if (!electric || recording.electricSensorApplied)
            removeTable(spectrum, sensor);
        result.append(spectrum);
    }
    return result;
}

QVector<std::complex<double>> meanCrossSpectrum(const Segments &a, const Segments &b)
{
    QVector<std::complex<double>> sum(a.isEmpty() ? 0 : a.first().size());
    for (int s = 0; s < a.size() && s < b.size(); ++s) {
        for (int i = 0; i < sum.size(); ++i)
            sum[i] += complexOf(a.at(s).at(i)) * std::conj(complexOf(b.at(s).at(i)));
    }
    for (auto &z : sum)
        z /= double(std::min(a.size(), b.size()));
    return sum;
}

QVector<OneFreqCrossPower> meanCrossPowers(const Segments &e, const Segments &h)
{
    const QVector<std::complex<double>> s[4] = {meanCrossSpectrum(e, e), meanCrossSpectrum(e, h),
                                               meanCrossSpectrum(h, e), meanCrossSpectrum(h, h)};
    QVector<OneFreqCrossPower> records;
    for (int i = 0; i < s[0].size(); ++i) {
        OneFreqCrossPower record{e.first().at(i).freq, {}};
        for (const auto &entry : s)
            record.crossPower.append(gsl_complex{{entry.at(i).real(), entry.at(i).imag()}});
        records.append(record);
    }
    return records;
}

QVector<double> logSpaced(double f1, double f2, int n)
{
    QVector<double> result;
    for (int i = 0; i < n; ++i)
        result.append(f1 * std::pow(f2 / f1, n > 1 ? double(i) / (n - 1) : 0.0));
    return result;
}

} // namespace CalibratedSounding
