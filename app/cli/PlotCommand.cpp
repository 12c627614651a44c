#include "PlotCommand.h"

#include <QFileInfo>
#include <QTextStream>
#include <cmath>
#include <functional>

#include "CliProject.h"
#include "CommandLine.h"
#include "CurveMisfit.h"
#include "CurvePlot.h"
#include "Data_Station.h"
#include "DemoModelFile.h"
#include "LineCommandSupport.h"
#include "PlotTicks.h"
#include "SectionPlot.h"
#include "SectionTableFile.h"
#include "StationTensorFiles.h"

namespace {

const QString kCommand = QStringLiteral("plot");
constexpr int kModelPointsPerDecade = 30;

QVector<QPointF> rhoOf(const QVector<OneFreqImpedance> &curve)
{
    QVector<QPointF> points;
    for (const OneFreqImpedance &z : curve)
        points << QPointF(z.freq, z.rho);
    return points;
}

QVector<QPointF> phaseOf(const QVector<OneFreqImpedance> &curve)
{
    QVector<QPointF> points;
    for (const OneFreqImpedance &z : curve)
        points << QPointF(z.freq, z.phase);
    return points;
}

// A curve with its error bars (NaN where none is known) as a plotted series.
CurvePlot::Series seriesOf(const QString &name, const QVector<OneFreqImpedance> &curve,
                           const QVector<ImpedanceErrorBar> &bars)
{
    CurvePlot::Series series{name, rhoOf(curve), phaseOf(curve), {}, {}};
    if (bars.isEmpty())
        return series;
    for (const ImpedanceErrorBar *bar : errorBarsAlong(curve, bars)) {
        series.rhoError << (bar ? bar->rhoError : NAN);
        series.phaseError << (bar ? bar->phaseError : NAN);
    }
    return series;
}

// Adds the station's stored scalar curves with their error bars; false when it has none.
bool addScalarCurves(CliProject &project, const CliProject::StationRef &ref, CurvePlot &plot)
{
    const Data_Station *station = project.station(ref);
    if (station->HasResult() < 1)
        return false;
    const StationCurves stored = station->storedCurves();
    const struct {
        const char *name;
        const QVector<OneFreqImpedance> *curve;
        const QVector<ImpedanceErrorBar> *bars;
    } curves[] = {{"ExHy", &stored.exHy, &stored.exHyBars},
                  {"EyHx", &stored.eyHx, &stored.eyHxBars},
                  {"Ex2Hy", &stored.ex2Hy, &stored.ex2HyBars}};
    bool any = false;
    for (const auto &c : curves) {
        if (!c.curve->isEmpty())
            plot.addMeasured(seriesOf(QLatin1String(c.name), *c.curve, *c.bars));
        any = any || !c.curve->isEmpty();
    }
    return any;
}

// Adds Zxy and Zyx of the station's tensor band files; false when it has none or one is unreadable.
bool addTensorResults(CliProject &project, const CliProject::StationRef &ref, CurvePlot &plot)
{
    const float stationNum = project.station(ref)->StationNum();
    QList<StationTensorFiles::BandImpedance> records;
    if (StationTensorFiles::existing(stationNum).isEmpty()
        || !StationTensorFiles::read(project.dialogs(), stationNum, records) || records.isEmpty())
        return false;
    CurvePlot::Series xy{QStringLiteral("Zxy (tensor)"), {}, {}, {}, {}};
    CurvePlot::Series yx{QStringLiteral("Zyx (tensor), phase + 180\u00b0"), {}, {}, {}, {}};
    for (const StationTensorFiles::BandImpedance &record : qAsConst(records)) {
        const TensorImpedance &z = record.impedance;
        xy.rho << QPointF(z.freq, z.rhoXY);
        xy.phase << QPointF(z.freq, z.phaseXY);
        yx.rho << QPointF(z.freq, z.rhoYX);
        // Zyx of a layered earth is -Zxy: its phase lies 180 degrees below.
        yx.phase << QPointF(z.freq, z.phaseYX + 180.0);
    }
    plot.addMeasured(xy);
    plot.addMeasured(yx);
    return true;
}

QVector<QPointF> sampled(const QPointF &range, const std::function<double(double)> &value)
{
    const double decades = std::log10(range.y() / range.x());
    const int count = std::max(2, int(kModelPointsPerDecade * decades) + 1);
    QVector<QPointF> points;
    for (int i = 0; i < count; ++i) {
        const double freq = range.x() * std::pow(range.y() / range.x(), double(i) / (count - 1));
        points << QPointF(freq, value(freq));
    }
    return points;
}

// The model curves of earths over the measured band: resistivity, and the phase the scalar
// curves store (mapped by the scalar impedance step, as compare expects) and the tensor results
// carry (unmapped). Both polarisations are drawn only when their earths differ.
void addModelCurves(CurvePlot &plot, const DemoModelFile::StationEarths &earths, bool scalar,
                    bool tensor)
{
    const QPointF range = plot.frequencyRange();
    const auto rho = [](const LayeredEarth &e) {
        return [&e](double f) { return e.apparentResistivity(f); };
    };
    const auto phase = [](const LayeredEarth &e) {
        return [&e](double f) { return e.phaseDegrees(f); };
    };
    const bool same = sampled(range, rho(earths.xy)) == sampled(range, rho(earths.yx))
                      && sampled(range, phase(earths.xy)) == sampled(range, phase(earths.yx));
    for (const auto &[polarisation, earth] : {std::pair{" xy", &earths.xy}, {" yx", &earths.yx}}) {
        const QString name =
            QStringLiteral("Model") + (same ? QString() : QLatin1String(polarisation));
        const auto mapped = [earth](double f) {
            return CurveMisfit::mappedPhase(earth->phaseDegrees(f));
        };
        plot.addModelRho({name, sampled(range, rho(*earth))});
        if (scalar)
            plot.addModelPhase({name + QStringLiteral(", mapped phase (scalar)"), sampled(range, mapped)});
        if (tensor)
            plot.addModelPhase({name + QStringLiteral(" phase (tensor)"),
                                sampled(range, phase(*earth))});
        if (same)
            break;
    }
}

// The earths of the station in the demo model file beside the project, when there is one.
bool stationEarths(const QString &modelFile, float stationNum, int lineNumber,
                   DemoModelFile::StationEarths &earths)
{
    QList<DemoModelFile::StationEarths> models;
    if (!QFileInfo::exists(modelFile) || !DemoModelFile::read(modelFile, models))
        return false;
    for (const DemoModelFile::StationEarths &candidate : qAsConst(models))
        if (candidate.line == lineNumber && candidate.station == stationNum) {
            earths = candidate;
            return true;
        }
    return false;
}

int plotCurve(const QCommandLineParser &parser, const QString &out, QSize size)
{
    if (!parser.isSet(QStringLiteral("line")) || !parser.isSet(QStringLiteral("station"))) {
        CommandLine::printError(kCommand, QStringLiteral("--line and --station are required"));
        return 2;
    }
    const QString projectFile = parser.positionalArguments().at(1);
    const QString modelFile = DemoModelFile::besideProject(projectFile);
    CliProject project(kCommand);
    QList<CliProject::StationRef> selected;
    if (!project.open(projectFile)
        || !project.selectStations(parser.value(QStringLiteral("line")),
                                   parser.value(QStringLiteral("station")), selected))
        return 1;
    const CliProject::StationRef ref = selected.first();
    CurvePlot plot(project.label(ref));
    const bool scalar = addScalarCurves(project, ref, plot);
    const bool tensor = addTensorResults(project, ref, plot);
    if (!scalar && !tensor) {
        project.error(QStringLiteral("%1 has neither stored curves nor tensor results; run process "
                                     "first").arg(project.label(ref)));
        return 1;
    }
    DemoModelFile::StationEarths earths;
    if (stationEarths(modelFile, project.station(ref)->StationNum(),
                      parser.value(QStringLiteral("line")).toInt(), earths))
        addModelCurves(plot, earths, scalar, tensor);
    if (!plot.save(out, size))
        return 1;
    if (plot.unplottable() > 0) {
        project.error(QStringLiteral("%1 has %2 curve points whose frequency or resistivity lies "
                                     "outside %3 to %4 (or whose phase is not a number); they "
                                     "were left out of %5")
                          .arg(project.label(ref)).arg(plot.unplottable()).arg(kLogScaleLowest)
                          .arg(kLogScaleHighest).arg(out));
        return 1;
    }
    QTextStream(stdout) << "Curve plot of " << project.label(ref) << " written to " << out << '\n';
    return 0;
}

int plotSection(const QString &table, const QString &out, QSize size)
{
    QList<DataType_ResultData> section;
    const QString name = QFileInfo(table).fileName();
    if (!SectionTableFile::read(table, section) || !SectionPlot::save(section, name, out, size))
        return 1;
    QTextStream(stdout) << "Section plot of " << name << " written to " << out << '\n';
    return 0;
}

// "WIDTHxHEIGHT" in pixels, each from 200 to 8000; an invalid size otherwise.
QSize sizeFrom(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    bool okWidth = false, okHeight = false;
    const QSize size(parts.value(0).toInt(&okWidth), parts.value(1).toInt(&okHeight));
    const bool inRange = std::min(size.width(), size.height()) >= 200
                         && std::max(size.width(), size.height()) <= 8000;
    return parts.size() == 2 && okWidth && okHeight && inRange ? size : QSize();
}

} // namespace

int runPlotCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("line"), QStringLiteral("line number"), QStringLiteral("N")},
                       {QStringLiteral("station"), QStringLiteral("station number"), QStringLiteral("S")},
                       {QStringLiteral("out"), QStringLiteral("PNG file to write"), QStringLiteral("FILE")},
                       {QStringLiteral("size"), QStringLiteral("image size in pixels"),
                        QStringLiteral("WxH"), QStringLiteral("1000x700")}});
    if (!CommandLine::parse(parser, kCommand, arguments, 2))
        return 2;
    const QString kind = parser.positionalArguments().first();
    const QSize size = sizeFrom(parser.value(QStringLiteral("size")));
    if (!size.isValid()) {
        CommandLine::printError(kCommand, QStringLiteral("--size %1: expected WIDTHxHEIGHT, 200 to "
                                                         "8000 pixels each")
                                              .arg(parser.value(QStringLiteral("size"))));
        return 2;
    }
    if (!parser.isSet(QStringLiteral("out"))) {
        CommandLine::printError(kCommand, QStringLiteral("--out is required"));
        return 2;
    }
    const QString out = LineCommandSupport::absolute(parser.value(QStringLiteral("out")));
    if (kind == QLatin1String("curve"))
        return plotCurve(parser, out, size);
    if (kind == QLatin1String("section"))
        return plotSection(parser.positionalArguments().at(1), out, size);
    CommandLine::printError(kCommand,
                            QStringLiteral("unknown plot \"%1\"; expected curve or section").arg(kind));
    return 2;
}
