#include "RobustRegression.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "BandCoefficients.h"

namespace RobustRegression {

namespace {

using cd = std::complex<double>;

constexpr int kMaxUnknowns = 4;
using Vector = std::array<cd, kMaxUnknowns>;

// The rows of one regression: output e, regressors x and their counterparts q on the left of the
// normal equations (q = x without a remote reference), m unknowns: the inputs, then (with a
// slope) the inputs times the row's log-frequency offset.
struct Rows {
    int n = 0;
    int m = 0;
    std::vector<cd> e;
    std::vector<cd> x;  // n * m
    std::vector<cd> q;  // n * m
    std::vector<long long> segment;
};

// The product of two complex numbers by the textbook formula. The standard operator gives the
// same value for finite factors but checks every product for NaN to recover infinities, which
// costs the inner loops below most of their time; their values are finite spectra.
inline cd times(const cd &a, const cd &b)
{
    return {a.real() * b.real() - a.imag() * b.imag(), a.real() * b.imag() + a.imag() * b.real()};
}

// An m x m system and its right-hand side.
struct Normal {
    cd a[kMaxUnknowns][kMaxUnknowns] = {};
    Vector b{};
};

Rows gather(const BandCoefficients &band, int output, const std::vector<int> &inputs,
            const std::vector<int> &references, bool slope)
{
    Rows rows;
    const int p = int(inputs.size());
    rows.n = band.rowCount();
    rows.m = slope ? 2 * p : p;
    const std::vector<int> &left = references.empty() ? inputs : references;
    rows.e.resize(size_t(rows.n));
    rows.x.resize(size_t(rows.n * rows.m));
    rows.q.resize(size_t(rows.n * rows.m));
    rows.segment.resize(size_t(rows.n));
    for (int i = 0; i < rows.n; ++i) {
        rows.e[size_t(i)] = band.value(i, output);
        for (int k = 0; k < rows.m; ++k) {
            const double factor = k < p ? 1.0 : band.logOffsetOf(i);
            rows.x[size_t(i * rows.m + k)] = factor * band.value(i, inputs[size_t(k % p)]);
            rows.q[size_t(i * rows.m + k)] = factor * band.value(i, left[size_t(k % p)]);
        }
        rows.segment[size_t(i)] = band.segmentOf(i);
    }
    return rows;
}

void accumulate(Normal &normal, const Rows &rows, int i, double w)
{
    for (int j = 0; j < rows.m; ++j) {
        const cd left = w * std::conj(rows.q[size_t(i * rows.m + j)]);
        for (int k = 0; k < rows.m; ++k)
            normal.a[j][k] += times(left, rows.x[size_t(i * rows.m + k)]);
        normal.b[size_t(j)] += times(left, rows.e[size_t(i)]);
    }
}

Normal normalEquations(const Rows &rows, const std::vector<double> &w)
{
    Normal normal;
    for (int i = 0; i < rows.n; ++i)
        if (w[size_t(i)] > 0)
            accumulate(normal, rows, i, w[size_t(i)]);
    return normal;
}

// Gauss-Jordan inverse of the m x m matrix a with partial pivoting; false when a pivot falls
// below 1e-12 of the matrix's largest element (singular to working precision).
bool invert(const cd a[kMaxUnknowns][kMaxUnknowns], int m, cd inverse[kMaxUnknowns][kMaxUnknowns])
{
    cd work[kMaxUnknowns][2 * kMaxUnknowns];
    double largest = 0;
    for (int r = 0; r < m; ++r) {
        for (int c = 0; c < m; ++c) {
            work[r][c] = a[r][c];
            work[r][m + c] = r == c ? 1.0 : 0.0;
            largest = std::max(largest, std::abs(a[r][c]));
        }
    }
    for (int c = 0; c < m; ++c) {
        int pivot = c;
        for (int r = c + 1; r < m; ++r)
            if (std::abs(work[r][c]) > std::abs(work[pivot][c]))
                pivot = r;
        if (!(std::abs(work[pivot][c]) > 1e-12 * largest))
            return false;
        std::swap(work[c], work[pivot]);
        const cd scale = 1.0 / work[c][c];
        for (int k = 0; k < 2 * m; ++k)
            work[c][k] *= scale;
        for (int r = 0; r < m; ++r) {
            if (r == c)
                continue;
            const cd factor = work[r][c];
            for (int k = 0; k < 2 * m; ++k)
                work[r][k] -= factor * work[c][k];
        }
    }
    for (int r = 0; r < m; ++r)
        for (int c = 0; c < m; ++c)
            inverse[r][c] = work[r][m + c];
    return true;
}

bool solve(const Normal &normal, int m, Vector &z)
{
    cd inverse[kMaxUnknowns][kMaxUnknowns];
    if (!invert(normal.a, m, inverse))
        return false;
    for (int j = 0; j < m; ++j) {
        z[size_t(j)] = 0.0;
        for (int k = 0; k < m; ++k)
            z[size_t(j)] += inverse[j][k] * normal.b[size_t(k)];
    }
    return true;
}

cd residual(const Rows &rows, int i, const Vector &z)
{
    cd r = rows.e[size_t(i)];
    for (int k = 0; k < rows.m; ++k)
        r -= times(rows.x[size_t(i * rows.m + k)], z[size_t(k)]);
    return r;
}

std::vector<double> residualSizes(const Rows &rows, const Vector &z)
{
    std::vector<double> sizes(size_t(rows.n));
    for (int i = 0; i < rows.n; ++i)
        sizes[size_t(i)] = std::sqrt(std::norm(residual(rows, i, z)));  // hypot's care is not needed here
    return sizes;
}

// RMS of a complex Gaussian residual from the median of |r|: median |r| = sigma sqrt(ln 2).
double residualScale(std::vector<double> sizes)
{
    auto middle = sizes.begin() + long(sizes.size() / 2);
    std::nth_element(sizes.begin(), middle, sizes.end());
    return *middle / std::sqrt(std::log(2.0));
}

double huberWeight(double size, double scale, double k)
{
    return size <= k * scale ? 1.0 : k * scale / size;
}

double biweight(double size, double scale, double c)
{
    const double t = size / (c * scale);
    return t >= 1 ? 0.0 : (1 - t * t) * (1 - t * t);
}

// x_i^T A^-1 conj(x_i) for row i, as sum_j x_j (sum_k A^-1_jk conj(x_k)).
double quadraticForm(const Rows &rows, int i, const cd inverse[kMaxUnknowns][kMaxUnknowns])
{
    const cd *x = &rows.x[size_t(i * rows.m)];
    cd form = 0.0;
    for (int j = 0; j < rows.m; ++j) {
        cd inner = 0.0;
        for (int k = 0; k < rows.m; ++k)
            inner += times(inverse[j][k], std::conj(x[k]));
        form += times(x[j], inner);
    }
    return form.real();
}

// Scales down the leverage weights u of rows whose hat value (with weights w u) exceeds kappa
// times the mean hat value m / N.
void limitLeverage(const Rows &rows, const std::vector<double> &w, std::vector<double> &u, double kappa)
{
    Normal g;
    int used = 0;
    for (int i = 0; i < rows.n; ++i) {
        const double wi = w[size_t(i)] * u[size_t(i)];
        if (!(wi > 0))
            continue;
        ++used;
        const cd *x = &rows.x[size_t(i * rows.m)];
        for (int j = 0; j < rows.m; ++j)
            for (int k = j; k < rows.m; ++k)
                g.a[j][k] += times(wi * std::conj(x[j]), x[k]);
    }
    // The weighted power matrix is Hermitian: its lower half mirrors the upper one.
    for (int j = 0; j < rows.m; ++j)
        for (int k = 0; k < j; ++k)
            g.a[j][k] = std::conj(g.a[k][j]);
    cd inverse[kMaxUnknowns][kMaxUnknowns];
    if (used == 0 || !invert(g.a, rows.m, inverse))
        return;
    const double cut = kappa * rows.m / used;
    for (int i = 0; i < rows.n; ++i) {
        const double wi = w[size_t(i)] * u[size_t(i)];
        const double h = wi > 0 ? wi * quadraticForm(rows, i, inverse) : 0.0;
        if (h > cut)
            u[size_t(i)] *= cut / h;
    }
}

std::vector<double> product(const std::vector<double> &w, const std::vector<double> &u)
{
    std::vector<double> wu(w.size());
    for (size_t i = 0; i < w.size(); ++i)
        wu[i] = w[i] * u[i];
    return wu;
}

bool settled(const Vector &before, const Vector &after, int p, double tolerance)
{
    for (int k = 0; k < p; ++k)
        if (std::abs(after[size_t(k)] - before[size_t(k)]) > tolerance * std::abs(after[size_t(k)]))
            return false;
    return true;
}

// One reweighting step: new residual weights from the sizes of the estimate's residuals,
// leverage limited, new estimate.
template <class Weight>
bool reweight(const Rows &rows, const std::vector<double> &sizes, Vector &z, std::vector<double> &w,
              std::vector<double> &u, double kappa, Weight weight)
{
    for (int i = 0; i < rows.n; ++i)
        w[size_t(i)] = weight(sizes[size_t(i)]);
    limitLeverage(rows, w, u, kappa);
    return solve(normalEquations(rows, product(w, u)), rows.m, z);
}

// The normal equations of the rows of one segment, [start, end).
Normal segmentPart(const Rows &rows, const std::vector<double> &weights, int start, int end)
{
    Normal part;
    for (int i = start; i < end; ++i)
        if (weights[size_t(i)] > 0)
            accumulate(part, rows, i, weights[size_t(i)]);
    return part;
}

Normal without(Normal all, const Normal &part, int m)
{
    for (int j = 0; j < m; ++j) {
        all.b[size_t(j)] -= part.b[size_t(j)];
        for (int k = 0; k < m; ++k)
            all.a[j][k] -= part.a[j][k];
    }
    return all;
}

// A jackknife error from few segments is itself uncertain: the interval of one error then holds
// the truth less often than 68 %. The error is widened to the Student t quantile of 84.1 % for
// its degrees of freedom (1.077 for 7, 1.017 for 30, 1 for many), approximated by the
// Cornish-Fisher series t = z + (z^3 + z) / (4 nu) + (5 z^5 + 16 z^3 + 3 z) / (96 nu^2), z = 1.
double studentWidening(int degreesOfFreedom)
{
    const double nu = std::max(degreesOfFreedom, 1);
    return 1 + 2 / (4 * nu) + 24 / (96 * nu * nu);
}

// Delete-one-segment jackknife variance of the first p elements with the weights held; NaN
// when leaving a segment out makes the system singular.
void jackknife(const Rows &rows, const std::vector<double> &weights, int p, RegressionFit &fit)
{
    const Normal all = normalEquations(rows, weights);
    std::vector<Vector> estimates;
    for (int start = 0, end = 0; start < rows.n; start = end) {
        while (end < rows.n && rows.segment[size_t(end)] == rows.segment[size_t(start)])
            ++end;
        if (std::none_of(weights.begin() + start, weights.begin() + end, [](double w) { return w > 0; }))
            continue;
        Vector zj{};
        if (!solve(without(all, segmentPart(rows, weights, start, end), rows.m), rows.m, zj)) {
            for (int k = 0; k < 2; ++k)
                fit.standardError[k] = fit.radialError[k] = fit.tangentialError[k] = std::nan("");
            return;
        }
        estimates.push_back(zj);
    }
    fit.segments = int(estimates.size());
    const double count = double(estimates.size());
    for (int k = 0; k < p; ++k) {
        cd mean = 0.0;
        for (const Vector &zj : estimates)
            mean += zj[size_t(k)];
        mean /= count;
        // Deviations turned so that the element's own direction is the real axis.
        const cd direction = std::abs(mean) > 0 ? std::conj(mean) / std::abs(mean) : cd(1.0);
        double radial = 0, tangential = 0;
        for (const Vector &zj : estimates) {
            const cd turned = (zj[size_t(k)] - mean) * direction;
            radial += turned.real() * turned.real();
            tangential += turned.imag() * turned.imag();
        }
        const double widening = studentWidening(int(count) - 1);
        fit.radialError[k] = widening * std::sqrt((count - 1) / count * radial);
        fit.tangentialError[k] = widening * std::sqrt((count - 1) / count * tangential);
        fit.standardError[k] = widening * std::sqrt((count - 1) / count * (radial + tangential) / 2);
    }
}

double predictedCoherency(const Rows &rows, const std::vector<double> &weights, const Vector &z)
{
    double residualPower = 0;
    double outputPower = 0;
    for (int i = 0; i < rows.n; ++i) {
        residualPower += weights[size_t(i)] * std::norm(residual(rows, i, z));
        outputPower += weights[size_t(i)] * std::norm(rows.e[size_t(i)]);
    }
    return outputPower > 0 ? std::sqrt(std::max(0.0, 1 - residualPower / outputPower)) : 0.0;
}

// A slope needs rows at more than one frequency.
bool offsetsVary(const BandCoefficients &band)
{
    for (int i = 1; i < band.rowCount(); ++i)
        if (band.logOffsetOf(i) != band.logOffsetOf(0))
            return true;
    return false;
}

int segmentsIn(const Rows &rows)
{
    int count = 0;
    for (int i = 0; i < rows.n; ++i)
        count += (i == 0 || rows.segment[size_t(i)] != rows.segment[size_t(i - 1)]) ? 1 : 0;
    return count;
}

// Huber stage; returns the residual scale it settled on (0 for an exact fit), -1 on failure.
double huberStage(const Rows &rows, Vector &z, std::vector<double> &w, std::vector<double> &u,
                  const RobustRegressionSettings &settings)
{
    double scale = 0;
    for (int iteration = 0; iteration < settings.maxHuberIterations; ++iteration) {
        const Vector before = z;
        const std::vector<double> sizes = residualSizes(rows, z);
        scale = residualScale(sizes);
        if (!(scale > 0))
            return 0;
        if (!reweight(rows, sizes, z, w, u, settings.leverageKappa,
                      [&](double r) { return huberWeight(r, scale, settings.huberK); }))
            return -1;
        if (settled(before, z, rows.m, settings.tolerance))
            break;
    }
    return scale;
}

// How much the jackknife with held weights understates the M-estimate's spread: the estimate's
// sensitivity to its data goes with the effective derivative of psi(r) = w(|r|) r, that is
// w + |r| w'(|r|) / 2 for complex residuals of random phase, not with w itself. The ratio of the
// two sums over the rows (each weighted by its leverage weight and input power) scales the
// standard errors (Huber's asymptotic correction); 1 for an exact fit, at most 3.
double weightingCorrection(const Rows &rows, const Vector &z, const std::vector<double> &u, double scale,
                           bool redescending, const RobustRegressionSettings &settings)
{
    if (!(scale > 0))
        return 1.0;
    double held = 0, effective = 0;
    const std::vector<double> sizes = residualSizes(rows, z);
    for (int i = 0; i < rows.n; ++i) {
        double power = 0;
        for (int k = 0; k < rows.m; ++k)
            power += std::norm(rows.x[size_t(i * rows.m + k)]);
        const double r = sizes[size_t(i)];
        double w = 0, derivative = 0;
        if (redescending) {
            const double t = r / (settings.biweightC * scale);
            w = biweight(r, scale, settings.biweightC);
            derivative = t < 1 ? (1 - t * t) * (1 - 3 * t * t) : 0.0;
        } else {
            w = huberWeight(r, scale, settings.huberK);
            derivative = r <= settings.huberK * scale ? 1.0 : w / 2;
        }
        held += u[size_t(i)] * power * w;
        effective += u[size_t(i)] * power * derivative;
    }
    return effective > held / 3 ? held / effective : 3.0;
}

}  // namespace

RegressionFit fit(const BandCoefficients &band, int output, const std::vector<int> &inputs,
                  const std::vector<int> &references, const RobustRegressionSettings &settings)
{
    RegressionFit result;
    const int p = int(inputs.size());
    if (p < 1 || p > 2 || (!references.empty() && int(references.size()) != p))
        return result;
    const Rows rows = gather(band, output, inputs, references, settings.fitSlope && offsetsVary(band));
    if (rows.n < 4 * rows.m || segmentsIn(rows) < 3)
        return result;
    std::vector<double> w(size_t(rows.n), 1.0);
    std::vector<double> u(size_t(rows.n), 1.0);
    Vector z{};
    if (!solve(normalEquations(rows, w), rows.m, z))
        return result;
    const double scale = huberStage(rows, z, w, u, settings);
    if (scale < 0)
        return result;
    for (int iteration = 0; iteration < settings.biweightIterations && scale > 0; ++iteration) {
        if (!reweight(rows, residualSizes(rows, z), z, w, u, settings.leverageKappa,
                      [&](double r) { return biweight(r, scale, settings.biweightC); }))
            return result;
    }
    const std::vector<double> weights = product(w, u);
    result.valid = true;
    result.inputCount = p;
    for (int k = 0; k < p; ++k)
        result.z[k] = z[size_t(k)];
    result.rows = rows.n;
    result.coherency = predictedCoherency(rows, weights, z);
    jackknife(rows, weights, p, result);
    const double correction = weightingCorrection(rows, z, u, scale, settings.biweightIterations > 0, settings);
    for (int k = 0; k < p; ++k) {
        result.standardError[k] *= correction;
        result.radialError[k] *= correction;
        result.tangentialError[k] *= correction;
    }
    return result;
}

}  // namespace RobustRegression
