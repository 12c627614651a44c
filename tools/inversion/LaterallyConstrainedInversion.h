#pragma once
// A laterally constrained smooth one-dimensional inversion of a line of stations by Occam's
// method. Every station gets a column of log10 resistivities on one layer grid, tied to its
// neighbours' by the lateral roughness. Each Gauss-Newton step linearises the layered-earth
// response at the current model and solves the normal equations for a range of regularisation
// weights lambda; it keeps the smoothest model (largest lambda) whose RMS misfit reaches the
// target or, while the target is out of reach, the model of least misfit; where the full step to a
// solved model overshoots, shorter steps towards it are tried. Once the misfit stops
// falling towards an unreachable target, the least misfit found (within kMisfitSlack) becomes the
// target, so the result is the smoothest model at the minimum misfit. Stations that cannot be
// inverted take part without data: the roughness alone sets their columns from their neighbours.

#include <QStringList>
#include <QTextStream>
#include <vector>

#include "LayerGrid.h"
#include "NormalEquationSolver.h"
#include "StationCurve.h"
#include "StationData.h"

class NormalSystem;

struct InversionSettings {
    DataErrors errors;
    double targetRms = 1.0;
    // Of the lateral roughness against the vertical one: at 10 a column without data follows its
    // neighbours, while a station's own data still hold a conductor under it alone.
    double lateralWeight = 10.0;
    int maxIterations = 20;
};

class LaterallyConstrainedInversion {
public:
    static constexpr double kMisfitSlack = 0.01;   // relative, around an unreachable target
    // A step at the target that changes no log10 rho by more than kSteadyModel, or the roughness
    // by less than kSteadyRoughness (relative), ends the run.
    static constexpr double kSteadyModel = 0.01;
    static constexpr double kSteadyRoughness = 0.01;
    static constexpr double kLowestLogRho = -2.0;  // a trial model is held within these bounds
    static constexpr double kHighestLogRho = 6.0;

    // solver must outlive this object.
    LaterallyConstrainedInversion(const std::vector<StationCurve> &curves, LayerGrid grid,
                                  const NormalEquationSolver &solver,
                                  const InversionSettings &settings = InversionSettings());

    // Reports the stations with dropped records or left out, then runs the iterations, writing
    // one line for each and the final misfits to log. False, with no model, when no station can
    // be inverted.
    bool run(QTextStream &log);
    // Resistivity (ohm-m) of layer k under station s once run() succeeded.
    double resistivity(int s, int k) const;
    // RMS misfit of the model in units of the data errors.
    double rms() const { return currentRms; }

private:
    struct Trial {
        double lambda = 0.0;
        std::vector<double> model;
        double rms = 0.0;
    };

    NormalSystem linearised() const;
    Trial trial(const NormalSystem &system, double lambda) const;
    std::vector<Trial> sweep(const NormalSystem &system) const;
    bool smoothestWithin(const NormalSystem &system, const std::vector<Trial> &trials, double target,
                         Trial &chosen) const;
    double sumOfSquares(const std::vector<double> &model, int s) const;
    double rmsOf(const std::vector<double> &model) const;
    std::vector<double> column(const std::vector<double> &model, int s) const;
    double startingLogRho() const;
    // Makes chosen the current model and logs it as the given iteration.
    void accept(const Trial &chosen, double roughness, int iteration, QTextStream &log);
    // One Gauss-Newton step; false once the run is over. Lowers target to the least misfit found
    // when the original one is out of reach.
    bool step(int iteration, double &target, QTextStream &log);
    void logFinal(QTextStream &log, double target) const;

    std::vector<StationData> stations;
    std::vector<bool> inverted;
    QStringList reports;
    LayerGrid grid;
    const NormalEquationSolver &solver;
    InversionSettings settings;
    int dataCount = 0;
    std::vector<double> model;
    double currentRms = 0.0;
};
