// The 3-D run dialog over a real project and hub: the volume is built on a worker thread while
// the dialog's event loop runs, the file is written and the operator told; runs without a project,
// without a file name or with too few stations are refused.

#include <QImage>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "CurveProject.h"
#include "Dialog_3DProcess.h"
#include "LayeredEarth.h"
#include "LibDORE.h"
#include "ScriptedOperatorDialogs.h"
#include "TreeModel_Index.h"

namespace {

QVector<OneFreqImpedance> halfSpaceCurve(double rho)
{
    const LayeredEarth earth(rho);
    QVector<OneFreqImpedance> curve;
    for (int n = 0; n <= 30; ++n) {
        const double f = std::pow(10.0, n / 10.0);
        curve.append({0, f, 0.95, earth.apparentResistivity(f), earth.phaseDegrees(f)});
    }
    return curve;
}

QString boxes(const ScriptedOperatorDialogs &dialogs)
{
    QStringList shown;
    for (const ScriptedOperatorDialogs::Call &call : dialogs.calls)
        if (call.kind == "information" || call.kind == "warning" || call.kind == "critical")
            shown << call.kind + ":" + call.text.section('\n', 0, 0);
    return shown.join('|');
}

} // namespace

class Test3DProcessDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void runWritesTheVolumeOffTheGuiThread();
    void refusals_data();
    void refusals();

private:
    void click() { QTest::mouseClick(dialog->findChild<QPushButton *>("pushButton_StartIPopulate"), Qt::LeftButton); }
    void openDialog(const VolumeSettings &settings, bool withProject = true);

    std::unique_ptr<QTemporaryDir> dir;
    ScriptedOperatorDialogs dialogs;
    std::unique_ptr<LibDORE> db;
    std::unique_ptr<TreeModel_Index> hub;
    std::unique_ptr<Dialog_3DProcess> dialog;
    VolumeSettings settings;
};

// Two lines of three stations 100 m apart: Ex/Hy curves of 30 ohm-m, Ey/Hx of 300 ohm-m; line 2
// station 3 has no curves.
void Test3DProcessDialog::init()
{
    dir = std::make_unique<QTemporaryDir>();
    QList<CurveStation> stations;
    for (int line = 1; line <= 2; ++line)
        for (int s = 1; s <= 3; ++s) {
            const bool empty = line == 2 && s == 3;
            stations.append({line, float(s), empty ? QVector<OneFreqImpedance>() : halfSpaceCurve(30.0),
                             empty ? QVector<OneFreqImpedance>() : halfSpaceCurve(300.0)});
        }
    QVERIFY(CurveProject::write(dir->filePath("p.HMT"), stations));
    dialogs = ScriptedOperatorDialogs();
    hub = std::make_unique<TreeModel_Index>(&dialogs);
    db = std::make_unique<LibDORE>();
    QVERIFY(db->open(dir->filePath("p.HMT")));
    settings = VolumeSettings();
    settings.minTopo = -500.0;
    settings.searchRadius = 150.0;
    for (int line = 1; line <= 2; ++line)
        for (int s = 1; s <= 3; ++s)
            settings.points.append({double(line), double(s), (s - 1) * 100.0, (line - 1) * 100.0, 20.0});
}

void Test3DProcessDialog::cleanup()
{
    dialog.reset();
    hub.reset();
    db.reset();
}

void Test3DProcessDialog::openDialog(const VolumeSettings &volumeSettings, bool withProject)
{
    if (withProject)
        hub->openProject(dir->path(), db.get());
    dialog = std::make_unique<Dialog_3DProcess>(*hub, volumeSettings, dialogs);
    dialog->show();
}

void Test3DProcessDialog::runWritesTheVolumeOffTheGuiThread()
{
    settings.dataChoice = VolumeSettings::TE;
    openDialog(settings);
    dialogs.fileNames << dir->filePath("volume");  // the extension is added
    click();
    QVERIFY(dialog->isRunning() || !dialogs.callsOf("information").isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->isRunning(), 60000);
    QCOMPARE(boxes(dialogs), QStringLiteral("warning:以下坐标点未参与三维反演：|information:三维反演完成：5个测点，网格 5 × 3 × 53"));
    QCOMPARE(dialogs.callsOf("saveFileName").value(0).text, QStringLiteral("VTK 图像文件 (*.vti)"));
    QVERIFY(dialogs.callsOf("warning").value(0).text.contains(QStringLiteral("线2 点3（没有保存的Ey-Hx曲线）")));
    QFile file(dir->filePath("volume.vti"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("WholeExtent=\"0 4 0 2 0 52\""));
    // Five depth slices beside it, named in the box: top, bottom and three levels between.
    for (const char *name : {"volume_20m.png", "volume_-110m.png", "volume_-240m.png", "volume_-370m.png",
                             "volume_-500m.png"}) {
        QVERIFY2(QImage(dir->filePath(name)).width() == 900, name);
        QVERIFY(dialogs.callsOf("information").value(0).text.contains(dir->filePath(name)));
    }
    const QProgressBar *bar = dialog->findChild<QProgressBar *>("progressBar");
    QCOMPARE(bar->value(), bar->maximum());
    QVERIFY(dialog->findChild<QPushButton *>("pushButton_StartIPopulate")->isEnabled());
}

void Test3DProcessDialog::refusals_data()
{
    QTest::addColumn<bool>("withProject");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("points");
    QTest::addColumn<double>("radius");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no project open") << false << "v.vti" << 6 << 150.0 << "critical:请先打开工程文件";
    QTest::newRow("file choice cancelled") << true << "" << 6 << 150.0 << "";
    QTest::newRow("two stations with curves")
        << true << "v.vti" << 2 << 150.0 << "critical:至少需要3个有曲线的测点，现有2个";
    QTest::newRow("search radius 0") << true << "v.vti" << 6 << 0.0 << "critical:相关搜索半径必须大于0";
}

void Test3DProcessDialog::refusals()
{
    QFETCH(bool, withProject);
    QFETCH(QString, fileName);
    QFETCH(int, points);
    QFETCH(double, radius);
    QFETCH(QString, expected);
    settings.points = settings.points.mid(0, points);
    settings.searchRadius = radius;
    openDialog(settings, withProject);
    dialogs.fileNames << (fileName.isEmpty() ? QString() : dir->filePath(fileName));
    click();
    QVERIFY(!dialog->isRunning());
    QCOMPARE(boxes(dialogs), expected);
    QVERIFY(!QFile::exists(dir->filePath("v.vti")));
}

QTEST_MAIN(Test3DProcessDialog)
#include "tst_3DProcessDialog.moc"
