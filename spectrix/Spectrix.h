#pragma once
// Spectral analysis of magnetotelluric segments: window, FFT, cross powers, Parzen band averages,
// coherency and the scalar impedance of one frequency. One object serves one computation; it is not
// safe for concurrent use because FastFFTTranform rewrites lastSpectrum.

#include "SpectralRecords.h"

class SPECTRIX_EXPORT Spectrix {
public:
    Spectrix() = default;
    Spectrix(const Spectrix &other) = default;
    Spectrix &operator=(const Spectrix &other) = default;
    ~Spectrix() = default;

    // Tapered copy of samples; type 1 is the half-cosine taper every caller uses, n the window length.
    // Types other than 1..4 leave the samples unchanged, as do positions at or beyond n.
    QVector<double> WndFunc(QVector<double> samples, int type, int n);
    // One-sided amplitude-density spectrum of n samples at fs Hz: lines k*fs/n for k = 1..n/2.
    // Reads the first n samples; n < 1 or fewer than n samples give an empty list and a debug line.
    QList<OneFreqSpectrum> FastFFTTranform(QVector<double> samples, int n, double fs);

    // Cross powers line by line (E first, H second); empty when the spectra differ in length.
    QVector<OneFreqCrossPower> ComputeCrossPower(QList<OneFreqSpectrum> e, QList<OneFreqSpectrum> h);
    QVector<OneFreqCrossPower> ComputeCrossPower(QVector<OneFreqSpectrum> e, QVector<OneFreqSpectrum> h);

    // Parzen-kernel weighted mean over the open band (f0 - f0*b, f0 + f0*b). The record form always
    // returns 4 entries and skips records without a matrix; an empty band (or no records) gives NaN
    // entries. The value form pairs values and frequencies up to the shorter; an empty band gives NaN.
    OneFreqCrossPower OneFreqBendParzen(double f0, QVector<OneFreqCrossPower> records, double b);
    gsl_complex OneFreqBendParzen(double f0, QVector<gsl_complex> values, QVector<double> freqs, double b);

    // Coherency sqrt(|S1|^2 / (|S3| |S0|)) and its test against 0.3 (NaN, infinity and values below
    // 0.3 fail). The record form gives NaN for a record without a matrix; the line form gives 0 in
    // place of NaN or infinity.
    double Calc_Coherency2(OneFreqCrossPower record);
    bool Calc_Coherency(OneFreqCrossPower record);
    double Calc_Coherency2(OneFreqSpectrum e, OneFreqSpectrum h);
    bool Calc_Coherency(OneFreqSpectrum e, OneFreqSpectrum h);

    // Apparent resistivity, mapped phase, coherency and Bostick values of one cross-power record; a
    // non-finite coherency (a record without a matrix included) gives coherency 0.01, phase 45, rho 1
    // and two debug lines. tag is stored widened and otherwise ignored.
    OneFreqImpedance ComputeOneFreqImpeDance(OneFreqCrossPower record, float tag);

private:
    QVector<gsl_complex> ComputeOneFreqCrossPower(OneFreqSpectrum e, OneFreqSpectrum h);
    double OneFreqParzen(double f0, double f, double b);

    QList<OneFreqSpectrum> lastSpectrum;
};
