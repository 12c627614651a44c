// Stand-in for the conjugate-gradient 2-D inversion program. Run in the "nlcg" folder, it reads
// the control file "b_test_m.dat", the model file and the data file it names, and writes
// "mod_out.dat": the model grid's widths and thicknesses and, for every layer, the resistivity
// of every cell, taken from a Niblett-Bostick column of the station under the cell. It does no
// inversion.

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>

#include "BostickColumn.h"
#include "TextNumbers.h"

namespace {

int fail(const QString &message)
{
    QTextStream(stderr) << "MTNLCG stand-in: " << message << '\n';
    return 1;
}

bool readCurves(const QString &path, std::vector<std::vector<CurvePoint>> &curves)
{
    QStringList lines;
    if (!readLines(path, lines) || lines.isEmpty())
        return false;
    const int stations = static_cast<int>(numbersOf(lines[0]).at(0));
    int next = 1;
    for (int s = 0; s < stations; ++s) {
        if (next >= lines.size())
            return false;
        const int count = static_cast<int>(numbersOf(lines[next++]).at(0));
        std::vector<CurvePoint> curve;
        for (int k = 0; k < count && next < lines.size(); ++k) {
            const std::vector<double> v = numbersOf(lines[next++]);
            if (v.size() >= 3)
                curve.push_back({v[0], v[1], v[2]});
        }
        curves.push_back(curve);
    }
    return !curves.empty();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList control;
    if (!readLines(QStringLiteral("b_test_m.dat"), control) || control.size() < 3)
        return fail(QStringLiteral("cannot read b_test_m.dat"));
    std::vector<std::vector<CurvePoint>> curves;
    if (!readCurves(control[2].trimmed(), curves))
        return fail(QStringLiteral("cannot read the data file ") + control[2]);
    QStringList modelLines;
    if (!readLines(control[1].trimmed(), modelLines))
        return fail(QStringLiteral("cannot read the model file ") + control[1]);
    std::vector<double> model;
    for (const QString &line : modelLines)
        for (double value : numbersOf(line))
            model.push_back(value);
    const int nx = model.size() >= 2 ? static_cast<int>(model[0]) : 0;
    const int nz = model.size() >= 2 ? static_cast<int>(model[1]) : 0;
    if (nx < 1 || nz < 1 || model.size() < size_t(2 + nx + nz))
        return fail(QStringLiteral("the model file is incomplete"));
    const std::vector<double> widths(model.begin() + 2, model.begin() + 2 + nx);
    const std::vector<double> thicknesses(model.begin() + 2 + nx, model.begin() + 2 + nx + nz);

    std::vector<BostickColumn> columns;
    for (const auto &curve : curves)
        columns.emplace_back(curve);
    QString out = QStringLiteral("%1 %2\n").arg(nx).arg(nz) + wrapped(widths, 5) + wrapped(thicknesses, 5);
    double top = 0.0;
    for (int k = 0; k < nz; ++k) {
        const double centre = top + thicknesses[k] / 2;
        top += thicknesses[k];
        // Five cells of left padding, then the stations in order; the padding takes the nearest
        // station's column.
        std::vector<double> row;
        for (int c = 0; c < nx; ++c) {
            const int station = std::clamp(c - 5, 0, int(columns.size()) - 1);
            row.push_back(columns[station].resistivityAt(centre));
        }
        out += wrapped(row, 5);
    }
    if (!writeText(QStringLiteral("mod_out.dat"), out))
        return fail(QStringLiteral("cannot write mod_out.dat"));
    return 0;
}
