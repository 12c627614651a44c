#include "VolumeCommand.h"

#include <QCommandLineParser>

#include "CliProject.h"
#include "CommandLine.h"
#include "CoordinateFile.h"
#include "LineCommandSupport.h"
#include "VolumeRun.h"
#include "VolumeSlicePlot.h"

namespace {

const QString kCommand = QStringLiteral("volume");

// The numeric options and the settings they set.
struct NumberOption {
    const char *name;
    const char *help;
    double VolumeSettings::*field;
};
const NumberOption kNumberOptions[] = {
    {"radius", "search radius, m", &VolumeSettings::searchRadius},
    {"x-coefficient", "scale on horizontal distances", &VolumeSettings::xCoefficient},
    {"y-coefficient", "scale on vertical distances", &VolumeSettings::yCoefficient},
    {"z-coefficient", "weight of the level mean, 0..1 (layered space)", &VolumeSettings::zCoefficient},
    {"min-topo", "lowest elevation, m", &VolumeSettings::minTopo},
    {"inversion", "factor on the Bostick depth", &VolumeSettings::inversionCoefficient},
    {"constraint", "horizontal smoothing per metre of depth", &VolumeSettings::constraintCoefficient},
    {"cell", "horizontal node spacing, m (0: from the station spacing)", &VolumeSettings::cellSize},
    {"step", "vertical node spacing, m", &VolumeSettings::levelStep}};

bool readNumbers(const QCommandLineParser &parser, VolumeSettings &settings)
{
    for (const NumberOption &option : kNumberOptions) {
        const QString name = QLatin1String(option.name);
        if (!parser.isSet(name))
            continue;
        bool ok = false;
        settings.*option.field = parser.value(name).toDouble(&ok);
        if (!ok) {
            CommandLine::printError(kCommand, QStringLiteral("--%1 needs a number").arg(name));
            return false;
        }
    }
    return true;
}

bool readSettings(const QCommandLineParser &parser, VolumeSettings &settings, int &slices)
{
    const QString mode = parser.value(QStringLiteral("mode")).toLower();
    if (mode != QLatin1String("te") && mode != QLatin1String("tm")) {
        CommandLine::printError(kCommand, QStringLiteral("--mode must be te or tm"));
        return false;
    }
    settings.dataChoice = mode == QLatin1String("tm") ? VolumeSettings::TM : VolumeSettings::TE;
    settings.layered = !parser.isSet(QStringLiteral("non-layered"));
    if (!settings.layered)
        settings.zCoefficient = 0.0;
    bool ok = false;
    slices = parser.value(QStringLiteral("slices")).toInt(&ok);
    if (!ok || slices < 0) {
        CommandLine::printError(kCommand, QStringLiteral("--slices needs a count of 0 or more"));
        return false;
    }
    return readNumbers(parser, settings);
}

bool readCoordinates(const QString &path, VolumeSettings &settings)
{
    if (!CoordinateFile::read(path, settings.points)) {
        CommandLine::printError(kCommand, QStringLiteral("cannot read the coordinate file %1").arg(path));
        return false;
    }
    return true;
}

} // namespace

int runVolumeCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({{"coordinates", "station coordinates: line, station, x, y, elevation", "FILE"},
                       {"out", "VTK image file to write", "FILE.vti"},
                       {"mode", "te (Ey/Hx curves) or tm (Ex/Hy curves)", "MODE", "te"},
                       {"non-layered", "no blending with the level means"},
                       {"slices", "PNG depth slices written beside the file", "N",
                        QString::number(VolumeSlicePlot::kDefaultSlices)}});
    for (const NumberOption &option : kNumberOptions)
        parser.addOption({QLatin1String(option.name), QLatin1String(option.help), "X"});
    if (!CommandLine::parse(parser, kCommand, arguments, 1))
        return 2;
    if (!parser.isSet("coordinates") || !parser.isSet("out")) {
        CommandLine::printError(kCommand, QStringLiteral("--coordinates and --out are required"));
        return 2;
    }
    VolumeSettings settings;
    int slices = 0;
    const QString out = LineCommandSupport::absolute(parser.value("out"));
    if (!readSettings(parser, settings, slices)
        || !readCoordinates(LineCommandSupport::absolute(parser.value("coordinates")), settings))
        return 2;
    CliProject project(kCommand);
    if (!project.open(parser.positionalArguments().first()))
        return 1;
    VolumeRun run(project.dialogs());
    if (!project.hub().lines() || !run.prepare(*project.hub().lines(), settings))
        return 1;
    const VolumeRun::Outcome outcome = run.compute(out);
    const QStringList pictures =
        outcome.failure.isEmpty() ? VolumeSlicePlot::saveBeside(outcome.volume, outcome.stations, out, slices)
                                  : QStringList();
    run.report(outcome, pictures);
    return outcome.failure.isEmpty() && pictures.size() == VolumeSlicePlot::sliceLevels(outcome.volume.grid, slices).size()
               ? 0 : 1;
}
