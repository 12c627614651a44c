#pragma once
// The uncertainty of one point of a resistivity and phase curve: the one-standard-error half
// widths of its apparent resistivity (ohm-m) and of its phase (degrees), at the point's frequency.
// A curve's error bars travel beside the curve (QVector<OneFreqImpedance>) as a
// QVector<ImpedanceErrorBar>, matched by frequency: a curve point without a bar of its frequency
// has no known error (curves of the four stacking estimators, and projects written before error
// bars existed, carry none). A view draws rho +- rhoError and phase +- phaseError.
//
// From an impedance Z with standard error d_r along Z and d_t across it, the bars follow to first
// order: rho = |Z|^2 / (5 f) moves by 2 rho d_r / |Z|, the phase by d_t / |Z| radians (at most 180
// degrees). A round spread has d_r = d_t = d, the standard error of the real and of the imaginary
// part (the convention of an EDI file's variances, var = d^2).

#include <QMetaType>
#include <QVector>
#include <complex>

#include "SpectralRecords.h"

struct ImpedanceErrorBar {
    double freq = 0.0;        // Hz
    double rhoError = 0.0;    // ohm-m
    double phaseError = 0.0;  // degrees

    // The bar of an impedance z (mV/km per nT) at f Hz whose standard error along z is radial
    // and across it tangential (both d for a round spread); NaN errors when one is not finite.
    static ImpedanceErrorBar fromImpedance(double freq, std::complex<double> z, double radial,
                                           double tangential);
    // The standard error of the real and of the imaginary part that the bar stands for, for an
    // impedance of resistivity rho (ohm-m): the root mean square of the errors along and across
    // the impedance (inverse of fromImpedance), as an EDI file's variance takes it.
    double impedanceError(double rho) const;
};

Q_DECLARE_METATYPE(ImpedanceErrorBar)

// The bars of points at the given frequencies, point by point (null where bars hold none): the
// point that is the k-th of its frequency (within 1e-6 relative) takes the k-th bar of that
// frequency. A station's curve holds a frequency twice where the bands of two recordings overlap;
// its curve and its bars list the recordings in the same order, so each point gets the bar of its
// own recording whatever order the bars are kept in. The pointers point into bars.
QVector<const ImpedanceErrorBar *> errorBarsAlong(const QVector<double> &frequencies,
                                                  const QVector<ImpedanceErrorBar> &bars);
QVector<const ImpedanceErrorBar *> errorBarsAlong(const QVector<OneFreqImpedance> &curve,
                                                  const QVector<ImpedanceErrorBar> &bars);
