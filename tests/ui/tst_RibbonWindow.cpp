// The ribbon frame's behaviour through its real widgets: minimising with Ctrl+F1 and dropping
// the band down from a tab, moving the quick-access bar, themes as palettes, the backstage's
// recent projects, and the status-bar read-out of a plot position.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QToolButton>
#include <QtTest>
#include <qwt_plot.h>
#include <qwt_scale_engine.h>

#include "DesktopTheme.h"
#include "PlotPositionReadout.h"
#include "ProjectHistory.h"
#include "RibbonBar.h"
#include "RibbonGroup.h"
#include "RibbonPage.h"
#include "RibbonQuickAccessBar.h"
#include "RibbonWindow.h"

class TestRibbonWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void ctrlF1MinimisesAndATabDropsTheBandDown();
    void quickAccessBarMovesBelowAndBack();
    void narrowWindowFoldsGroupsFromTheRight();
    void themeActionSetsItsPalette_data();
    void themeActionSetsItsPalette();
    void recentProjectsAreNewestFirstWithoutRepeats();
    void readoutGivesThePlotCoordinatesUnderThePointer_data();
    void readoutGivesThePlotCoordinatesUnderThePointer();
};

void TestRibbonWindow::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
}

void TestRibbonWindow::ctrlF1MinimisesAndATabDropsTheBandDown()
{
    RibbonWindow window;
    window.ribbonBar()->addPage("&主页");
    window.show();
    QApplication::setActiveWindow(&window);
    QStackedWidget *band = window.ribbonBar()->findChild<QStackedWidget *>();
    QVERIFY(band->isVisible());
    QTest::keyClick(&window, Qt::Key_F1, Qt::ControlModifier);
    QVERIFY(window.ribbonBar()->isMinimized());
    QVERIFY(!band->isVisible());
    QTabBar *tabs = window.ribbonBar()->findChild<QTabBar *>();
    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(0).center());
    QVERIFY(window.ribbonBar()->isBandPoppedUp());
    QVERIFY(band->isVisible());
    QApplication::activePopupWidget()->close();
    QVERIFY(!band->isVisible());
    QTest::keyClick(&window, Qt::Key_F1, Qt::ControlModifier);
    QVERIFY(!window.ribbonBar()->isMinimized());
    QVERIFY(band->isVisible() && band->parentWidget() == window.ribbonBar());
}

void TestRibbonWindow::quickAccessBarMovesBelowAndBack()
{
    RibbonWindow window;
    window.show();
    QWidget *bar = window.ribbonBar()->quickAccessBar();
    QStackedWidget *band = window.ribbonBar()->findChild<QStackedWidget *>();
    window.switchQuickAccessBarPosition();
    QApplication::processEvents();
    QVERIFY(window.ribbonBar()->isQuickAccessBelow());
    QVERIFY(bar->geometry().top() > band->geometry().bottom());
    window.switchQuickAccessBarPosition();
    QApplication::processEvents();
    QVERIFY(bar->geometry().bottom() < band->geometry().top());
}

// Four groups of three large actions: a narrow window folds the last groups into one button each,
// a folded group drops down below its button with working controls and goes back when the drop-down
// closes, and a wide window shows every group again.
void TestRibbonWindow::narrowWindowFoldsGroupsFromTheRight()
{
    RibbonWindow window;
    RibbonPage *page = window.ribbonBar()->addPage("&主页");
    QList<QAction *> actions;
    for (int g = 0; g < 4; ++g) {
        RibbonGroup *group = page->addGroup(QString("组%1").arg(g));
        for (int a = 0; a < 3; ++a) {
            actions << new QAction(window.style()->standardIcon(QStyle::SP_DirOpenIcon),
                                   QString("动作%1-%2").arg(g).arg(a), &window);
            group->addLargeAction(actions.last());
        }
    }
    const QList<RibbonGroup *> groups = page->groups();
    const auto foldedCount = [&] {
        return int(std::count_if(groups.begin(), groups.end(), [&](RibbonGroup *g) { return page->isFolded(g); }));
    };
    window.resize(1200, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(foldedCount(), 0);
    const int groupWidth = groups.first()->width();
    window.resize(page->minimumSizeHint().width() + 2 * groupWidth + 20, 400);
    QTRY_VERIFY(foldedCount() >= 1);
    QVERIFY(!page->isFolded(groups.first()));
    for (int g = 1; g < groups.size(); ++g)  // folding goes from the right
        QVERIFY(!page->isFolded(groups[g - 1]) || page->isFolded(groups[g]));
    RibbonGroup *last = groups.last();
    QVERIFY(page->isFolded(last) && !last->isVisible() && page->foldedButton(last)->isVisible());
    QVERIFY(page->foldedButton(last)->text().startsWith("组3"));

    QTest::mouseClick(page->foldedButton(last), Qt::LeftButton);
    QTRY_VERIFY(last->isVisible());
    QVERIFY(QApplication::activePopupWidget());
    QSignalSpy triggered(actions.last(), &QAction::triggered);
    auto *button = last->findChildren<QToolButton *>().last();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(triggered.size(), 1);
    if (QApplication::activePopupWidget())
        QApplication::activePopupWidget()->close();
    QTRY_VERIFY(last->parentWidget() == page);
    QVERIFY(!last->isVisible());

    window.resize(1400, 400);
    QTRY_COMPARE(foldedCount(), 0);
    for (RibbonGroup *group : groups)
        QVERIFY(group->isVisible() && !page->foldedButton(group)->isVisible());
}

void TestRibbonWindow::themeActionSetsItsPalette_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<bool>("dark");
    QTest::newRow("Office 2007 Blue") << "Office2007Blue" << false;
    QTest::newRow("Office 2013 Dark Gray") << "Office2013Dark" << true;
    QTest::newRow("GAEA Black") << "GAEA2014Black" << true;
    QTest::newRow("Windows 7 Scenic") << "Windows7Scenic" << false;
}

void TestRibbonWindow::themeActionSetsItsPalette()
{
    QFETCH(QString, theme);
    QFETCH(bool, dark);
    RibbonWindow window;
    window.optionAction(theme)->trigger();
    QCOMPARE(window.currentTheme(), theme);
    const QPalette palette = QApplication::palette();
    QCOMPARE(palette.color(QPalette::Highlight), DesktopTheme::named(theme).accent);
    // Text must stand out from the window: light on dark themes, dark on light ones.
    const int window_ = palette.color(QPalette::Window).lightness();
    const int text = palette.color(QPalette::WindowText).lightness();
    QCOMPARE(text > window_, dark);
    QVERIFY(qAbs(text - window_) > 100);
    // An unchecked box stands out from the window behind it.
    QCheckBox box;
    box.resize(box.sizeHint());
    QStyleOptionButton option;
    option.initFrom(&box);
    const QRect indicator = box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
    const QImage picture = box.grab().toImage();
    int contrast = 0;
    for (int y = indicator.top(); y <= indicator.bottom(); ++y)
        for (int x = indicator.left(); x <= indicator.right(); ++x)
            contrast = qMax(contrast, qAbs(QColor(picture.pixel(x, y)).lightness() - window_));
    QVERIFY2(contrast > 40, qPrintable(QString::number(contrast)));
}

void TestRibbonWindow::recentProjectsAreNewestFirstWithoutRepeats()
{
    QTemporaryDir dir;
    QStringList files;
    for (const char *name : {"a.HMT", "b.HMT", "c.HMT"}) {
        files << dir.filePath(name);
        QFile(files.last()).open(QIODevice::WriteOnly);
    }
    ProjectHistory history(dir.filePath("history.ini"));
    for (const QString &file : {files[0], files[1], files[0], files[2]})
        history.addRecentProject(file);
    QCOMPARE(history.recentProjects(), QStringList({files[2], files[0], files[1]}));
    QFile::remove(files[0]);
    QCOMPARE(history.recentProjects(), QStringList({files[2], files[1]}));
}

void TestRibbonWindow::readoutGivesThePlotCoordinatesUnderThePointer_data()
{
    QTest::addColumn<bool>("logX");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::newRow("linear axes") << false << 40.0 << 60.0;
    QTest::newRow("log frequency axis") << true << 100.0 << 45.0;
}

void TestRibbonWindow::readoutGivesThePlotCoordinatesUnderThePointer()
{
    QFETCH(bool, logX);
    QFETCH(double, x);
    QFETCH(double, y);
    QWidget window;
    auto *plot = new QwtPlot(&window);
    plot->resize(600, 400);
    if (logX)
        plot->setAxisScaleEngine(QwtPlot::xBottom, new QwtLogScaleEngine);
    plot->setAxisScale(QwtPlot::xBottom, logX ? 1 : 0, logX ? 10000 : 100);
    plot->setAxisScale(QwtPlot::yLeft, 0, 90);
    plot->setAxisTitle(QwtPlot::xBottom, "频率(Hz)");
    plot->setAxisTitle(QwtPlot::yLeft, "相位");
    window.show();
    plot->replot();
    PlotPositionReadout readout(&window);
    QSignalSpy spy(&readout, &PlotPositionReadout::positionChanged);
    const QPoint pixel(qRound(plot->transform(QwtPlot::xBottom, x)),
                       qRound(plot->transform(QwtPlot::yLeft, y)));
    QMouseEvent move(QEvent::MouseMove, pixel, Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(plot->canvas(), &move);
    QCOMPARE(spy.size(), 1);
    const QStringList parts = spy.first().first().toString().split(' ', Qt::SkipEmptyParts);
    QCOMPARE(parts.size(), 4);
    QCOMPARE(parts[0], QString("频率(Hz)"));
    QCOMPARE(parts[2], QString("相位"));
    // Within one pixel of the wanted position.
    const double xTolerance = logX ? x * 0.05 : 0.5;
    QVERIFY2(qAbs(parts[1].toDouble() - x) < xTolerance, qPrintable(parts[1]));
    QVERIFY2(qAbs(parts[3].toDouble() - y) < 0.5, qPrintable(parts[3]));
}

QTEST_MAIN(TestRibbonWindow)
#include "tst_RibbonWindow.moc"
