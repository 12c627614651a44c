#include "DesktopTheme.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Terrascope");
    applyDesktopTheme(app, DesktopTheme::Light);
    QMainWindow window;
    window.setWindowTitle("Terrascope");
    window.show();
    return app.exec();
}
