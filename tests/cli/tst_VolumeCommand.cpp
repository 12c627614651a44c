// terrascope-cli volume run as a separate process on a project with stored curves: the VTK image
// file and its PNG slices, and the exit codes of refused requests.

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "CurveProject.h"
#include "LayeredEarth.h"

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

} // namespace

class TestVolumeCommand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void volumeAndSlices();
    void refusals_data();
    void refusals();

private:
    int run(const QStringList &arguments, QString *errors = nullptr);
    QTemporaryDir dir;
};

// Three stations of line 1 and two of line 2 with TM curves; the coordinate file names them and a
// station the project lacks.
void TestVolumeCommand::initTestCase()
{
    QList<CurveStation> stations;
    for (int s = 1; s <= 3; ++s)
        stations.append({1, float(s), halfSpaceCurve(10.0 * s), {}});
    for (int s = 1; s <= 2; ++s)
        stations.append({2, float(s), halfSpaceCurve(100.0), {}});
    QVERIFY(CurveProject::write(dir.filePath("p.HMT"), stations));
    QFile file(dir.filePath("xy.dat"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("line station x y elevation\n1 1 0 0 10\n1 2 100 0 10\n1 3 200 0 10\n"
               "2 1 0 100 10\n2 2 100 100 10\n2 9 200 100 10\n");
}

int TestVolumeCommand::run(const QStringList &arguments, QString *errors)
{
    QProcess process;
    process.start(TERRASCOPE_CLI, QStringList{"volume"} + arguments);
    process.waitForFinished(120000);
    if (errors)
        *errors = QString::fromUtf8(process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

void TestVolumeCommand::volumeAndSlices()
{
    QString errors;
    QCOMPARE(run({dir.filePath("p.HMT"), "--coordinates", dir.filePath("xy.dat"), "--out", dir.filePath("v.vti"),
                  "--mode", "tm", "--cell", "50", "--min-topo", "-90", "--slices", "3"},
                 &errors),
             0);
    QVERIFY2(errors.contains(QStringLiteral("线2 点9（无此测点）")), qPrintable(errors));
    QFile file(dir.filePath("v.vti"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("WholeExtent=\"0 4 0 2 0 10\""));
    for (const char *name : {"v_10m.png", "v_-40m.png", "v_-90m.png"}) {
        const QImage picture(dir.filePath(name));
        QVERIFY2(picture.width() == 900, name);
    }
}

void TestVolumeCommand::refusals_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("no --out") << QStringList{"--coordinates", "xy.dat"} << 2;
    QTest::newRow("unreadable coordinates") << QStringList{"--coordinates", "none.dat", "--out", "r.vti"} << 2;
    QTest::newRow("TE curves missing") << QStringList{"--coordinates", "xy.dat", "--out", "r.vti"} << 1;
    QTest::newRow("z coefficient above 1")
        << QStringList{"--coordinates", "xy.dat", "--out", "r.vti", "--mode", "tm", "--z-coefficient", "2"} << 1;
    QTest::newRow("a mode that does not exist") << QStringList{"--coordinates", "xy.dat", "--out", "r.vti", "--mode", "xy"} << 2;
}

void TestVolumeCommand::refusals()
{
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    for (QString &option : options)
        if (option.endsWith(".dat") || option.endsWith(".vti"))
            option = dir.filePath(option);
    QCOMPARE(run(QStringList{dir.filePath("p.HMT")} + options), exitCode);
    QVERIFY(!QFile::exists(dir.filePath("r.vti")));
}

QTEST_GUILESS_MAIN(TestVolumeCommand)
#include "tst_VolumeCommand.moc"
