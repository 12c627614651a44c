#pragma once
// How a stand-in solves the normal equations of one Gauss-Newton trial.

#include <QString>
#include <vector>

class NormalSystem;

class NormalEquationSolver {
public:
    virtual ~NormalEquationSolver() = default;
    // Solves (G^T G + lambda R^T R) x = b of system; x holds a starting guess on entry. False when
    // the solve fails, x then being of no use.
    virtual bool solve(const NormalSystem &system, double lambda, std::vector<double> &x) const = 0;
    // The method, for the iteration log.
    virtual QString name() const = 0;
};
