#include "LaterallyConstrainedInversion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "NormalSystem.h"

namespace {

// log10 lambda of the trials of one step, from the smoothest down.
constexpr double kLargestLogLambda = 4.0;
constexpr double kSmallestLogLambda = -2.0;
constexpr double kLogLambdaStep = 0.5;
// Halvings of the log10 lambda interval in which the misfit crosses the target.
constexpr int kBisections = 5;
// Least relative fall of the misfit for a step towards an unreachable target to count.
constexpr double kProgress = 0.01;

double largestChange(const std::vector<double> &a, const std::vector<double> &b)
{
    double change = 0.0;
    for (size_t i = 0; i < a.size(); ++i)
        change = std::max(change, std::abs(a[i] - b[i]));
    return change;
}

} // namespace

LaterallyConstrainedInversion::LaterallyConstrainedInversion(const std::vector<StationCurve> &curves,
                                                             LayerGrid grid,
                                                             const NormalEquationSolver &solver,
                                                             const InversionSettings &settings)
    : grid(std::move(grid)), solver(solver), settings(settings)
{
    for (const StationCurve &curve : curves) {
        inverted.push_back(curve.isInvertible());
        stations.emplace_back(curve.isInvertible() ? curve.usableRecords() : std::vector<CurvePoint>(),
                              settings.errors);
        dataCount += stations.back().count();
        if (!curve.report().isEmpty())
            reports << curve.report();
    }
}

std::vector<double> LaterallyConstrainedInversion::column(const std::vector<double> &m, int s) const
{
    const int layers = grid.layerCount();
    return std::vector<double>(m.begin() + s * layers, m.begin() + (s + 1) * layers);
}

double LaterallyConstrainedInversion::sumOfSquares(const std::vector<double> &m, int s) const
{
    double sum = 0.0;
    for (double r : stations[s].residuals(grid, column(m, s)))
        sum += r * r;
    return sum;
}

double LaterallyConstrainedInversion::rmsOf(const std::vector<double> &m) const
{
    double sum = 0.0;
    for (int s = 0; s < int(stations.size()); ++s)
        if (inverted[s])
            sum += sumOfSquares(m, s);
    return std::sqrt(sum / dataCount);
}

NormalSystem LaterallyConstrainedInversion::linearised() const
{
    NormalSystem system(int(stations.size()), grid, settings.lateralWeight);
    std::vector<double> jacobian;
    for (int s = 0; s < int(stations.size()); ++s) {
        if (!inverted[s])
            continue;
        const std::vector<double> m = column(model, s);
        const std::vector<double> r = stations[s].residuals(grid, m, jacobian);
        system.setStation(s, jacobian, r, m);
    }
    return system;
}

// Where the response is far from linear the full step to the solved model can overshoot; then
// shorter steps towards it are tried, and the best is kept.
LaterallyConstrainedInversion::Trial LaterallyConstrainedInversion::trial(const NormalSystem &system,
                                                                          double lambda) const
{
    std::vector<double> solved = model;
    if (!solver.solve(system, lambda, solved))
        return {lambda, model, std::numeric_limits<double>::infinity()};
    Trial best{lambda, model, std::numeric_limits<double>::infinity()};
    for (double fraction : {1.0, 0.5, 0.25}) {
        Trial t{lambda, model, 0.0};
        for (size_t i = 0; i < solved.size(); ++i)
            t.model[i] = std::clamp(model[i] + fraction * (solved[i] - model[i]), kLowestLogRho, kHighestLogRho);
        t.rms = rmsOf(t.model);
        if (t.rms < best.rms)
            best = std::move(t);
        if (best.rms <= currentRms)
            break;
    }
    return best;
}

std::vector<LaterallyConstrainedInversion::Trial>
LaterallyConstrainedInversion::sweep(const NormalSystem &system) const
{
    std::vector<Trial> trials;
    for (double logLambda = kLargestLogLambda; logLambda >= kSmallestLogLambda - 1e-9;
         logLambda -= kLogLambdaStep)
        trials.push_back(trial(system, std::pow(10.0, logLambda)));
    return trials;
}

// trials run from the largest lambda down. The first within the target is bracketed with the
// one before it, and the bracket is halved in log lambda towards the crossing of the target.
bool LaterallyConstrainedInversion::smoothestWithin(const NormalSystem &system,
                                                    const std::vector<Trial> &trials, double target,
                                                    Trial &chosen) const
{
    const auto within = std::find_if(trials.begin(), trials.end(),
                                      [target](const Trial &t) { return t.rms <= target; });
    if (within == trials.end())
        return false;
    chosen = *within;
    if (within == trials.begin())
        return true;
    double rough = std::log10(within->lambda), smooth = std::log10((within - 1)->lambda);
    for (int i = 0; i < kBisections; ++i) {
        const double middle = (rough + smooth) / 2;
        Trial t = trial(system, std::pow(10.0, middle));
        if (t.rms <= target) {
            chosen = std::move(t);
            rough = middle;
        } else {
            smooth = middle;
        }
    }
    return true;
}

double LaterallyConstrainedInversion::startingLogRho() const
{
    double sum = 0.0;
    int count = 0;
    for (int s = 0; s < int(stations.size()); ++s)
        if (inverted[s]) {
            sum += stations[s].meanLogRho();
            ++count;
        }
    return sum / count;
}

void LaterallyConstrainedInversion::accept(const Trial &chosen, double roughness, int iteration,
                                           QTextStream &log)
{
    model = chosen.model;
    currentRms = chosen.rms;
    log << QStringLiteral("iteration %1: RMS misfit %2, lambda %3, roughness %4\n")
               .arg(iteration).arg(currentRms, 0, 'f', 3).arg(chosen.lambda, 0, 'g', 3)
               .arg(roughness, 0, 'g', 3);
    log.flush();
}

bool LaterallyConstrainedInversion::step(int iteration, double &target, QTextStream &log)
{
    const NormalSystem system = linearised();
    const std::vector<Trial> trials = sweep(system);
    const Trial &best = *std::min_element(trials.begin(), trials.end(),
                                          [](const Trial &a, const Trial &b) { return a.rms < b.rms; });
    if (best.rms > target && currentRms > target) {
        if (best.rms < currentRms * (1.0 - kProgress)) {
            accept(best, system.roughness(best.model), iteration, log);
            return true;
        }
        target = std::min(best.rms, currentRms) * (1.0 + kMisfitSlack);
        log << QStringLiteral("the target RMS misfit %1 is out of reach: the smoothest model "
                              "within %2 follows\n").arg(settings.targetRms).arg(target, 0, 'f', 3);
    }
    Trial chosen;
    if (!smoothestWithin(system, trials, target, chosen))
        return false;
    const double change = largestChange(chosen.model, model);
    const double roughness = system.roughness(model), smoothed = system.roughness(chosen.model);
    accept(chosen, smoothed, iteration, log);
    return change >= kSteadyModel && std::abs(smoothed - roughness) >= kSteadyRoughness * roughness;
}

bool LaterallyConstrainedInversion::run(QTextStream &log)
{
    for (const QString &report : reports)
        log << report << '\n';
    if (dataCount == 0) {
        log << "no station can be inverted\n";
        return false;
    }
    const std::vector<double> start(stations.size() * grid.layerCount(), startingLogRho());
    accept({0.0, start, rmsOf(start)}, 0.0, 0, log);
    double target = settings.targetRms;
    int iteration = 1;
    while (iteration <= settings.maxIterations && step(iteration, target, log))
        ++iteration;
    logFinal(log, target);
    return true;
}

double LaterallyConstrainedInversion::resistivity(int s, int k) const
{
    return std::pow(10.0, model[size_t(s) * grid.layerCount() + k]);
}

void LaterallyConstrainedInversion::logFinal(QTextStream &log, double target) const
{
    for (int s = 0; s < int(stations.size()); ++s)
        if (inverted[s])
            log << QStringLiteral("station %1: RMS misfit %2 over %3 data\n")
                       .arg(s + 1).arg(std::sqrt(sumOfSquares(model, s) / stations[s].count()), 0, 'f', 3)
                       .arg(stations[s].count());
    log << QStringLiteral("final RMS misfit %1 (target %2) over %3 data, normal equations solved by %4\n")
               .arg(currentRms, 0, 'f', 3).arg(target, 0, 'f', 3).arg(dataCount).arg(solver.name());
}
