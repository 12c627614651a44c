#include "NormalSystem.h"

#include <gsl/gsl_blas.h>

NormalSystem::NormalSystem(int stations, const LayerGrid &grid, double lateralWeight)
    : stations(stations), layers(grid.layerCount()),
      blocks(size_t(stations) * layers * layers, 0.0), rhs(size_t(stations) * layers, 0.0)
{
    for (int k = 0; k + 1 < layers; ++k)
        vertical.push_back(grid.verticalWeight(k));
    for (int k = 0; k < layers; ++k)
        lateral.push_back(lateralWeight * grid.lateralWeight(k));
}

template <typename Visit>
void NormalSystem::forEachDifference(Visit visit) const
{
    for (int s = 0; s < stations; ++s)
        for (int k = 0; k + 1 < layers; ++k)
            visit(s * layers + k, s * layers + k + 1, vertical[k]);
    for (int s = 0; s + 1 < stations; ++s)
        for (int k = 0; k < layers; ++k)
            visit(s * layers + k, (s + 1) * layers + k, lateral[k]);
}

void NormalSystem::setStation(int s, const std::vector<double> &jacobian,
                              const std::vector<double> &residuals, const std::vector<double> &model)
{
    const gsl_matrix_const_view g = gsl_matrix_const_view_array(jacobian.data(), residuals.size(), layers);
    gsl_matrix_view block = gsl_matrix_view_array(&blocks[size_t(s) * layers * layers], layers, layers);
    gsl_blas_dsyrk(CblasLower, CblasTrans, 1.0, &g.matrix, 0.0, &block.matrix);
    // The data that the linearised model should fit: r + G m0.
    std::vector<double> data(residuals);
    gsl_vector_view d = gsl_vector_view_array(data.data(), data.size());
    const gsl_vector_const_view m0 = gsl_vector_const_view_array(model.data(), layers);
    gsl_blas_dgemv(CblasNoTrans, 1.0, &g.matrix, &m0.vector, 1.0, &d.vector);
    gsl_vector_view b = gsl_vector_view_array(&rhs[size_t(s) * layers], layers);
    gsl_blas_dgemv(CblasTrans, 1.0, &g.matrix, &d.vector, 0.0, &b.vector);
}

void NormalSystem::multiply(double lambda, const std::vector<double> &x, std::vector<double> &y) const
{
    y.assign(x.size(), 0.0);
    for (int s = 0; s < stations; ++s) {
        const size_t offset = size_t(s) * layers;
        const gsl_matrix_const_view a = gsl_matrix_const_view_array(&blocks[offset * layers], layers, layers);
        const gsl_vector_const_view xs = gsl_vector_const_view_array(&x[offset], layers);
        gsl_vector_view ys = gsl_vector_view_array(&y[offset], layers);
        gsl_blas_dsymv(CblasLower, 1.0, &a.matrix, &xs.vector, 0.0, &ys.vector);
    }
    forEachDifference([&](int i, int j, double w) {
        const double d = lambda * w * (x[j] - x[i]);
        y[i] -= d;
        y[j] += d;
    });
}

std::vector<double> NormalSystem::diagonal(double lambda) const
{
    std::vector<double> d(size());
    for (int i = 0; i < size(); ++i)
        d[i] = blocks[size_t(i) * layers + i % layers];
    forEachDifference([&](int i, int j, double w) {
        d[i] += lambda * w;
        d[j] += lambda * w;
    });
    return d;
}

void NormalSystem::fillBand(double lambda, gsl_matrix *band) const
{
    gsl_matrix_set_zero(band);
    for (int s = 0; s < stations; ++s)
        for (int k = 0; k < layers; ++k)
            for (int j = 0; k + j < layers; ++j)
                gsl_matrix_set(band, s * layers + k, j,
                               blocks[(size_t(s) * layers + k + j) * layers + k]);
    forEachDifference([&](int i, int j, double w) {
        *gsl_matrix_ptr(band, i, 0) += lambda * w;
        *gsl_matrix_ptr(band, j, 0) += lambda * w;
        *gsl_matrix_ptr(band, i, j - i) -= lambda * w;
    });
}

double NormalSystem::roughness(const std::vector<double> &m) const
{
    double sum = 0.0;
    forEachDifference([&](int i, int j, double w) { sum += w * (m[j] - m[i]) * (m[j] - m[i]); });
    return sum;
}
