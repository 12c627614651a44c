#pragma once
// Normal equations solved directly: the banded matrix (half-bandwidth one station's layers) is
// factorised by GSL's banded Cholesky decomposition, in time proportional to stations times
// layers cubed.

#include "NormalEquationSolver.h"

class BandedCholeskySolver : public NormalEquationSolver {
public:
    bool solve(const NormalSystem &system, double lambda, std::vector<double> &x) const override;
    QString name() const override { return QStringLiteral("banded Cholesky factorisation"); }
};
