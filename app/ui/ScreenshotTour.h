#pragma once
// A scripted tour of the main window for the pictures in docs/screenshots/: each step prepares
// the window (opens a menu, shows a station, switches the theme ...), lets the event loop settle
// and saves the screen area of the window (popups included) as a PNG. Views add their own steps
// with addStep.

#include <QEvent>
#include <QList>
#include <QObject>
#include <QSize>
#include <functional>

class MainWindow;

class ScreenshotTour : public QObject {
    Q_OBJECT
public:
    ScreenshotTour(MainWindow *window, const QString &folder);

    // Adds a step: prepare the window, then save "<folder>/<fileName>".
    void addStep(const QString &fileName, const std::function<void()> &prepare);
    // Runs every step; 0 when every picture was written.
    int run();

private:
    void addMainWindowSteps();
    void addTimeSeriesSteps();
    void settle(int milliseconds);
    void waitForSpectra();
    bool grab(const QString &fileName);
    void closePopups();
    // Selects the first station of the first line and opens it as a double click does.
    void showFirstStation();
    void dragOneResistivityPoint();
    static void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos,
                          Qt::MouseButtons buttons);
    // Opens the first recording of the first station as a double click does.
    void showFirstRecording();
    // Drops down the leftmost group the ribbon folded on a narrow window.
    void dropDownFirstFoldedGroup();

    struct Step {
        QString fileName;
        std::function<void()> prepare;
    };
    MainWindow *window;
    QString folder;
    QList<Step> steps;
    QSize restoredSize;  // the window's size before the narrow picture
};
