#include "InstrumentResponse.h"

#include <cmath>

namespace {

const double degreesPerRadian = 180.0 / std::acos(-1.0);

// A stable trim in [-1, 1] from a text (FNV-1a), independent of Qt's seeded hashing.
double trimOf(const QString &text)
{
    quint32 h = 2166136261u;
    for (QChar c : text) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return (h % 2001u) / 1000.0 - 1.0;
}

std::complex<double> highPass(double f, double corner)
{
    const std::complex<double> s(0.0, f / corner);
    return s / (1.0 + s);
}

std::complex<double> lowPass(double f, double corner)
{
    return 1.0 / std::complex<double>(1.0, f / corner);
}

std::complex<double> butterworth(double f, double corner)
{
    const double x = f / corner;
    return 1.0 / std::complex<double>(1.0 - x * x, std::sqrt(2.0) * x);
}

} // namespace

InstrumentResponse InstrumentResponse::inductionCoil(const QString &serial)
{
    const double trim = trimOf(serial);
    InstrumentResponse r;
    r.gain = 100.0 * (1.0 + 0.03 * trim);  // mV/nT above the corner
    r.highPassHz = 4.0 * (1.0 - 0.05 * trim);
    r.lowPassHz = 50000.0;
    return r;
}

InstrumentResponse InstrumentResponse::electricSensor(const QString &serial)
{
    InstrumentResponse r;
    r.lowPassHz = 100000.0 * (1.0 + 0.1 * trimOf(serial));
    return r;
}

InstrumentResponse InstrumentResponse::amplifier(int gainNumber, RecorderConventions::GainBand band,
                                                 RecorderConventions::Channel channel)
{
    using RecorderConventions::GainBand;
    const double trim = (static_cast<int>(channel) - 2) / 2.0;  // -1 .. 1 over Ex..Ex2
    const double corner = band == GainBand::HighH ? 30000.0 : band == GainBand::LowH ? 3000.0 : 300.0;
    InstrumentResponse r;
    r.gain = nominalGain(gainNumber) * (1.0 + 0.02 * trim);
    r.butterworthHz = corner * (1.0 + 0.04 * trim);
    return r;
}

double InstrumentResponse::nominalGain(int gainNumber)
{
    return std::pow(10.0, (gainNumber - 1) / 2.0);
}

std::complex<double> InstrumentResponse::at(double f) const
{
    std::complex<double> h = gain;
    if (highPassHz > 0.0)
        h *= highPass(f, highPassHz);
    if (lowPassHz > 0.0)
        h *= lowPass(f, lowPassHz);
    if (butterworthHz > 0.0)
        h *= butterworth(f, butterworthHz);
    return h;
}

double InstrumentResponse::amplitude(double f) const
{
    return std::abs(at(f));
}

double InstrumentResponse::phaseDegrees(double f) const
{
    double phase = 0.0;
    if (highPassHz > 0.0)
        phase += std::arg(highPass(f, highPassHz));
    if (lowPassHz > 0.0)
        phase += std::arg(lowPass(f, lowPassHz));
    if (butterworthHz > 0.0)
        phase += std::arg(butterworth(f, butterworthHz));
    return phase * degreesPerRadian;
}
