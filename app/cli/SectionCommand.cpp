#include "SectionCommand.h"

#include <QCommandLineParser>

#include "CliProject.h"
#include "CommandLine.h"
#include "LineCommandSupport.h"
#include "OperatorMessages.h"
#include "TopographyFile.h"

namespace {

const QString kCommand = QStringLiteral("section");

// The numeric options and the fields they set.
struct NumberOption {
    const char *name;
    double InversionParam::*field;
};
const NumberOption kNumberOptions[] = {
    {"constraint", &InversionParam::constraint}, {"smooth", &InversionParam::smooth},
    {"min-topo", &InversionParam::minTopo},      {"start", &InversionParam::startPoint},
    {"end", &InversionParam::endPoint},          {"freq-max", &InversionParam::freqMax},
    {"freq-min", &InversionParam::freqMin}};

bool readParameters(const QCommandLineParser &parser, CliProject &project, InversionParam &param)
{
    for (const NumberOption &option : kNumberOptions) {
        const QString name = QLatin1String(option.name);
        if (!parser.isSet(name))
            continue;
        bool ok = false;
        param.*option.field = parser.value(name).toDouble(&ok);
        if (!ok) {
            project.error(QStringLiteral("--%1 needs a number").arg(name));
            return false;
        }
    }
    const QStringList curves{"ex", "ey", "ex2", "mpmt"};
    param.direction = curves.indexOf(parser.value(QStringLiteral("curve")).toLower());
    if (param.direction < 0) {
        project.error(QStringLiteral("--curve must be ex, ey, ex2 or mpmt"));
        return false;
    }
    return true;
}

} // namespace

int runSectionCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOptions({{"line", "line number", "N"},
                       {"topo", "elevation file", "FILE"},
                       {"out", "section table to write", "FILE"},
                       {"curve", "ex, ey, ex2 or mpmt", "NAME", "ex"}});
    for (const NumberOption &option : kNumberOptions)
        parser.addOption({QLatin1String(option.name), QStringLiteral("section parameter"), "X"});
    if (!CommandLine::parse(parser, kCommand, arguments, 1))
        return 2;
    if (!parser.isSet("line") || !parser.isSet("topo")) {
        CommandLine::printError(kCommand, QStringLiteral("--line and --topo are required"));
        return 2;
    }
    const QString topo = LineCommandSupport::absolute(parser.value("topo"));
    const QString out = LineCommandSupport::absolute(parser.value("out"));
    CliProject project(kCommand);
    InversionParam param;
    if (!project.open(parser.positionalArguments().first()) || !readParameters(parser, project, param))
        return 1;
    QList<double> duplicates;
    if (!TopographyFile::read(topo, param.topography, duplicates)) {
        project.error(QStringLiteral("cannot read the elevation file %1").arg(topo));
        return 1;
    }
    if (!duplicates.isEmpty())
        showInformation(project.dialogs(), OperatorMessages::topographyDuplicates(duplicates));
    const int line = LineCommandSupport::linePosition(project, parser.value("line"));
    if (line < 0 || !project.hub().runLineSection(line, param))
        return 1;
    const QString path = out.isEmpty() ? QStringLiteral("line-%1-section.dat").arg(parser.value("line")) : out;
    return LineCommandSupport::writeSection(project, path);
}
