#pragma once
// Value records shared by Spectrix, Rhoworks and the program. Their layouts are binding across
// library boundaries: curves are stored as raw runs of OneFreqImpedance (7 doubles, 56 bytes).

#include <QList>
#include <QMetaType>
#include <QVector>
#include <gsl/gsl_complex.h>

#include "SpectrixExport.h"

// One spectral line of one channel: frequency (Hz), amplitude density and phase (radians).
struct OneFreqSpectrum {
    double freq = 0.0;
    double amplitude = 0.0;
    double phase = 0.0;
};

// The 2 x 2 cross-power matrix of an electric channel E and a magnetic channel H at one frequency:
// [0] E conj(E), [1] E conj(H), [2] H conj(E), [3] H conj(H). Empty when the input lines disagreed.
struct OneFreqCrossPower {
    double freq = 0.0;
    QVector<gsl_complex> crossPower;
};

// The scalar impedance result of one frequency.
struct OneFreqImpedance {
    double tag = 0.0;
    double freq = 0.0;
    double coherency = 0.0;
    double rho = 0.0;           // Cagniard apparent resistivity, ohm-m
    double phase = 0.0;         // degrees
    double bostickRho = 0.0;    // ohm-m
    double bostickDepth = 0.0;  // m
};
static_assert(sizeof(OneFreqImpedance) == 56, "curve BLOBs rely on a 56-byte record");

// One frequency of a sensor or gain calibration table: a measured line is divided by amplitude
// and has phase (radians) subtracted.
struct OneFreqCheck {
    double freq = 0.0;
    double amplitude = 0.0;
    double phase = 0.0;
};

Q_DECLARE_METATYPE(gsl_complex)
Q_DECLARE_METATYPE(OneFreqSpectrum)
Q_DECLARE_METATYPE(OneFreqCrossPower)
Q_DECLARE_METATYPE(OneFreqImpedance)
Q_DECLARE_METATYPE(OneFreqCheck)

// Registers the records and their containers with Qt's meta-type system under the names the
// program's signals use ("QVector<OneFreqImpedance>", ...), so they travel in queued connections.
// Safe to call more than once.
SPECTRIX_EXPORT void registerSpectralMetaTypes();
