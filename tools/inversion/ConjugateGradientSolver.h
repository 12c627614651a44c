#pragma once
// Normal equations solved by preconditioned conjugate gradients (Jacobi preconditioner), the
// matrix applied block by block without being assembled. Converged when the residual norm falls
// below kTolerance times that of the right-hand side.

#include "NormalEquationSolver.h"

class ConjugateGradientSolver : public NormalEquationSolver {
public:
    static constexpr double kTolerance = 1e-8;

    bool solve(const NormalSystem &system, double lambda, std::vector<double> &x) const override;
    QString name() const override { return QStringLiteral("conjugate gradients"); }
};
