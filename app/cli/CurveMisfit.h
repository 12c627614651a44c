#pragma once
// How far a recovered curve lies from the curve an earth model predicts: the largest relative
// resistivity error and the largest phase difference over the records inside the interior of
// their recording's band.

#include <QString>

namespace CurveMisfit {

// Whether the resistivity pipeline fills the record at freq in from the neighbouring records
// instead of measuring it (its dead frequencies: the power line and its harmonics, 2 to 4 kHz).
bool isFilledIn(double freq);

// The interior of the band of a recording sampled at rate (Hz) in segments of n samples: from
// the 32nd FFT line to a quarter of the sampling rate. Lower down too few lines fall into each
// averaging band; higher up the converter's filters take over.
struct Window {
    double low = 0.0;
    double high = 0.0;
    bool contains(double freq) const { return freq >= low && freq <= high; }
};
Window interior(int rate, int n);

// The phase after the scalar impedance step's mapping: distances from 45 degrees shrink to three
// quarters above it and to one half below it.
double mappedPhase(double degrees);

struct Misfit {
    int count = 0;
    double rho = 0.0;     // largest |rho / model - 1|
    double phase = 0.0;   // largest |phase - model|, degrees
    QString worst;        // the record that set the larger of the two, for the report

    void add(double freq, double rho, double phase, double modelRho, double modelPhase);
    bool within(double rhoFraction, double phaseDegrees) const
    {
        return rho <= rhoFraction && phase <= phaseDegrees;
    }
};

} // namespace CurveMisfit
