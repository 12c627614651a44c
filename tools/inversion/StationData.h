#pragma once
// The data one station gives the inversion: log10 apparent resistivity and phase (degrees) at the
// frequency of each usable record of its curve, each with its standard error, and the misfit of a
// model column to them through the layered-earth response.

#include <complex>
#include <vector>

#include "LayerGrid.h"
#include "StationCurve.h"

// Standard errors of the data. The curves carry none of their own, so every record gets these.
struct DataErrors {
    double rhoRelative = 0.05;  // of the apparent resistivity
    double phaseDegrees = 1.5;
};

class StationData {
public:
    StationData(const std::vector<CurvePoint> &records, const DataErrors &errors);

    // Number of data: two per record.
    int count() const { return int(observed.size()); }
    // Standardised residuals (observed - predicted) / error of the column model (log10 rho of
    // every layer of grid).
    std::vector<double> residuals(const LayerGrid &grid, const std::vector<double> &model) const;
    // The same, and in jacobian (count() rows of grid.layerCount(), row-major) the derivatives of
    // the standardised predictions with respect to the model.
    std::vector<double> residuals(const LayerGrid &grid, const std::vector<double> &model,
                                  std::vector<double> &jacobian) const;
    // The logarithmic mean apparent resistivity (log10 ohm-m) of the records.
    double meanLogRho() const;

private:
    // The two standardised residuals of record for the predicted impedance z.
    void setResiduals(size_t record, std::complex<double> z, std::vector<double> &r) const;

    std::vector<double> freqs;
    std::vector<double> observed;  // log10 rho, phase per record
    std::vector<double> errors;
};
