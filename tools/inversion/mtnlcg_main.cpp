// Stand-in for the conjugate-gradient 2-D inversion program. Run in the "nlcg" folder, it reads
// the control file "b_test_m.dat", the model file and the data file it names, inverts the
// stations' curves by a laterally constrained smooth one-dimensional inversion on the model
// file's layers (normal equations solved by conjugate gradients), prints its iterations and RMS
// misfit, and writes "mod_out.dat": the grid's widths and thicknesses and, for every layer, the
// resistivity of every cell. The cells are five of padding on the left, then one per station,
// then padding on the right; a padding cell takes the nearest station's column.

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <gsl/gsl_errno.h>

#include "ConjugateGradientSolver.h"
#include "LaterallyConstrainedInversion.h"
#include "TextNumbers.h"

namespace {

constexpr int kLeftPadding = 5;

int fail(const QString &message)
{
    QTextStream(stderr) << "MTNLCG stand-in: " << message << '\n';
    return 1;
}

// The data file: the station count, then per station a line starting with its record count and
// one line "f (rho,phase) ..." per record.
bool readCurves(const QString &path, std::vector<StationCurve> &curves)
{
    QStringList lines;
    if (!readLines(path, lines) || lines.isEmpty())
        return false;
    const int stations = static_cast<int>(firstNumber(lines[0]));
    int next = 1;
    for (int s = 1; s <= stations && next < lines.size(); ++s) {
        const int count = static_cast<int>(firstNumber(lines[next++]));
        std::vector<CurvePoint> records;
        for (int k = 0; k < count && next < lines.size(); ++k) {
            const std::vector<double> v = numbersOf(lines[next++]);
            if (v.size() >= 3)
                records.push_back({v[0], v[1], v[2]});
        }
        curves.emplace_back(s, records);
    }
    return !curves.empty();
}

struct ModelGrid {
    std::vector<double> widths;
    std::vector<double> thicknesses;
};

// The model file: "NX NZ", then NX cell widths and NZ layer thicknesses.
bool readModelGrid(const QString &path, ModelGrid &grid)
{
    QStringList lines;
    if (!readLines(path, lines))
        return false;
    std::vector<double> model;
    for (const QString &line : lines)
        for (double value : numbersOf(line))
            model.push_back(value);
    const int nx = model.size() >= 2 ? static_cast<int>(model[0]) : 0;
    const int nz = model.size() >= 2 ? static_cast<int>(model[1]) : 0;
    if (nx < 1 || nz < 2 || model.size() < size_t(2 + nx + nz))
        return false;
    grid.widths.assign(model.begin() + 2, model.begin() + 2 + nx);
    grid.thicknesses.assign(model.begin() + 2 + nx, model.begin() + 2 + nx + nz);
    return std::all_of(grid.thicknesses.begin(), grid.thicknesses.end(), [](double h) { return h > 0; });
}

QString modelOutput(const ModelGrid &grid, const LaterallyConstrainedInversion &inversion, int stations)
{
    const int nx = int(grid.widths.size()), nz = int(grid.thicknesses.size());
    QString out = QStringLiteral("%1 %2\n").arg(nx).arg(nz) + wrapped(grid.widths, 5)
                  + wrapped(grid.thicknesses, 5);
    for (int k = 0; k < nz; ++k) {
        std::vector<double> row;
        for (int c = 0; c < nx; ++c)
            row.push_back(inversion.resistivity(std::clamp(c - kLeftPadding, 0, stations - 1), k));
        out += wrapped(row, 5);
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    QStringList control;
    if (!readLines(QStringLiteral("b_test_m.dat"), control) || control.size() < 3)
        return fail(QStringLiteral("cannot read b_test_m.dat"));
    std::vector<StationCurve> curves;
    if (!readCurves(control[2].trimmed(), curves))
        return fail(QStringLiteral("cannot read the data file ") + control[2]);
    ModelGrid grid;
    if (!readModelGrid(control[1].trimmed(), grid))
        return fail(QStringLiteral("the model file %1 is incomplete").arg(control[1]));
    const ConjugateGradientSolver solver;
    LaterallyConstrainedInversion inversion(curves, LayerGrid(grid.thicknesses), solver);
    QTextStream out(stdout);
    if (!inversion.run(out))
        return fail(QStringLiteral("no station of the data file can be inverted"));
    if (!writeText(QStringLiteral("mod_out.dat"), modelOutput(grid, inversion, int(curves.size()))))
        return fail(QStringLiteral("cannot write mod_out.dat"));
    return 0;
}
