#include "ConjugateGradientSolver.h"

#include <gsl/gsl_blas.h>
#include <cmath>

#include "NormalSystem.h"

namespace {

double dot(const std::vector<double> &a, const std::vector<double> &b)
{
    const gsl_vector_const_view va = gsl_vector_const_view_array(a.data(), a.size());
    const gsl_vector_const_view vb = gsl_vector_const_view_array(b.data(), b.size());
    double result = 0.0;
    gsl_blas_ddot(&va.vector, &vb.vector, &result);
    return result;
}

// y += alpha x
void addScaled(double alpha, const std::vector<double> &x, std::vector<double> &y)
{
    const gsl_vector_const_view vx = gsl_vector_const_view_array(x.data(), x.size());
    gsl_vector_view vy = gsl_vector_view_array(y.data(), y.size());
    gsl_blas_daxpy(alpha, &vx.vector, &vy.vector);
}

std::vector<double> preconditioned(const std::vector<double> &r, const std::vector<double> &diagonal)
{
    std::vector<double> z(r.size());
    for (size_t i = 0; i < r.size(); ++i)
        z[i] = r[i] / diagonal[i];
    return z;
}

} // namespace

bool ConjugateGradientSolver::solve(const NormalSystem &system, double lambda, std::vector<double> &x) const
{
    const std::vector<double> &b = system.rightHandSide();
    const std::vector<double> diagonal = system.diagonal(lambda);
    std::vector<double> r = b, q;
    system.multiply(lambda, x, q);
    addScaled(-1.0, q, r);
    std::vector<double> z = preconditioned(r, diagonal), p = z;
    double rz = dot(r, z);
    const double stop = kTolerance * std::sqrt(dot(b, b));
    for (int iteration = 0; iteration < 10 * system.size(); ++iteration) {
        if (std::sqrt(dot(r, r)) <= stop)
            return true;
        system.multiply(lambda, p, q);
        const double alpha = rz / dot(p, q);
        if (!std::isfinite(alpha))
            return false;
        addScaled(alpha, p, x);
        addScaled(-alpha, q, r);
        z = preconditioned(r, diagonal);
        const double rzNext = dot(r, z);
        for (size_t i = 0; i < p.size(); ++i)
            p[i] = z[i] + rzNext / rz * p[i];
        rz = rzNext;
    }
    return std::sqrt(dot(r, r)) <= stop;
}
