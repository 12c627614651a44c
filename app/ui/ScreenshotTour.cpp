#include "ScreenshotTour.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QEventLoop>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTextStream>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include "Form_Impedance.h"
#include "Form_Project.h"
#include "MainRibbonControls.h"
#include "Form_TimeSeries.h"
#include "MainWindow.h"
#include "QwtPlotGraph.h"
#include "RibbonBar.h"
#include "RibbonGroup.h"
#include "RibbonPage.h"
#include "RibbonSystemButton.h"
#include "RibbonSystemMenu.h"
#include "TreeModel_Index.h"

namespace {
constexpr int kSpectraWaitMs = 60000;
} // namespace

ScreenshotTour::ScreenshotTour(MainWindow *window, const QString &folder)
    : window(window), folder(folder)
{
    addMainWindowSteps();
    addTimeSeriesSteps();
}

void ScreenshotTour::addStep(const QString &fileName, const std::function<void()> &prepare)
{
    steps.append({fileName, prepare});
}

void ScreenshotTour::addMainWindowSteps()
{
    addStep(QStringLiteral("main-project.png"), [this] {
        QTreeView *tree = window->projectForm()->treeView();
        tree->expand(window->hub()->index(0, 0));
    });
    addStep(QStringLiteral("main-station.png"), [this] { showFirstStation(); });
    addStep(QStringLiteral("impedance-view.png"), [this] { dragOneResistivityPoint(); });
    addStep(QStringLiteral("main-system-menu.png"), [this] {
        window->ribbonBar()->systemButton()->click();
    });
    addStep(QStringLiteral("main-line-menu.png"), [this] {
        QTreeView *tree = window->projectForm()->treeView();
        const QRect line = tree->visualRect(window->hub()->index(0, 0));
        QCursor::setPos(tree->viewport()->mapToGlobal(line.center()));
        window->projectForm()->on_ShowContextMenu(line.center());
    });
    addStep(QStringLiteral("main-options-menu.png"), [this] {
        QMenu *options = window->optionsMenu();
        window->optionsDialog();
        settle(150);
        QMenu *family = options->findChild<QMenu *>();
        if (family)
            family->popup(options->pos() + options->actionGeometry(family->menuAction()).topLeft()
                          - QPoint(family->sizeHint().width(), 0));
    });
    addStep(QStringLiteral("main-dark.png"), [this] {
        window->optionAction(QStringLiteral("Office2013Dark"))->trigger();
    });
    addStep(QStringLiteral("main-minimized.png"), [this] {
        window->optionAction(QStringLiteral("Office2007Blue"))->trigger();
        window->ribbonBar()->setMinimized(true);
    });
    // A laptop-sized window: the groups that do not fit are folded, the first of them dropped down.
    addStep(QStringLiteral("main-narrow.png"), [this] {
        window->ribbonBar()->setMinimized(false);
        const QSize wide = window->size();
        window->resize(1280, 800);
        settle(300);
        dropDownFirstFoldedGroup();
        restoredSize = wide;
    });
    // Last, so that the pictures before it keep the impedance view: the first line's depth
    // section over a sloping surface, which the hub hands to the section view.
    addStep(QStringLiteral("section-main-window.png"), [this] {
        window->resize(restoredSize);
        InversionParam param;
        param.topography = {{1, 120}, {4, 90}, {7, 140}};
        param.minTopo = -2000;
        window->hub()->runLineSection(0, param);
    });
}

void ScreenshotTour::addTimeSeriesSteps()
{
    addStep(QStringLiteral("timeseries-series.png"), [this] {
        window->ribbonBar()->setMinimized(false);
        showFirstRecording();
        waitForSpectra();
    });
    addStep(QStringLiteral("timeseries-stacked.png"), [this] {
        window->timeSeriesView()->action(Form_TimeSeries::StackedAction)->trigger();
    });
}

void ScreenshotTour::dropDownFirstFoldedGroup()
{
    RibbonPage *page = window->ribbonBar()->pages().value(window->ribbonBar()->currentPage());
    if (!page)
        return;
    for (RibbonGroup *group : page->groups())
        if (page->isFolded(group)) {
            page->foldedButton(group)->click();
            return;
        }
}

void ScreenshotTour::showFirstRecording()
{
    TreeModel_Index *hub = window->hub();
    const QModelIndex station = hub->index(0, 0, hub->index(0, 0));
    const QModelIndex recording = hub->index(0, 0, station);
    QTreeView *tree = window->projectForm()->treeView();
    tree->expand(station);
    tree->setCurrentIndex(recording);
    window->projectForm()->on_treeView_doubleClicked(recording);
}

void ScreenshotTour::showFirstStation()
{
    TreeModel_Index *hub = window->hub();
    const QModelIndex station = hub->index(0, 0, hub->index(0, 0));
    QTreeView *tree = window->projectForm()->treeView();
    tree->expand(station.parent());
    tree->setCurrentIndex(station);
    window->projectForm()->on_treeView_doubleClicked(station);
}

// One curve edit for the picture: the Ex-Hy resistivity point two thirds along the curve dragged
// up with the mouse, the Y and Z directions hidden meanwhile so that the press takes that point.
void ScreenshotTour::dragOneResistivityPoint()
{
    Form_Impedance *view = window->impedanceView();
    const QVector<OneFreqImpedance> curve = view->editedCurve(Form_Impedance::PairExHy);
    if (curve.isEmpty())
        return;
    const OneFreqImpedance &point = curve.at(curve.size() * 2 / 3);
    QwtPlotGraph *plot = view->resistivityPlot();
    const QPoint from(qRound(plot->transform(QwtPlot::xBottom, point.freq)),
                      qRound(plot->transform(QwtPlot::yLeft, point.rho)));
    const QPoint to = from - QPoint(0, 22);
    MainRibbonControls *controls = window->controls();
    controls->showY->setChecked(false);
    controls->showZ->setChecked(false);
    sendMouse(plot->canvas(), QEvent::MouseButtonPress, from, Qt::LeftButton);
    sendMouse(plot->canvas(), QEvent::MouseMove, to, Qt::LeftButton);
    sendMouse(plot->canvas(), QEvent::MouseButtonRelease, to, Qt::NoButton);
    controls->showY->setChecked(true);
    controls->showZ->setChecked(true);
}

void ScreenshotTour::sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos,
                               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos),
                      type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

int ScreenshotTour::run()
{
    QDir().mkpath(folder);
    window->raise();
    window->activateWindow();
    settle(800);
    int failures = 0;
    for (const Step &step : qAsConst(steps)) {
        step.prepare();
        settle(700);
        failures += grab(step.fileName) ? 0 : 1;
        closePopups();
        settle(200);
    }
    // The tour's curve edit was only for the pictures: close without asking to save it.
    window->setSaveQuestion([](const QString &, const QString &) { return QMessageBox::Discard; });
    window->close();
    return failures == 0 ? 0 : 1;
}

// The spectra of the opened recording are computed on a worker thread under a progress dialog;
// the pictures are taken once it has gone.
void ScreenshotTour::waitForSpectra()
{
    QAction *stacked = window->timeSeriesView()->action(Form_TimeSeries::StackedAction);
    for (int waited = 0; !stacked->isEnabled() && waited < kSpectraWaitMs; waited += 100)
        settle(100);
}

void ScreenshotTour::settle(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool ScreenshotTour::grab(const QString &fileName)
{
    const QRect area = window->frameGeometry();
    const QPixmap picture = window->screen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                         area.height());
    const QString path = QDir(folder).filePath(fileName);
    const bool saved = picture.save(path, "PNG");
    QTextStream(stderr) << (saved ? "wrote " : "could not write ") << path << '\n';
    return saved;
}

void ScreenshotTour::closePopups()
{
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}
