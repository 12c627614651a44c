#pragma once
// Analytic transfer functions of the recording chain (time dependence e^{iwt}, so the phase is
// the lead of the output over the input):
//   induction coil   sensitivity * (i f/fc) / (1 + i f/fc) / (1 + i f/fh)   in mV/nT,
//                    rising with f below the corner fc, flat above, phase +90 falling to 0;
//   electric sensor  unit buffer with a first-order low-pass far above the band;
//   amplifier        flat gain with a second-order Butterworth low-pass near the band top.
// Each physical unit gets small deterministic trims from its serial or channel so that the
// tables of different units differ and a mix-up is visible.

#include <QString>
#include <complex>

#include "RecorderConventions.h"

class InstrumentResponse {
public:
    static InstrumentResponse inductionCoil(const QString &serial);
    static InstrumentResponse electricSensor(const QString &serial);
    // Amplifier of one channel in one band; the low-pass corner sits near the band's top.
    static InstrumentResponse amplifier(int gainNumber, RecorderConventions::GainBand band,
                                        RecorderConventions::Channel channel);
    // Nominal amplifier gain selected by a gain-table number: 10 dB steps from 1 (number 1).
    static double nominalGain(int gainNumber);

    double amplitude(double f) const;
    // Continuous phase in degrees (sum of the sections' phases, no wrapping).
    double phaseDegrees(double f) const;
    std::complex<double> at(double f) const;

private:
    double gain = 1.0;
    double highPassHz = 0.0;   // first-order high-pass corner, 0 = none
    double lowPassHz = 0.0;    // first-order low-pass corner, 0 = none
    double butterworthHz = 0.0; // second-order Butterworth low-pass corner, 0 = none
};
