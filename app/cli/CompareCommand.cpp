#include "CompareCommand.h"

#include <QFileInfo>
#include <QTextStream>

#include "CliProject.h"
#include "CommandLine.h"
#include "CurveMisfit.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "DemoModelFile.h"
#include "ProcessOptions.h"
#include "RecordingOrigins.h"
#include "StationTensorFiles.h"
#include "TensorResultBand.h"

namespace {

using CurveMisfit::Misfit;
using DemoModelFile::StationEarths;

const QString kCommand = QStringLiteral("compare");
constexpr double kRhoTolerance = 0.05;
constexpr double kPhaseTolerance = 2.0;

struct Comparison {
    CliProject &project;
    bool mapPhase = true;   // the estimator maps the phase (the plain method)
    int fftLength = 16384;  // -1: as many samples as the sampling rate
    int outside = 0;        // curves beyond the tolerances
};

CurveMisfit::Window interiorOf(const Comparison &c, int rate)
{
    return CurveMisfit::interior(rate, c.fftLength > 0 ? c.fftLength : rate);
}

void report(Comparison &c, const QString &station, const QString &curve, const Misfit &m)
{
    QTextStream out(stdout);
    out << QStringLiteral("%1  %2").arg(station, -18).arg(curve, -14);
    if (m.count == 0) {
        out << "no record inside the band interiors\n";
        return;
    }
    const bool within = m.within(kRhoTolerance, kPhaseTolerance);
    c.outside += within ? 0 : 1;
    out << QStringLiteral("%1 points  rho %2 %  phase %3 deg  %4\n")
               .arg(m.count, 3).arg(100.0 * m.rho, 5, 'f', 2).arg(m.phase, 5, 'f', 2)
               .arg(within ? QStringLiteral("ok") : QStringLiteral("OUTSIDE; worst ") + m.worst);
}

Misfit scalarMisfit(const Comparison &c, Data_Station &station, int channel,
                    const QVector<OneFreqImpedance> &curve, const LayeredEarth &earth)
{
    const QVector<int> rates = RecordingOrigins::ratesOf(station, channel, curve);
    Misfit misfit;
    for (int i = 0; i < curve.size(); ++i) {
        const OneFreqImpedance &z = curve.at(i);
        if (rates.at(i) == 0 || CurveMisfit::isFilledIn(z.freq)
            || !interiorOf(c, rates.at(i)).contains(z.freq))
            continue;
        const double phase = earth.phaseDegrees(z.freq);
        misfit.add(z.freq, z.rho, z.phase, earth.apparentResistivity(z.freq),
                   c.mapPhase ? CurveMisfit::mappedPhase(phase) : phase);
    }
    return misfit;
}

void compareScalar(Comparison &c, const CliProject::StationRef &ref, const StationEarths &earths)
{
    Data_Station *station = c.project.station(ref);
    const QString label = c.project.label(ref);
    const StationCurves stored = station->storedCurves();
    if (station->HasResult() < 1) {
        QTextStream(stdout) << QStringLiteral("%1  no stored scalar curves\n").arg(label, -18);
        return;
    }
    const struct {
        const char *name;
        int channel;
        const QVector<OneFreqImpedance> &curve;
        const LayeredEarth &earth;
    } curves[] = {{"ExHy", 0, stored.exHy, earths.xy}, {"EyHx", 1, stored.eyHx, earths.yx},
                  {"Ex2Hy", 2, stored.ex2Hy, earths.xy}};
    for (const auto &entry : curves)
        if (!entry.curve.isEmpty())
            report(c, label, QLatin1String(entry.name),
                   scalarMisfit(c, *station, entry.channel, entry.curve, entry.earth));
}

// The sampling rate of the station's used recording whose tensor results went into band.
int rateOfBand(Data_Station &station, const QString &band)
{
    DORE_Collection<Data_SampleData> *samples = station.REF_Data_SampleData();
    for (int s = 0; s < samples->count(); ++s) {
        Data_SampleData *sample = samples->at(s).object;
        if (sample && sample->Use() != 0
            && TensorResultBands::extension(SampleRateBands::tensorResultBand(sample->SampleRate()))
                   == QLatin1Char('.') + band)
            return sample->SampleRate();
    }
    return 0;
}

void compareTensor(Comparison &c, const CliProject::StationRef &ref, const StationEarths &earths)
{
    Data_Station *station = c.project.station(ref);
    QList<StationTensorFiles::BandImpedance> records;
    if (StationTensorFiles::existing(station->StationNum()).isEmpty()
        || !StationTensorFiles::read(c.project.dialogs(), station->StationNum(), records))
        return;
    Misfit xy, yx;
    for (const StationTensorFiles::BandImpedance &r : qAsConst(records)) {
        const TensorImpedance &z = r.impedance;
        const int rate = rateOfBand(*station, r.band);
        if (rate == 0 || !interiorOf(c, rate).contains(z.freq))
            continue;
        xy.add(z.freq, z.rhoXY, z.phaseXY, earths.xy.apparentResistivity(z.freq),
               earths.xy.phaseDegrees(z.freq));
        // Zyx of a layered earth is -Z: its phase lies 180 degrees below that of Z.
        yx.add(z.freq, z.rhoYX, z.phaseYX + 180.0, earths.yx.apparentResistivity(z.freq),
               earths.yx.phaseDegrees(z.freq));
    }
    report(c, c.project.label(ref), QStringLiteral("Zxy (tensor)"), xy);
    report(c, c.project.label(ref), QStringLiteral("Zyx (tensor)"), yx);
}

bool readOptions(const QCommandLineParser &parser, Comparison &c)
{
    int estimator = 1;
    if (!ProcessOptions::estimatorCode(parser.value(QStringLiteral("estimator")), estimator)) {
        CommandLine::printError(kCommand, QStringLiteral("unknown estimator ")
                                              + parser.value(QStringLiteral("estimator")));
        return false;
    }
    c.mapPhase = estimator == 1;
    const QString length = parser.value(QStringLiteral("fft-length"));
    if (!ProcessOptions::fftLength(length, c.fftLength)) {
        CommandLine::printError(kCommand, QStringLiteral("--fft-length %1: expected %2")
                                              .arg(length, ProcessOptions::fftLengthExpected()));
        return false;
    }
    return true;
}

} // namespace

int runCompareCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({{QStringLiteral("model"), QStringLiteral("earth model file"), QStringLiteral("file")},
                       {QStringLiteral("estimator"), QStringLiteral("estimator the curves came from"),
                        QStringLiteral("name"), QStringLiteral("plain")},
                       {QStringLiteral("fft-length"), QStringLiteral("segment length the curves came from"),
                        QStringLiteral("n"), QStringLiteral("16384")}});
    if (!CommandLine::parse(parser, kCommand, arguments, 1))
        return 2;
    CliProject project(kCommand);
    Comparison c{project};
    const QString projectFile = parser.positionalArguments().first();
    const QString modelFile = parser.isSet(QStringLiteral("model"))
                                  ? QFileInfo(parser.value(QStringLiteral("model"))).absoluteFilePath()
                                  : DemoModelFile::besideProject(projectFile);
    QList<StationEarths> models;
    if (!readOptions(parser, c))
        return 2;
    if (!project.open(projectFile))
        return 1;
    if (!DemoModelFile::read(modelFile, models)) {
        project.error(QStringLiteral("cannot read the earth models from %1").arg(modelFile));
        return 1;
    }
    QTextStream(stdout) << "Misfits against the earth models, over the interior of each recording's "
                           "band (filled-in frequencies left out); tolerance 5 % and 2 degrees\n";
    for (const StationEarths &earths : qAsConst(models)) {
        QList<CliProject::StationRef> refs;
        if (!project.selectStations(QString::number(earths.line), QString::number(earths.station), refs)) {
            ++c.outside;
            continue;
        }
        compareScalar(c, refs.first(), earths);
        compareTensor(c, refs.first(), earths);
    }
    return c.outside == 0 ? 0 : 1;
}
