#pragma once
// The Gauss-Newton normal equations of the laterally constrained inversion at one model:
//   (G^T G + lambda R^T R) m = G^T (r + G m0),
// G the standardised Jacobian and r the standardised residuals of every station at the model m0,
// R the roughness: differences of log10 rho between adjacent layers of a column (vertical) and
// between the same layer under neighbouring stations (lateral), weighted by the layer grid.
// Unknowns are numbered station by station, so the matrix is banded with half-bandwidth equal to
// the number of layers. G^T G is kept as one dense block per station.

#include <gsl/gsl_matrix.h>
#include <vector>

#include "LayerGrid.h"

class NormalSystem {
public:
    // lateralWeight scales the lateral roughness against the vertical one.
    NormalSystem(int stations, const LayerGrid &grid, double lateralWeight);

    // Sets station s's data terms from its standardised Jacobian (rows of layers() values,
    // row-major), residuals and column model. A station without data keeps zero terms, so only
    // the roughness sets its column.
    void setStation(int s, const std::vector<double> &jacobian, const std::vector<double> &residuals,
                    const std::vector<double> &model);

    int size() const { return stations * layers; }
    int layerCount() const { return layers; }
    const std::vector<double> &rightHandSide() const { return rhs; }
    // y = (G^T G + lambda R^T R) x.
    void multiply(double lambda, const std::vector<double> &x, std::vector<double> &y) const;
    // The diagonal of G^T G + lambda R^T R.
    std::vector<double> diagonal(double lambda) const;
    // G^T G + lambda R^T R in GSL's symmetric band form: band (size() rows, layerCount() + 1
    // columns) gets band(i, j) = A(i + j, i).
    void fillBand(double lambda, gsl_matrix *band) const;
    // |R m|^2 of a model of every station's column.
    double roughness(const std::vector<double> &m) const;

private:
    // Calls visit(i, j, w) for every difference m[j] - m[i] of R with its squared weight w.
    template <typename Visit>
    void forEachDifference(Visit visit) const;

    int stations;
    int layers;
    std::vector<double> vertical;  // squared weights between layers k and k + 1
    std::vector<double> lateral;   // squared weights of layer k between neighbours
    std::vector<double> blocks;    // G^T G of each station, layers x layers
    std::vector<double> rhs;
};
