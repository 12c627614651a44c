#pragma once
// The uncertainty of one point of a resistivity and phase curve: the one-standard-error half
// widths of its apparent resistivity (ohm-m) and of its phase (degrees), at the point's frequency.
// A curve's error bars travel beside the curve (QVector<OneFreqImpedance>) as a
// QVector<ImpedanceErrorBar>, matched by frequency: a curve point without a bar of its frequency
// has no known error (curves of the four stacking estimators, and projects written before error
// bars existed, carry none). A view draws rho +- rhoError and phase +- phaseError.
//
// From an impedance Z with standard error d of its real part and of its imaginary part (the
// convention of an EDI file's variances, var = d^2), the bars follow to first order:
// rho = |Z|^2 / (5 f) moves by 2 rho d / |Z|, the phase by d / |Z| radians (at most 180 degrees).

#include <QMetaType>
#include <QVector>
#include <complex>

struct ImpedanceErrorBar {
    double freq = 0.0;        // Hz
    double rhoError = 0.0;    // ohm-m
    double phaseError = 0.0;  // degrees

    // The bar of an impedance z (mV/km per nT) with standard error d per real component at f Hz;
    // NaN errors when d is not finite.
    static ImpedanceErrorBar fromImpedance(double freq, std::complex<double> z, double d);
    // The standard error per real component that the bar stands for (inverse of fromImpedance,
    // from the resistivity bar), for an impedance of resistivity rho (ohm-m).
    double impedanceError(double rho) const;
};

Q_DECLARE_METATYPE(ImpedanceErrorBar)

// The bar of frequency freq (within 1e-6 relative) in bars, or null.
const ImpedanceErrorBar *errorBarAt(const QVector<ImpedanceErrorBar> &bars, double freq);
