// terrascope-cli: the headless front end. A small dispatcher: the first argument names the
// subcommand, the rest belong to it.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTextStream>
#include <gsl/gsl_errno.h>
#include <memory>

#include "CliCommand.h"
#include "CompareCommand.h"
#include "CurveCommand.h"
#include "DemoCommand.h"
#include "ExportCommand.h"
#include "InvertCommand.h"
#include "MergeCommand.h"
#include "PlotCommand.h"
#include "SectionCommand.h"
#include "ProcessCommand.h"
#include "VolumeCommand.h"

namespace {

const CliCommand commands[] = {
    {"demo", "DIR",
     "write a ready work folder into DIR: the synthetic survey, its project DIR/demo.HMT, the earth "
     "models, colour scales and the working folders",
     runDemoCommand},
    {"process", "PROJECT [--line N] [--station S] [--rebuild] [--estimator plain|robust|mestimation|"
                "median|regression] [--fft-length N|rate] [--fft-count N|all] [--frequencies 10|12|15|20] "
                "[--detrend] [--mode scalar|tensor] [--remote-station S [--remote-line N]] [--threads N]",
     "recompute every used recording of the selected stations and store the results; stations "
     "without stored curves get them assembled from their recordings (--rebuild clears each one "
     "before storing its new results); --threads N computes N recordings at once (default: the "
     "machine's cores) and stores them in station order",
     runProcessCommand},
    {"curve", "PROJECT --line N --station S [--tensor]",
     "print a station's stored curves (or, with --tensor, its tensor results) as CSV",
     runCurveCommand},
    {"compare", "PROJECT [--model FILE] [--estimator NAME]",
     "compare every station's curves and tensor results with the synthetic earth models",
     runCompareCommand},
    {"export", "edi|eh4|raw|spectrum|section PROJECT --line N [--station S] --out PATH [--start N] "
               "[--form spectra|impedance]",
     "write a station's EDI file, a line's EH4 point files, raw result tables or spectrum table, "
     "or its section",
     runExportCommand},
    {"section", "PROJECT --line N --topo FILE [--out FILE] [--curve ex|ey|ex2|mpmt] [--constraint X] "
                "[--smooth X] [--min-topo X] [--start X] [--end X] [--freq-max X] [--freq-min X]",
     "the line's one-dimensional depth section as a position,depth,value table", runSectionCommand},
    {"invert", "nlcg|nlls PROJECT --line N [--out FILE] [--timeout SECONDS]",
     "a 2-D inversion of the line by the program in nlcg/ or nlls/; writes the section table",
     runInvertCommand},
    {"merge", "A B", "merge the lines of project file B into project file A", runMergeCommand},
    {"plot", "curve PROJECT --line N --station S --out FILE.png | section FILE --out FILE.png "
             "[--size WxH]",
     "draw a station's resistivity and phase curves (with its earth model's when the demo model "
     "lies beside the project), or a section table as a colour-mapped section, as a PNG image",
     runPlotCommand, true},
    {"volume", "PROJECT --coordinates FILE --out FILE.vti [--mode te|tm] [--non-layered] "
               "[--radius M] [--x-coefficient X] [--y-coefficient X] [--z-coefficient X] "
               "[--min-topo M] [--inversion X] [--constraint X] [--cell M] [--step M] [--slices N]",
     "the pseudo-3-D resistivity volume of the stations placed by the coordinate file (line, "
     "station, x, y, elevation per line) as a VTK image file, with N PNG depth slices beside it",
     runVolumeCommand, true},
};

void printUsage(QTextStream &out)
{
    out << "Usage: terrascope-cli COMMAND [ARGUMENTS]\n\nCommands:\n";
    for (const CliCommand &command : commands) {
        out << QStringLiteral("  %1 %2\n      %3\n")
                   .arg(QLatin1String(command.name), QLatin1String(command.usage),
                        QLatin1String(command.summary));
    }
    out << "\n  help    show this text\n\n"
           "Debug lines are hidden; QT_LOGGING_RULES=\"default.debug=true\" shows them.\n";
}

const CliCommand *findCommand(const QString &name)
{
    for (const CliCommand &command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

// Drawing text needs a QGuiApplication; images never need a display, so it runs offscreen
// unless the environment names a platform. Without a session's runtime folder (a shell without
// login, a CI job) the platform wants one; a private folder under the temporary one does.
std::unique_ptr<QCoreApplication> applicationFor(int &argc, char *argv[])
{
    const CliCommand *command = argc > 1 ? findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    if (!command || !command->drawsImages)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR",
                 QFile::encodeName(QDir::tempPath() + QStringLiteral("/terrascope-runtime-")
                                   + qEnvironmentVariable("USER", QStringLiteral("user"))));
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = applicationFor(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("terrascope-cli"));
    gsl_set_error_handler_off();
    // The libraries' debug lines are for developers; warnings and the operator's messages stay.
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty()
        && (arguments.first() == QLatin1String("help") || arguments.first() == QLatin1String("--help")
            || arguments.first() == QLatin1String("-h"))) {
        QTextStream out(stdout);
        printUsage(out);
        return 0;
    }
    QTextStream err(stderr);
    if (arguments.isEmpty()) {
        printUsage(err);
        return 2;
    }
    const CliCommand *command = findCommand(arguments.first());
    if (!command) {
        err << "terrascope-cli: unknown command \"" << arguments.first() << "\"\n\n";
        printUsage(err);
        return 2;
    }
    return command->run(arguments.mid(1));
}
