#pragma once
// Gathers the calibrated Fourier coefficients of every planned band from the segments the
// decimation cascade hands over. A segment is transformed (once per channel) only when some band
// of its level takes it; each band then takes its lines, multiplied by each channel's
// calibration factors of that level.
//
// The output (electric) channels of line k are also scaled by sqrt(f0 / f_k): an impedance grows
// as sqrt(f) even over a uniform earth, so across a band of +-30 % a plain fit would return the
// impedance of some power-weighted frequency inside the band rather than of f0 (several per cent
// in apparent resistivity, more where the band is cut at Nyquist or the magnetic spectrum is
// steep). Scaled, the fit sees only the slow change of apparent resistivity and phase.

#include <complex>
#include <vector>

#include "BandCoefficients.h"
#include "RegressionBandPlan.h"
#include "SegmentTransform.h"

class RegressionCollector {
public:
    // factors[c][level]: line factors of channel c at each level (ChannelCalibration);
    // maxRowsPerBand bounds each band's rows.
    // The first outputChannels channels are the outputs.
    RegressionCollector(const RegressionBandPlan &plan,
                        std::vector<std::vector<std::vector<std::complex<double>>>> factors,
                        int outputChannels, int segmentLength, int maxRowsPerBand);

    bool isValid() const { return transform.isValid(); }
    // The DecimationCascade sink.
    void consume(int level, long long index, const std::vector<const double *> &channels);
    // Band b's coefficients, in the plan's band order.
    const BandCoefficients &band(int b) const { return stores[size_t(b)]; }

private:
    void transformChannels(const std::vector<const double *> &channels);
    void takeLines(int b, int level, long long index);

    std::vector<RegressionBand> bands;
    std::vector<double> levelRates;
    int outputs;
    int length;
    std::vector<std::vector<int>> bandsOfLevel;
    std::vector<std::vector<std::vector<std::complex<double>>>> lineFactors;
    std::vector<BandCoefficients> stores;
    SegmentTransform transform;
    std::vector<std::vector<std::complex<double>>> lines;  // per channel, L/2 + 1
    std::vector<std::complex<double>> row;
};
