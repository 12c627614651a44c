// Stand-in for the least-squares 2-D inversion program. Run in the "nlls" folder, it reads the
// field-data file "SampleData/curline.fdt", inverts the stations' curves by a laterally
// constrained smooth one-dimensional inversion (normal equations solved directly), prints its
// iterations and RMS misfit, and writes "SampleData/curline_TMTp.mir" with one block column per
// station (and two padding columns on each side, taking the nearest station's column) and 30 block
// rows of 10, 20, ... 100 m, then 100 m. Below the written rows the model goes on in layers
// growing by half each to a half-space, so that the lowest frequencies have earth to see.

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>
#include <gsl/gsl_errno.h>

#include "BandedCholeskySolver.h"
#include "LaterallyConstrainedInversion.h"
#include "TextNumbers.h"

namespace {

constexpr int kBlockRows = 30;
constexpr int kSections = 10;
constexpr int kPaddingColumns = 2;
constexpr int kDeepLayers = 10;

int fail(const QString &message)
{
    QTextStream(stderr) << "MT2DACB stand-in: " << message << '\n';
    return 1;
}

// The curve of every " >> Station : i" block: lines "1 f rho phase".
std::vector<StationCurve> readStations(const QStringList &lines)
{
    std::vector<std::vector<CurvePoint>> records;
    for (const QString &line : lines) {
        if (line.contains(QStringLiteral(">> Station :"))) {
            records.emplace_back();
            continue;
        }
        const std::vector<double> v = numbersOf(line);
        if (!records.empty() && v.size() == 4)
            records.back().push_back({v[1], v[2], v[3]});
    }
    std::vector<StationCurve> curves;
    for (size_t s = 0; s < records.size(); ++s)
        curves.emplace_back(int(s) + 1, records[s]);
    return curves;
}

// The block rows, then the deep layers, the last of them the half-space.
LayerGrid layerGrid()
{
    std::vector<double> thicknesses;
    for (int k = 0; k < kBlockRows; ++k)
        thicknesses.push_back(10.0 * std::min(k + 1, 10));
    for (int k = 0; k < kDeepLayers; ++k)
        thicknesses.push_back(thicknesses.back() * 1.5);
    return LayerGrid(thicknesses);
}

QString result(const LaterallyConstrainedInversion &inversion, int stations)
{
    const int nxb = stations + 2 * kPaddingColumns, nzb = kBlockRows + 2;
    QString out = QStringLiteral(" >> MT2DInvMatlab result (stand-in: laterally constrained smooth "
                                 "1-D inversion, RMS misfit %1)\n"
                                 " >> No of blocks in x-direction\n  %2\n"
                                 " >> No of blocks in z-direction\n  %3\n"
                                 " >> Inverted Data\n  TM\n")
                      .arg(inversion.rms(), 0, 'f', 3).arg(nxb).arg(nzb);
    for (int i = 1; i <= kSections; ++i)
        out += QStringLiteral(" >> Iteration %1\n >> Inverted resestivity\n").arg(i);
    for (int k = 0; k < kBlockRows; ++k) {
        std::vector<double> row;
        for (int b = 0; b < nxb; ++b)
            row.push_back(inversion.resistivity(std::clamp(b - kPaddingColumns, 0, stations - 1), k));
        out += wrapped(row, nxb);
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    QStringList lines;
    if (!readLines(QStringLiteral("SampleData/curline.fdt"), lines))
        return fail(QStringLiteral("cannot read SampleData/curline.fdt"));
    const std::vector<StationCurve> curves = readStations(lines);
    if (curves.empty())
        return fail(QStringLiteral("SampleData/curline.fdt holds no station"));
    const BandedCholeskySolver solver;
    LaterallyConstrainedInversion inversion(curves, layerGrid(), solver);
    QTextStream out(stdout);
    if (!inversion.run(out))
        return fail(QStringLiteral("no station of SampleData/curline.fdt can be inverted"));
    if (!writeText(QStringLiteral("SampleData/curline_TMTp.mir"), result(inversion, int(curves.size()))))
        return fail(QStringLiteral("cannot write SampleData/curline_TMTp.mir"));
    return 0;
}
