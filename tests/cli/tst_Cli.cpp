// terrascope-cli end to end: the demo work folder, processed in scalar and in tensor mode, gives
// curves that follow the synthetic earth models; stored curves survive reprocessing unless
// rebuilt; bad arguments and damaged recordings are reported with a non-zero exit.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <cmath>

#include "DemoSurvey.h"
#include "LayeredEarth.h"

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run cli(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TERRASCOPE_CLI), arguments);
    Run run;
    if (!process.waitForFinished(300000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A CSV table as rows of named fields.
QList<QMap<QString, QString>> table(const QString &csv)
{
    QStringList lines = csv.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QStringList header = lines.takeFirst().split(QLatin1Char(','));
    QList<QMap<QString, QString>> rows;
    for (const QString &line : lines) {
        const QStringList fields = line.split(QLatin1Char(','));
        QMap<QString, QString> row;
        for (int i = 0; i < header.size(); ++i)
            row[header.at(i)] = fields.value(i);
        rows.append(row);
    }
    return rows;
}

LayeredEarth demoEarth(int station)
{
    for (const StationSpec &spec : DemoSurvey::spec().stations)
        if (spec.station == station)
            return spec.model.xyEarth();
    return LayeredEarth();
}

// The band interior of a demo recording processed with 16384-sample segments: from the 32nd
// FFT line to a quarter of the sampling rate.
bool inInterior(double freq, int rate)
{
    return freq >= 32.0 * rate / 16384 && freq <= rate / 4.0;
}

// Frequencies the estimators fill in from their neighbours instead of measuring.
bool filledIn(double freq)
{
    for (double f : {39.8, 50.1, 63.1, 79.4, 126.0, 158.0, 200.0, 2000.0, 2510.0, 3160.0, 3980.0})
        if (std::abs(freq - f) < 1e-3)
            return true;
    return false;
}

// The scalar impedance step compresses phase distances from 45 degrees.
double mappedPhase(double p)
{
    return p > 45.0 ? 45.0 + 0.75 * (p - 45.0) : 45.0 + 0.5 * (p - 45.0);
}

struct Misfit {
    int count = 0;
    double rho = 0.0;
    double phase = 0.0;
    QString worst;
    void add(double f, double rho, double phase, double modelRho, double modelPhase)
    {
        ++count;
        const double r = std::abs(rho / modelRho - 1.0), p = std::abs(phase - modelPhase);
        if (r > this->rho || p > this->phase)
            worst = QStringLiteral("%1 Hz: rho %2 (model %3), phase %4 (model %5)")
                        .arg(f).arg(rho).arg(modelRho).arg(phase).arg(modelPhase);
        this->rho = std::max(this->rho, r);
        this->phase = std::max(this->phase, p);
    }
};

// Replaces the station's stored ExHy curve by one record (the seven fields in record order), as a
// hand edit saved from the curve view would.
bool storeHandEditedExHy(const QString &project, int station, const QVector<double> &record)
{
    QByteArray blob;
    for (double value : record) {
        char bytes[8];
        qToLittleEndian(value, bytes);
        blob.append(bytes, 8);
    }
    bool stored = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edit"));
        db.setDatabaseName(project);
        stored = db.open()
                 && QSqlQuery(db).exec(QStringLiteral("UPDATE Data_Station SET Data_ImpedanceEx = x'%1' "
                                                      "WHERE StationNum = %2")
                                           .arg(QString::fromLatin1(blob.toHex())).arg(station));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("edit"));
    return stored;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void scalarCurvesFollowTheModel_data();
    void scalarCurvesFollowTheModel();
    void tensorResultsFollowTheModel_data();
    void tensorResultsFollowTheModel();
    void compareFindsEveryCurveWithinTolerance();
    void storedCurvesSurviveReprocessingUnlessRebuilt();
    void badRequestsExitNonZero_data();
    void badRequestsExitNonZero();
    void damagedRecordingFailsAloneAndIsNamed();

private:
    QTemporaryDir work;
    QString project;
};

void TestCli::initTestCase()
{
    QVERIFY(work.isValid());
    const Run demo = cli({QStringLiteral("demo"), work.path()});
    QVERIFY2(demo.exitCode == 0, qPrintable(demo.err));
    project = work.filePath(QStringLiteral("demo.HMT"));
    for (const char *entry : {"demo.HMT", "demo-model.txt", "tensors", "nlcg", "nlls", "data/Line 1/Station 3/config.ini"})
        QVERIFY2(QFileInfo::exists(work.filePath(QLatin1String(entry))), entry);
    QVERIFY(!QDir(work.filePath(QStringLiteral("ColorScales"))).entryList({QStringLiteral("*.clr")}).isEmpty());
    const Run scalar = cli({QStringLiteral("process"), project});
    QVERIFY2(scalar.exitCode == 0, qPrintable(scalar.err));
    QVERIFY2(scalar.err.contains(QStringLiteral("[6/6]")), qPrintable(scalar.err));
    const Run tensor = cli({QStringLiteral("process"), project, QStringLiteral("--mode"), QStringLiteral("tensor")});
    QVERIFY2(tensor.exitCode == 0, qPrintable(tensor.err));
}

void TestCli::scalarCurvesFollowTheModel_data()
{
    QTest::addColumn<int>("station");
    QTest::addColumn<QString>("pair");
    for (int station : {1, 2})
        for (const char *pair : {"ExHy", "EyHx"})
            QTest::addRow("station %d %s", station, pair) << station << QString::fromLatin1(pair);
}

// The station's curve holds the 24000 Hz recording's results and, where its band reaches, the
// 2400 Hz recording's after them at the same frequency (the 24000 Hz band covers the other).
void TestCli::scalarCurvesFollowTheModel()
{
    QFETCH(int, station);
    QFETCH(QString, pair);
    const Run run = cli({QStringLiteral("curve"), project, QStringLiteral("--line"), QStringLiteral("1"),
                         QStringLiteral("--station"), QString::number(station)});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const LayeredEarth earth = demoEarth(station);
    QMap<QString, int> seen;
    Misfit m;
    for (const auto &row : table(run.out)) {
        const double f = row.value(QStringLiteral("frequency_hz")).toDouble();
        const int rate = seen[row.value(QStringLiteral("frequency_hz"))]++ == 0 ? 24000 : 2400;
        if (!inInterior(f, rate) || filledIn(f))
            continue;
        m.add(f, row.value(pair + QStringLiteral("_rho")).toDouble(), row.value(pair + QStringLiteral("_phase")).toDouble(),
              earth.apparentResistivity(f), mappedPhase(earth.phaseDegrees(f)));
    }
    qInfo("%d frequencies, largest rho error %.2f %%, largest phase difference %.2f degrees",
          m.count, 100.0 * m.rho, m.phase);
    QVERIFY(m.count >= 15);
    QVERIFY2(m.rho < 0.05 && m.phase < 2.0, qPrintable(m.worst));
}

void TestCli::tensorResultsFollowTheModel_data()
{
    QTest::addColumn<int>("station");
    for (int station : {1, 2, 3})
        QTest::addRow("station %d", station) << station;
}

// Zxy of a layered earth is its impedance; Zyx is its negative, 180 degrees further round.
void TestCli::tensorResultsFollowTheModel()
{
    QFETCH(int, station);
    const Run run = cli({QStringLiteral("curve"), project, QStringLiteral("--line"), QStringLiteral("1"),
                         QStringLiteral("--station"), QString::number(station), QStringLiteral("--tensor")});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const LayeredEarth earth = demoEarth(station);
    Misfit xy, yx;
    for (const auto &row : table(run.out)) {
        const double f = row.value(QStringLiteral("frequency_hz")).toDouble();
        const int rate = row.value(QStringLiteral("band")) == QLatin1String("HMT") ? 24000 : 2400;
        if (!inInterior(f, rate))
            continue;
        xy.add(f, row.value(QStringLiteral("rho_xy")).toDouble(), row.value(QStringLiteral("phase_xy")).toDouble(),
               earth.apparentResistivity(f), earth.phaseDegrees(f));
        yx.add(f, row.value(QStringLiteral("rho_yx")).toDouble(), row.value(QStringLiteral("phase_yx")).toDouble() + 180.0,
               earth.apparentResistivity(f), earth.phaseDegrees(f));
    }
    qInfo("%d frequencies; Zxy: rho %.2f %%, phase %.2f degrees; Zyx: rho %.2f %%, phase %.2f degrees",
          xy.count, 100.0 * xy.rho, xy.phase, 100.0 * yx.rho, yx.phase);
    QVERIFY(xy.count >= 20);
    QVERIFY2(xy.rho < 0.05 && xy.phase < 2.0, qPrintable(xy.worst));
    QVERIFY2(yx.rho < 0.05 && yx.phase < 2.0, qPrintable(yx.worst));
}

void TestCli::compareFindsEveryCurveWithinTolerance()
{
    const Run run = cli({QStringLiteral("compare"), project});
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    // Stations 1 and 2: three scalar curves and two tensor elements; station 3: two elements.
    QCOMPARE(run.out.count(QStringLiteral(" ok\n")), 12);
}

void TestCli::storedCurvesSurviveReprocessingUnlessRebuilt()
{
    const QStringList curve{QStringLiteral("curve"), project, QStringLiteral("--line"), QStringLiteral("1"),
                            QStringLiteral("--station"), QStringLiteral("2")};
    const QString assembled = cli(curve).out;
    QVERIFY(storeHandEditedExHy(project, 2, {0.0, 10.0, 0.9, 123.0, 45.0, 0.0, 0.0}));
    const QStringList station2{QStringLiteral("--line"), QStringLiteral("1"), QStringLiteral("--station"), QStringLiteral("2")};
    const Run kept = cli(QStringList{QStringLiteral("process"), project} + station2);
    QCOMPARE(kept.exitCode, 0);
    QVERIFY2(kept.out.contains(QStringLiteral("left as they were")) && kept.out.contains(QStringLiteral("  Line 1, Station 2")),
             qPrintable(kept.out));
    QStringList exHyRhos;
    for (const auto &row : table(cli(curve).out))
        if (!row.value(QStringLiteral("ExHy_rho")).isEmpty())
            exHyRhos << row.value(QStringLiteral("frequency_hz")) + QLatin1Char(':') + row.value(QStringLiteral("ExHy_rho"));
    QCOMPARE(exHyRhos, QStringList{QStringLiteral("10:123")});
    const Run rebuilt = cli(QStringList{QStringLiteral("process"), project, QStringLiteral("--rebuild")} + station2);
    QCOMPARE(rebuilt.exitCode, 0);
    QVERIFY(!rebuilt.out.contains(QStringLiteral("left as they were")));
    QCOMPARE(cli(curve).out, assembled);
}

void TestCli::badRequestsExitNonZero_data()
{
    QTest::addColumn<QStringList>("arguments");  // "PROJECT" stands for the demo project
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing project") << QStringList{"process", "no/such/project.HMT"} << 1 << "does not exist";
    QTest::newRow("missing line") << QStringList{"curve", "PROJECT", "--line", "7", "--station", "1"} << 1 << "no line 7";
    QTest::newRow("missing station") << QStringList{"curve", "PROJECT", "--line", "1", "--station", "9"} << 1 << "no station 9";
    QTest::newRow("curve without station") << QStringList{"curve", "PROJECT", "--line", "1"} << 2 << "--station";
    QTest::newRow("unknown estimator") << QStringList{"process", "PROJECT", "--estimator", "fancy"} << 2 << "--estimator fancy";
    QTest::newRow("unknown command") << QStringList{"polish", "PROJECT"} << 2 << "unknown command";
}

void TestCli::badRequestsExitNonZero()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    arguments.replaceInStrings(QStringLiteral("PROJECT"), project);
    const Run run = cli(arguments);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

void TestCli::damagedRecordingFailsAloneAndIsNamed()
{
    QTemporaryDir other;
    QVERIFY(cli({QStringLiteral("demo"), other.path()}).exitCode == 0);
    const QString lost = QStringLiteral("Line1_Station2_2400Hz_R2_Hy.dat");
    QVERIFY(QFile::remove(other.filePath(QStringLiteral("data/Line 1/Station 2/") + lost)));
    const QString otherProject = other.filePath(QStringLiteral("demo.HMT"));
    const Run run = cli({QStringLiteral("process"), otherProject, QStringLiteral("--station"), QStringLiteral("2")});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(QStringLiteral("Line 1, Station 2, recording 2 (2400 Hz)")) && run.err.contains(lost),
             qPrintable(run.err));
    // The station's curves come from its 24000 Hz recording alone: no frequency twice.
    const Run curve = cli({QStringLiteral("curve"), otherProject, QStringLiteral("--line"), QStringLiteral("1"),
                           QStringLiteral("--station"), QStringLiteral("2")});
    QCOMPARE(curve.exitCode, 0);
    QStringList frequencies;
    for (const auto &row : table(curve.out))
        frequencies << row.value(QStringLiteral("frequency_hz"));
    QVERIFY(frequencies.size() > 20);
    QCOMPARE(frequencies.removeDuplicates(), 0);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_Cli.moc"
