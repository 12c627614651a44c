// The desktop program: applies the theme, builds the main window and opens the project file
// given on the command line, if any. The hidden option --screenshots DIR runs the screenshot
// tour instead of waiting for the operator.

#include <QApplication>
#include <QCommandLineParser>
#include <gsl/gsl_errno.h>

#include "DesktopOperatorDialogs.h"
#include "DesktopTheme.h"
#include "MainWindow.h"
#include "ScreenshotTour.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Electromagnetic Ribbon Samples"));
    QApplication::setOrganizationName(QStringLiteral("Terrascope"));
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    gsl_set_error_handler_off();
    DesktopTheme::all().first().apply(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Magnetotelluric data processing"));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("project"), QStringLiteral("a project file (.HMT) to open"));
    QCommandLineOption tour(QStringLiteral("screenshots"), QString(), QStringLiteral("folder"));
    tour.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(tour);
    parser.process(app);

    DesktopOperatorDialogs dialogs;
    MainWindow window(&dialogs);
    dialogs.setParent(&window);
    window.show();
    const QStringList projects = parser.positionalArguments();
    if (!projects.isEmpty())
        window.openProjectFile(projects.first());
    if (parser.isSet(tour))
        return ScreenshotTour(&window, parser.value(tour)).run();
    return app.exec();
}
