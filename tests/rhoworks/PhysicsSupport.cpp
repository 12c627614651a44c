#include "PhysicsSupport.h"

#include <cmath>

#include "SurveyWriter.h"

namespace RhoworksTest {

SyntheticRecording writeSyntheticRecording(const QString &workDir, const StationModel &model,
                                           const RecordingSpec &spec)
{
    StationSpec station;
    station.model = model;
    station.recordings = {spec};
    SyntheticRecording written;
    written.workDir = workDir;
    written.valid = SurveyWriter(workDir).writeStation(station, &written.station)
                 && !written.station.recordings.isEmpty();
    if (written.valid)
        written.recording = written.station.recordings.first();
    return written;
}

PairFiles exHyFiles(const SyntheticRecording &r)
{
    using RecorderConventions::Channel;
    PairFiles files;
    for (const ChannelDescription &c : r.recording.channels) {
        const QString sensor = r.workDir + "/" + c.sensorTable;
        const QString gain = r.workDir + "/" + c.gainTable;
        if (c.channel == Channel::Ex) {
            files.e = c.dataFile;
            files.eSensor = sensor;
            files.eGain = gain;
        } else if (c.channel == Channel::Hy) {
            files.h = c.dataFile;
            files.hSensor = sensor;
            files.hGain = gain;
        }
    }
    return files;
}

RunOptions recordingOptions(const SyntheticRecording &r, int n)
{
    RunOptions options;
    options.fs = r.recording.sampleRate;
    options.n = n;
    options.dipoleLength = r.station.exDipole;
    options.useESensor = r.recording.electricSensorApplied;
    return options;
}

double mappedPhase(double p)
{
    if (p < 0.01)
        p = 1.05;
    return p > 45 ? 45 + 0.75 * (p - 45) : 45 + 0.5 * (p - 45);
}

Misfit misfit(const QVector<OneFreqImpedance> &curve, const std::function<bool(double)> &keep,
              const std::function<double(double)> &rho, const std::function<double(double)> &phase)
{
    Misfit m;
    for (const OneFreqImpedance &r : curve) {
        if (!keep(r.freq))
            continue;
        const double rhoError = r.rho / rho(r.freq) - 1;
        const double phaseError = r.phase - phase(r.freq);
        if (std::fabs(rhoError) >= m.maxRho || std::isnan(rhoError)) {
            m.worst = QStringLiteral("f %1 Hz: rho %2 (model %3), phase %4 (model %5)")
                          .arg(r.freq).arg(r.rho).arg(rho(r.freq)).arg(r.phase).arg(phase(r.freq));
        }
        m.maxRho = std::max(m.maxRho, std::fabs(rhoError));
        m.maxPhase = std::max(m.maxPhase, std::fabs(phaseError));
        if (std::isnan(rhoError) || std::isnan(phaseError))
            m.maxRho = m.maxPhase = NAN;
        m.rmsRho += rhoError * rhoError;
        m.rmsPhase += phaseError * phaseError;
        ++m.count;
    }
    if (m.count > 0) {
        m.rmsRho = std::sqrt(m.rmsRho / m.count);
        m.rmsPhase = std::sqrt(m.rmsPhase / m.count);
    }
    return m;
}

QString describe(const Misfit &m)
{
    return QStringLiteral("%1 records: rho max %2 %, RMS %3 %; phase max %4 deg, RMS %5 deg; worst %6")
        .arg(m.count).arg(100 * m.maxRho, 0, 'f', 2).arg(100 * m.rmsRho, 0, 'f', 2)
        .arg(m.maxPhase, 0, 'f', 2).arg(m.rmsPhase, 0, 'f', 2).arg(m.worst);
}

Misfit earthMisfit(const QVector<OneFreqImpedance> &curve, const LayeredEarth &earth, bool mapped,
                   int rate, int n)
{
    const double lowest = std::max(32.0 * rate / n, 16.0);
    return misfit(curve,
        [&](double f) { return f >= lowest && f <= rate / 4.0 && !isDeadFrequency(f); },
        [&](double f) { return earth.apparentResistivity(f); },
        [&](double f) { return mapped ? mappedPhase(earth.phaseDegrees(f)) : earth.phaseDegrees(f); });
}

bool mapsPhase(Method method)
{
    return method == Method::Plain || method == Method::Median;
}

}  // namespace RhoworksTest
