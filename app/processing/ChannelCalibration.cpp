#include "ChannelCalibration.h"

#include "CalibrationLines.h"
#include "DecimationCascade.h"
#include "RegressionRequest.h"
#include "Trimora.h"

bool ChannelCalibration::load(const RegressionChannel &channel, QString &failure)
{
    Trimora reader;
    if (!reader.getSensorDataList(channel.sensorFile)) {
        failure = QStringLiteral("the sensor table %1 cannot be read").arg(channel.sensorFile);
        return false;
    }
    sensor = reader.getCheckedData();
    if (!reader.getGainDataList(channel.gainFile)) {
        failure = QStringLiteral("the gain table %1 cannot be read").arg(channel.gainFile);
        return false;
    }
    gain = reader.getCheckedData();
    applySensor = channel.applySensor;
    return true;
}

std::vector<std::complex<double>> ChannelCalibration::lineFactors(int segmentLength, double fs,
                                                                  bool prewhitened) const
{
    QList<OneFreqCheck> sensorLines = sensor;
    QList<OneFreqCheck> gainLines = gain;
    if (!CalibrationLines::resample(sensorLines, segmentLength, fs)
        || !CalibrationLines::resample(gainLines, segmentLength, fs))
        return {};
    std::vector<std::complex<double>> factors(size_t(segmentLength / 2 + 1), 0.0);
    for (int k = 1; k <= segmentLength / 2; ++k) {
        const OneFreqCheck &g = gainLines[k - 1];
        double amplitude = g.amplitude;
        double phase = g.phase;
        if (applySensor) {
            amplitude *= sensorLines[k - 1].amplitude;
            phase += sensorLines[k - 1].phase;
        }
        std::complex<double> response = std::polar(amplitude, phase);
        if (prewhitened)
            response *= DecimationCascade::prewhiteningResponse(k, segmentLength);
        factors[size_t(k)] = 1.0 / response;
    }
    return factors;
}
