#include "BandedCholeskySolver.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_linalg.h>

#include "NormalSystem.h"

bool BandedCholeskySolver::solve(const NormalSystem &system, double lambda, std::vector<double> &x) const
{
    std::vector<double> storage(size_t(system.size()) * (system.layerCount() + 1));
    gsl_matrix_view band = gsl_matrix_view_array(storage.data(), system.size(), system.layerCount() + 1);
    system.fillBand(lambda, &band.matrix);
    if (gsl_linalg_cholesky_band_decomp(&band.matrix) != GSL_SUCCESS)
        return false;
    x = system.rightHandSide();
    gsl_vector_view solution = gsl_vector_view_array(x.data(), x.size());
    return gsl_linalg_cholesky_band_svx(&band.matrix, &solution.vector) == GSL_SUCCESS;
}
