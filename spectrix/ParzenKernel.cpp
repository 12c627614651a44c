#include "ParzenKernel.h"

#include "SpectralMath.h"

#include <cmath>

namespace ParzenKernel {

bool inside(double f0, double f, double hw)
{
    return f > f0 - hw && f < f0 + hw;
}

double weight(double f0, double f, double hw)
{
    const double d = std::fabs(f0 - f);
    if (d >= hw)
        return 0.0;
    if (d == 0.0)
        return 1.0;
    const double u = d * SpectralMath::kPi / hw;
    return std::pow(std::sin(u) / u, 4);
}

} // namespace ParzenKernel
