// Stand-in for the least-squares 2-D inversion program. Run in the "nlls" folder, it reads the
// field-data file "SampleData/curline.fdt" and writes "SampleData/curline_TMTp.mir" with one block
// column per station (and two padding columns on each side) and 30 block rows of 10, 20, ...
// 100 m, then 100 m, each holding the Niblett-Bostick resistivity of the station's curve at the
// block's mid-depth. It does no inversion.

#include <QCoreApplication>
#include <QTextStream>
#include <algorithm>

#include "BostickColumn.h"
#include "TextNumbers.h"

namespace {

constexpr int kBlockRows = 30;
constexpr int kSections = 10;

int fail(const QString &message)
{
    QTextStream(stderr) << "MT2DACB stand-in: " << message << '\n';
    return 1;
}

// The curve of every " >> Station : i" block: lines "1 f rho phase".
std::vector<std::vector<CurvePoint>> readStations(const QStringList &lines)
{
    std::vector<std::vector<CurvePoint>> stations;
    for (const QString &line : lines) {
        if (line.contains(QStringLiteral(">> Station :"))) {
            stations.emplace_back();
            continue;
        }
        const std::vector<double> v = numbersOf(line);
        if (!stations.empty() && v.size() == 4)
            stations.back().push_back({v[1], v[2], v[3]});
    }
    return stations;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList lines;
    if (!readLines(QStringLiteral("SampleData/curline.fdt"), lines))
        return fail(QStringLiteral("cannot read SampleData/curline.fdt"));
    const std::vector<std::vector<CurvePoint>> stations = readStations(lines);
    if (stations.empty())
        return fail(QStringLiteral("SampleData/curline.fdt holds no station"));
    std::vector<BostickColumn> columns;
    for (const auto &curve : stations)
        columns.emplace_back(curve);
    const int nxb = int(columns.size()) + 4, nzb = kBlockRows + 2;
    QString out = QStringLiteral(" >> MT2DInvMatlab result (stand-in: Niblett-Bostick columns)\n"
                                 " >> No of blocks in x-direction\n  %1\n"
                                 " >> No of blocks in z-direction\n  %2\n"
                                 " >> Inverted Data\n  TM\n").arg(nxb).arg(nzb);
    for (int i = 1; i <= kSections; ++i)
        out += QStringLiteral(" >> Iteration %1\n >> Inverted resestivity\n").arg(i);
    double top = 0.0;
    for (int k = 0; k < kBlockRows; ++k) {
        const double height = 10.0 * std::min(k + 1, 10);
        const double centre = top + height / 2;
        top += height;
        std::vector<double> row;
        for (int b = 0; b < nxb; ++b)
            row.push_back(columns[std::clamp(b - 2, 0, int(columns.size()) - 1)].resistivityAt(centre));
        out += wrapped(row, nxb);
    }
    if (!writeText(QStringLiteral("SampleData/curline_TMTp.mir"), out))
        return fail(QStringLiteral("cannot write SampleData/curline_TMTp.mir"));
    return 0;
}
