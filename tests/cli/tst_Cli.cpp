// terrascope-cli end to end: the demo work folder, processed in scalar and tensor mode, follows the
// synthetic earth models and runs through both 2-D inversion programs; stored curves survive
// reprocessing unless rebuilt; plots are drawn; bad arguments and damaged recordings are reported with a
// non-zero exit.

#include <QImage>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <signal.h>

#include "CliTestSupport.h"
#include "CurveBlob.h"
#include "DemoSurvey.h"
#include "LayeredEarth.h"
#include "MessagePattern.h"
#include "OperatorMessages.h"

using namespace CliTest;

namespace {

// Frequencies the scalar estimators fill in from their neighbours instead of measuring.
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

QStringList curveArguments(const QString &project, int station)
{
    return {"curve", project, "--line", "1", "--station", QString::number(station)};
}

// A copy of project beside it, named name, changed by the SQL statement; empty when that failed.
QString alteredCopy(const QString &project, const QString &name, const QString &statement)
{
    const QString copy = QFileInfo(project).dir().filePath(name);
    bool done = QFile::copy(project, copy);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "alter");
        db.setDatabaseName(copy);
        done = done && db.open() && QSqlQuery(db).exec(statement);
    }
    QSqlDatabase::removeDatabase("alter");
    return done ? copy : QString();
}

// Every row of every table of a project file, read through a connection of its own, as text
// (curve BLOBs in hexadecimal).
QStringList projectContents(const QString &file)
{
    QStringList contents;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "contents");
        db.setDatabaseName(file);
        if (!db.open())
            return contents;
        QSqlQuery tables("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name", db);
        QStringList names;
        while (tables.next())
            names << tables.value(0).toString();
        for (const QString &table : names) {
            QSqlQuery rows(QString("SELECT * FROM \"%1\" ORDER BY rowid").arg(table), db);
            while (rows.next()) {
                QStringList fields{table};
                for (int c = 0; c < rows.record().count(); ++c)
                    fields << rows.value(c).toByteArray().toHex();
                contents << fields.join(',');
            }
        }
    }
    QSqlDatabase::removeDatabase("contents");
    return contents;
}

// One row per stored pair curve of a station's recordings, "HasResult,<Ex curve>,<Ey curve>,
// <channel>,<pair curve>" (curves in hexadecimal), in recording and channel order.
QStringList stationRows(const QString &file, int station)
{
    QStringList rows;
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "station");
    db.setDatabaseName(file);
    if (db.open()) {
        QSqlQuery query(db);
        query.prepare("SELECT s.HasResult, s.Data_ImpedanceEx, s.Data_ImpedanceEy, p.SampleChannel, p.Data_Impedance "
                      "FROM Data_Station s JOIN Data_SampleData r ON r.Data_StationID = s.ID "
                      "JOIN Data_ProcessData p ON p.Data_SampleDataID = r.ID WHERE s.StationNum = ? "
                      "ORDER BY r.ID, p.SampleChannel");
        query.addBindValue(station);
        query.exec();
        while (query.next())
            rows << QStringList{query.value(0).toString(), query.value(1).toByteArray().toHex(),
                                query.value(2).toByteArray().toHex(), query.value(3).toString(),
                                query.value(4).toByteArray().toHex()}.join(',');
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("station");
    return rows;
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void curvesFollowTheModel_data();
    void curvesFollowTheModel();
    void compareFindsEveryCurveWithinTolerance();
    void inversionRunsWriteASection_data();
    void inversionRunsWriteASection();
    void storedCurvesSurviveReprocessingUnlessRebuilt();
    void curvePlotDrawsEachCurveInBothPanels();
    void sectionPlotColoursLowAndHighResistivityApart();
    void badRequestsExitNonZero_data();
    void badRequestsExitNonZero();
    void damagedRecordingFailsAloneAndIsNamed();
    void plotsOfUnplottableValuesAreRefused();
    void foreignFilesAreRefusedUntouched_data();
    void foreignFilesAreRefusedUntouched();
    void unreadableLineRowsAreReported_data();
    void unreadableLineRowsAreReported();
    void processReportsProgressLines();
    void interruptCancelsProcessingAndStoresNothing();
    void threadCountLeavesTheSameProjectContents();
    void interruptLeavesEveryStationWholeOrAsItWas();

private:
    QTemporaryDir work;
    QString project;
    QString scalarLog;  // standard error of the scalar processing, not a terminal
};

void TestCli::initTestCase()
{
    QVERIFY(work.isValid());
    const Run demo = cli({"demo", work.path()});
    QVERIFY2(demo.exitCode == 0, qPrintable(demo.err));
    project = work.filePath("demo.HMT");
    for (const char *entry : {"demo.HMT", "demo-model.txt", "tensors", "nlcg/MTNLCG.exe", "nlls/MT2DACB.exe",
                              "data/Line 1/Station 3/config.ini"})
        QVERIFY2(QFileInfo::exists(work.filePath(entry)), entry);
    QVERIFY(!QDir(work.filePath("ColorScales")).entryList({"*.clr"}).isEmpty());
    const Run scalar = cli({"process", project});
    QVERIFY2(scalar.exitCode == 0 && scalar.err.contains("[14/14]"), qPrintable(scalar.err));
    scalarLog = scalar.err;
    const Run tensor = cli({"process", project, "--mode", "tensor"});
    QVERIFY2(tensor.exitCode == 0, qPrintable(tensor.err));
}

void TestCli::curvesFollowTheModel_data()
{
    QTest::addColumn<int>("station");
    QTest::addColumn<QString>("rho");  // column of the curve table
    QTest::addColumn<QString>("phase");
    for (int station : {1, 2})
        for (const QString pair : {"ExHy", "EyHx"})
            QTest::addRow("station %d %s", station, qPrintable(pair)) << station << pair + "_rho" << pair + "_phase";
    for (int station : {1, 2, 3})
        for (const QString element : {"xy", "yx"})
            QTest::addRow("station %d tensor %s", station, qPrintable(element))
                << station << "rho_" + element << "phase_" + element;
}

// Over the band interior of each recording (from the 32nd line of a 16384-sample FFT to a quarter
// of the rate) the curve is within 5 % and 2 degrees of the model (mapped phase for the scalar
// curves). A scalar curve holds the 24000 Hz recording's records and, at the same frequency after
// them, the 2400 Hz recording's; a tensor row names its band, and its Zyx is -Zxy of a layered
// earth, 180 degrees further round.
void TestCli::curvesFollowTheModel()
{
    QFETCH(int, station);
    QFETCH(QString, rho);
    QFETCH(QString, phase);
    const bool tensor = rho.startsWith("rho_");
    const double turn = phase == "phase_yx" ? 180.0 : 0.0;
    const Run run = cli(curveArguments(project, station) + (tensor ? QStringList{"--tensor"} : QStringList()));
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const StationPlan request = DemoSurvey::survey().stations.value(station - 1);
    QCOMPARE(request.station, station);
    const LayeredEarth earth = request.model.xyEarth();
    QMap<QString, int> seen;
    int count = 0;
    double rhoError = 0, phaseError = 0;
    QString worst;
    for (const auto &row : table(run.out)) {
        const double f = row.value("frequency_hz").toDouble();
        const bool high = tensor ? row.value("band") == "HMT" : seen[row.value("frequency_hz")]++ == 0;
        const int rate = high ? 24000 : 2400;
        if (f < 32.0 * rate / 16384 || f > rate / 4.0 || (!tensor && filledIn(f)))
            continue;
        const double modelRho = earth.apparentResistivity(f);
        const double modelPhase = tensor ? earth.phaseDegrees(f) : mappedPhase(earth.phaseDegrees(f));
        const double r = std::abs(row.value(rho).toDouble() / modelRho - 1.0);
        const double p = std::abs(row.value(phase).toDouble() + turn - modelPhase);
        if (r > rhoError || p > phaseError)
            worst = QString("%1 Hz: rho %2 (model %3), phase %4 (model %5)").arg(f).arg(row.value(rho))
                        .arg(modelRho).arg(row.value(phase)).arg(modelPhase);
        rhoError = std::max(rhoError, r);
        phaseError = std::max(phaseError, p);
        ++count;
    }
    QVERIFY(count >= (tensor ? 20 : 15));
    QVERIFY2(rhoError < 0.05 && phaseError < 2.0, qPrintable(worst));
}

void TestCli::compareFindsEveryCurveWithinTolerance()
{
    const Run run = cli({"compare", project});
    QVERIFY2(run.exitCode == 0, qPrintable(run.out + run.err));
    // Six stations with three scalar curves and two tensor elements; station 3: two elements.
    QCOMPARE(run.out.count(" ok\n"), 32);
}

void TestCli::inversionRunsWriteASection_data()
{
    QTest::addColumn<QString>("method");
    QTest::newRow("conjugate gradient") << "nlcg";
    QTest::newRow("least squares") << "nlls";
}

// The stand-ins invert every Ex/Hy station (not 3): cells within the range of the layers' rhos.
void TestCli::inversionRunsWriteASection()
{
    QFETCH(QString, method);
    const QString out = work.filePath("line1-" + method + ".dat");
    const Run run = cli({"invert", method, project, "--line", "1", "--out", out});
    QVERIFY2(run.exitCode == 0 && run.out.startsWith("Section: 6 columns"), qPrintable(run.out + run.err));
    QVector<double> modelRhos;
    for (const StationPlan &station : DemoSurvey::survey().stations) {
        modelRhos << station.model.xyEarth().basementRho();
        for (const LayeredEarth::Layer &layer : station.model.xyEarth().layers())
            modelRhos << layer.rho;
    }
    const auto [lowest, highest] = std::minmax_element(modelRhos.begin(), modelRhos.end());
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QSet<QByteArray> positions;
    for (const QByteArray &row : file.readAll().trimmed().split('\n')) {  // position,depth,resistivity
        const double rho = row.split(',').value(2).toDouble();
        QVERIFY2(rho > *lowest / 2 && rho < *highest * 2, row.constData());
        positions << row.split(',').value(0);
    }
    QCOMPARE(positions, (QSet<QByteArray>{"1", "2", "4", "5", "6", "7"}));
}

void TestCli::storedCurvesSurviveReprocessingUnlessRebuilt()
{
    const QString assembled = cli(curveArguments(project, 2)).out;
    {  // a hand edit saved from the curve view: one ExHy record
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "edit");
        db.setDatabaseName(project);
        QVERIFY(db.open() && QSqlQuery(db).exec("UPDATE Data_Station SET Data_ImpedanceEx = x'"
            + CurveBlob::encode({{0.0, 10.0, 0.9, 123.0, 45.0, 0.0, 0.0}}).toHex() + "' WHERE StationNum = 2"));
    }
    QSqlDatabase::removeDatabase("edit");
    const QStringList station2{"--line", "1", "--station", "2"};
    const Run kept = cli(QStringList{"process", project} + station2);
    QCOMPARE(kept.exitCode, 0);
    QVERIFY2(kept.out.contains("left as they were") && kept.out.contains("  Line 1, Station 2"),
             qPrintable(kept.out));
    QStringList exHyRhos;
    for (const auto &row : table(cli(curveArguments(project, 2)).out))
        if (!row.value("ExHy_rho").isEmpty())
            exHyRhos << row.value("frequency_hz") + ':' + row.value("ExHy_rho");
    QCOMPARE(exHyRhos, QStringList{"10:123"});
    const Run rebuilt = cli(QStringList{"process", project, "--rebuild"} + station2);
    QVERIFY2(rebuilt.exitCode == 0 && !rebuilt.out.contains("left as they were"), qPrintable(rebuilt.out));
    QCOMPARE(cli(curveArguments(project, 2)).out, assembled);
}

// Pixels of area near colour (each channel within 40), antialiased marker edges included.
static int pixelsNear(const QImage &image, const QRect &area, const QColor &colour)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += qAbs(c.red() - colour.red()) < 40 && qAbs(c.green() - colour.green()) < 40
                     && qAbs(c.blue() - colour.blue()) < 40;
        }
    return count;
}

// Pixels of area near any of colours.
static int pixelsNearAny(const QImage &image, const QRect &area, const QList<QColor> &colours)
{
    int count = 0;
    for (const QColor &colour : colours)
        count += pixelsNear(image, area, colour);
    return count;
}

// At 640 x 480 the panels span x 95 to 350 (10 kHz at the left, 1 Hz at the right), the
// resistivity panel y 50 to 258 and the phase panel y 274 to 410; the legends lie right of them.
// Station 1 was processed in both modes, so its five series (markers may cover one another) reach
// from the left fifth to the right fifth of both panels, every series has its marker in the
// legends, and no marker colour lies left of the panels.
void TestCli::curvePlotDrawsEachCurveInBothPanels()
{
    const QString png = work.filePath("station1.png");
    const Run run = cli({"plot", "curve", project, "--line", "1", "--station", "1", "--out", png,
                         "--size", "640x480"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QImage image(png);
    QCOMPARE(image.size(), QSize(640, 480));
    const QList<QColor> markers{QColor(31, 119, 180), QColor(214, 39, 40), QColor(44, 160, 44),
                                QColor(148, 103, 189), QColor(255, 127, 14)};
    for (const QRect &panel : {QRect(QPoint(96, 51), QPoint(349, 257)), QRect(QPoint(96, 275), QPoint(349, 409))}) {
        const int fifth = panel.width() / 5;
        QVERIFY(pixelsNearAny(image, panel.adjusted(0, 0, -4 * fifth, 0), markers) > 20);
        QVERIFY(pixelsNearAny(image, panel.adjusted(4 * fifth, 0, 0, 0), markers) > 20);
    }
    for (const QColor &marker : markers)
        QVERIFY2(pixelsNear(image, QRect(QPoint(365, 40), QPoint(639, 479)), marker) > 10,
                 qPrintable(marker.name()));
    QCOMPARE(pixelsNearAny(image, QRect(0, 0, 85, 480), markers), 0);
}

// Two columns, 10 and 1000 ohm-m: the colour table runs from blue (low) to dark red (high).
void TestCli::sectionPlotColoursLowAndHighResistivityApart()
{
    QFile table(work.filePath("two.dat"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("0,-50,10\n0,-150,10\n10,-50,1000\n10,-150,1000\n");
    table.close();
    const QString png = work.filePath("two.png");
    const Run run = cli({"plot", "section", table.fileName(), "--out", png});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QImage image(png);
    const QColor low = image.pixelColor(image.width() * 3 / 10, image.height() / 2);
    const QColor high = image.pixelColor(image.width() * 6 / 10, image.height() / 2);
    QVERIFY2(low.blue() > low.red() && high.red() > high.blue(), qPrintable(low.name() + ' ' + high.name()));
    QVERIFY(table.open(QIODevice::WriteOnly | QIODevice::Truncate));
    table.close();
    const Run empty = cli({"plot", "section", table.fileName(), "--out", png});
    QVERIFY2(empty.exitCode == 1 && empty.err.contains("holds no section rows"), qPrintable(empty.err));
}

void TestCli::badRequestsExitNonZero_data()
{
    QTest::addColumn<QStringList>("arguments");  // "PROJECT" stands for the demo project
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");  // on standard error; kCauseMarker stands for a varying part
    const QStringList curve{"curve", "PROJECT", "--line"};
    QTest::newRow("missing project") << QStringList{"process", "no/such/project.HMT"} << 1 << "does not exist";
    QTest::newRow("missing line") << curve + QStringList{"7", "--station", "1"} << 1 << "no line 7";
    QTest::newRow("missing station") << curve + QStringList{"1", "--station", "9"} << 1 << "no station 9";
    QTest::newRow("curve without station") << curve + QStringList{"1"} << 2 << "--station";
    QTest::newRow("unknown estimator") << QStringList{"process", "PROJECT", "--estimator", "fancy"} << 2
                                       << "--estimator fancy";
    const QStringList plot{"plot", "curve", "PROJECT", "--out", "plot.png", "--line", "1", "--station"};
    QTest::newRow("plot of a missing station") << plot + QStringList{"9"} << 1 << "no station 9";
    QTest::newRow("plot of a missing table") << QStringList{"plot", "section", "no/such.dat", "--out", "s.png"}
                                             << 1 << "cannot read";
    QTest::newRow("unknown command") << QStringList{"polish", "PROJECT"} << 2 << "unknown command";
    const QString lengths = "expected a whole number from 16 to 4194304, or rate";
    for (const char *threads : {"0", "-2", "257", "two"})
        QTest::addRow("--threads %s", threads) << QStringList{"process", "PROJECT", "--threads", threads} << 2
                                               << "--threads " + QString(threads) + ": expected a whole number from 1 to 256";
    for (const char *length : {"2147483647", "4194305", "15", "1e3"})
        QTest::addRow("--fft-length %s", length) << QStringList{"process", "PROJECT", "--fft-length", length} << 2
                                                 << "--fft-length " + QString(length) + ": " + lengths;
    QTest::newRow("compare --fft-length 2147483647") << QStringList{"compare", "PROJECT", "--fft-length", "2147483647"}
                                                     << 2 << lengths;
    const QStringList eh4{"export", "eh4", "PROJECT", "--line", "1", "--out"};
    for (const char *start : {"-5", "abc", "1.5", ""})
        QTest::addRow("--start '%s'", start) << eh4 + QStringList{"eh4", "--start", start} << 2
                                             << "--start " + QString(start) + ": expected a whole number of at least 0";
    QTest::newRow("EH4 into a missing folder") << eh4 + QStringList{"no/such/folder"} << 1
                                               << OperatorMessages::eh4FolderMissing(kCauseMarker + "no/such/folder").text;
    QTest::newRow("merge into itself") << QStringList{"merge", "PROJECT", "PROJECT"} << 2
                                       << "a project cannot be merged into itself";
}

void TestCli::badRequestsExitNonZero()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const Run run = cli(arguments.replaceInStrings("PROJECT", project));
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(matchesPattern(run.err, message), qPrintable(run.err));
    QVERIFY(run.out.isEmpty());
}

// The column of one curve as "frequency:rho" entries, in table order.
static QStringList curveColumn(const QString &csv, const QString &pair)
{
    QStringList entries;
    for (const auto &row : table(csv))
        if (!row.value(pair + "_rho").isEmpty())
            entries << row.value("frequency_hz") + ':' + row.value(pair + "_rho");
    return entries;
}

// A recording whose Hy file is missing loses exactly the curves that need Hy (Ex/Hy, Ex2/Hy), named
// with the reason; its Ey/Hx curve is stored and equals that of the untouched demo. The station's
// Ex/Hy curve then comes from the 24000 Hz recording alone: no frequency twice.
void TestCli::damagedRecordingFailsAloneAndIsNamed()
{
    QTemporaryDir other;
    QVERIFY(cli({"demo", other.path()}).exitCode == 0);
    const QString lost = "Line1_Station2_2400Hz_R2_Hy.dat";
    QVERIFY(QFile::remove(other.filePath("data/Line 1/Station 2/" + lost)));
    const QString otherProject = other.filePath("demo.HMT");
    const Run run = cli({"process", otherProject, "--station", "2"});
    QCOMPARE(run.exitCode, 1);
    const QString failed =
        OperatorMessages::recomputationFailed("Line 1", "Station 2", 2, 2400, kCauseMarker, {"EyHx"}).text;
    QVERIFY2(matchesPattern(run.err, failed) && run.err.contains("ExHy: ") && run.err.contains("Ex2Hy: ")
                 && run.err.contains(lost), qPrintable(run.err));
    const Run curve = cli(curveArguments(otherProject, 2));
    QCOMPARE(curve.exitCode, 0);
    const QString untouched = cli(curveArguments(project, 2)).out;
    QCOMPARE(curveColumn(curve.out, "EyHx"), curveColumn(untouched, "EyHx"));
    QStringList frequencies = curveColumn(curve.out, "ExHy");
    QVERIFY(frequencies.size() > 20);
    for (const QString &entry : qAsConst(frequencies))
        QVERIFY2(curveColumn(untouched, "ExHy").contains(entry), qPrintable(entry));
    frequencies.replaceInStrings(QRegularExpression(":.*"), QString());
    QCOMPARE(frequencies.removeDuplicates(), 0);
}

// A section of a denormal resistivity is refused; a curve plot leaves out the records it cannot
// place, says so and exits 1 (before, the tick generator ran over 2^31 decades).
void TestCli::plotsOfUnplottableValuesAreRefused()
{
    QFile table(work.filePath("denormal.dat"));
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("0,-50,10\n0,-150,4.9e-324\n10,-50,1000\n");
    table.close();
    const Run section = cli({"plot", "section", table.fileName(), "--out", work.filePath("denormal.png")});
    QVERIFY2(section.exitCode == 1 && section.err.contains("denormal.png") && section.err.contains("resistivities from"),
             qPrintable(section.err));
    const QByteArray curve = CurveBlob::encode({{0, 4.9e-324, 0.9, 100, 45}, {0, 10, 0.9, 4.9e-324, 45},
                                                {0, 100, 0.9, 100, 45}});
    const QString copy = alteredCopy(project, "denormal.HMT", "UPDATE Data_Station SET Data_ImpedanceEx = x'"
                                     + curve.toHex() + "', HasResult = 1 WHERE StationNum = 1");
    QVERIFY(!copy.isEmpty());
    const QString png = work.filePath("denormal-curve.png");
    const Run plot = cli({"plot", "curve", copy, "--line", "1", "--station", "1", "--out", png});
    QVERIFY2(plot.exitCode == 1 && plot.err.contains("curve points") && plot.out.isEmpty(), qPrintable(plot.err));
    QCOMPARE(QImage(png).size(), QSize(1000, 700));
}

void TestCli::foreignFilesAreRefusedUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("arguments");  // "FILE" stands for the file, "PROJECT" for the demo project
    QTest::addColumn<QString>("message");
    const QStringList line{"--line", "1"};
    const QList<QPair<QString, QStringList>> commands{
        {"process", {"process", "FILE"}},
        {"curve", QStringList{"curve", "FILE", "--station", "1"} + line},
        {"export eh4", QStringList{"export", "eh4", "FILE", "--out", "eh4"} + line},
        {"section", QStringList{"section", "FILE", "--topo", "TOPO"} + line},
        {"invert", QStringList{"invert", "nlcg", "FILE"} + line},
        {"plot curve", QStringList{"plot", "curve", "FILE", "--station", "1", "--out", "p.png"} + line},
        {"compare", {"compare", "FILE", "--model", "MODEL"}},
        {"merge into it", {"merge", "FILE", "PROJECT"}},
        {"merge from it", {"merge", "PROJECT", "FILE"}}};
    const QList<QPair<QString, QString>> kinds{{"empty file", "is not a project file"},
                                               {"another program's database", "is not a project file"},
                                               {"truncated project", "cannot open"}};
    for (const auto &kind : kinds)
        for (const auto &command : commands)
            QTest::addRow("%s, %s", qPrintable(kind.first), qPrintable(command.first))
                << kind.first << command.second << kind.second;
}

// Every subcommand refuses a file that is not a project with a message and writes nothing into it.
void TestCli::foreignFilesAreRefusedUntouched()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    const QString file = work.filePath(kind + ".HMT");
    QFile::remove(file);
    if (kind == "another program's database") {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(file);
        QVERIFY(db.open() && QSqlQuery(db).exec("CREATE TABLE moz_places (id INTEGER PRIMARY KEY, url TEXT)")
                && QSqlQuery(db).exec("INSERT INTO moz_places (url) VALUES ('https://example.org')"));
        db.close();
    } else if (kind == "truncated project") {
        QVERIFY(QFile::copy(project, file));
        QFile copy(file);
        QVERIFY(copy.resize(copy.size() / 2));
    }
    QSqlDatabase::removeDatabase("foreign");
    QFile written(file);
    QVERIFY(written.open(QIODevice::ReadWrite));
    const QByteArray before = written.readAll();
    written.close();
    QFile topography(work.filePath("flat-topography.dat"));
    QVERIFY(topography.open(QIODevice::WriteOnly) && topography.write("0 100\n1000 100\n") == 15);
    topography.close();
    const Run run = cli(arguments.replaceInStrings("FILE", file).replaceInStrings("PROJECT", project)
                            .replaceInStrings("MODEL", work.filePath("demo-model.txt"))
                            .replaceInStrings("TOPO", topography.fileName()));
    QVERIFY2(run.exitCode == 1 && run.err.contains(message) && run.err.contains(QFileInfo(file).fileName()),
             qPrintable(run.err));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll() == before);
}

void TestCli::unreadableLineRowsAreReported_data()
{
    QTest::addColumn<QStringList>("arguments");  // "PROJECT" stands for the damaged copy
    const QStringList line{"--line", "1"};
    QTest::newRow("curve") << QStringList{"curve", "PROJECT", "--station", "1"} + line;
    QTest::newRow("process") << QStringList{"process", "PROJECT"};
    QTest::newRow("export eh4") << QStringList{"export", "eh4", "PROJECT", "--out", "eh4"} + line;
    QTest::newRow("section") << QStringList{"section", "PROJECT", "--topo", "TOPO"} + line;
    QTest::newRow("invert") << QStringList{"invert", "nlls", "PROJECT"} + line;
    QTest::newRow("plot curve") << QStringList{"plot", "curve", "PROJECT", "--station", "1", "--out", "p.png"} + line;
    QTest::newRow("compare") << QStringList{"compare", "PROJECT", "--model", "MODEL"};
}

// Line rows whose key column was renamed cannot be loaded: every command that picks a line says so.
void TestCli::unreadableLineRowsAreReported()
{
    QFETCH(QStringList, arguments);
    QString copy = work.filePath("renamed-key.HMT");
    if (!QFileInfo::exists(copy))
        copy = alteredCopy(project, "renamed-key.HMT", "ALTER TABLE Data_Line RENAME COLUMN ID TO LineKey");
    QVERIFY(!copy.isEmpty());
    QFile topography(work.filePath("flat-topography.dat"));
    QVERIFY(topography.open(QIODevice::WriteOnly) && topography.write("0 100\n1000 100\n") == 15);
    topography.close();
    const Run run = cli(arguments.replaceInStrings("PROJECT", copy)
                            .replaceInStrings("MODEL", work.filePath("demo-model.txt"))
                            .replaceInStrings("TOPO", topography.fileName()));
    QVERIFY2(run.exitCode == 1 && run.err.contains("Data_Line"), qPrintable(run.err));
}

// Standard error is not a terminal here, so each recording's progress comes as plain lines: its
// pairs in turn with rising percentages, then the line saying it is done.
void TestCli::processReportsProgressLines()
{
    const QString label = "[1/14] Line 1, Station 1, recording 1 (24000 Hz)";
    QStringList lines;
    for (const QString &line : scalarLog.split('\n'))
        if (line.startsWith(label))
            lines << line.mid(label.size());
    QVERIFY2(lines.size() >= 4, qPrintable(scalarLog));
    QVERIFY2(lines.last().startsWith(" ... done ("), qPrintable(lines.last()));
    const QRegularExpression progress("^: (\\d+)% (ExHy|EyHx|Ex2Hy)$");
    int previous = -1;
    QStringList pairs;
    for (const QString &line : lines.mid(0, lines.size() - 1)) {
        const QRegularExpressionMatch match = progress.match(line);
        QVERIFY2(match.hasMatch(), qPrintable(line));
        QVERIFY2(match.captured(1).toInt() >= previous, qPrintable(line));
        previous = match.captured(1).toInt();
        if (!pairs.contains(match.captured(2)))
            pairs << match.captured(2);
    }
    QCOMPARE(pairs, (QStringList{"EyHx", "ExHy", "Ex2Hy"}));
}

// Ctrl+C during the first recording of a copy of the processed project: the recording stops at its
// next segment, nothing is stored, the copy keeps every byte and the exit code is 1.
void TestCli::interruptCancelsProcessingAndStoresNothing()
{
    const QString copy = work.filePath("interrupted.HMT");
    QVERIFY(QFile::copy(project, copy));
    QFile file(copy);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(TERRASCOPE_CLI, {"process", copy, "--line", "1", "--station", "1", "--fft-count", "all"});
    QString err;
    while (!err.contains("% ExHy") && process.waitForReadyRead(60000))
        err += QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.contains("% ExHy"), qPrintable(err));
    QVERIFY(::kill(pid_t(process.processId()), SIGINT) == 0);
    QVERIFY(process.waitForFinished(120000));
    err += QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 1, qPrintable(err));
    QVERIFY2(err.contains("recording 1 (24000 Hz) ... cancelled")
                 && err.contains("cancelled at recording 1 of 2, which stored nothing"), qPrintable(err));
    file.seek(0);
    QVERIFY(file.readAll() == before);
}

// One thread or two computing the recordings, the rebuilt survey's project holds the same rows,
// every curve BLOB to the byte, and station 3 gets the same tensor files: results are stored in
// station order whatever finishes first. The file is left in rollback-journal form, as it came.
void TestCli::threadCountLeavesTheSameProjectContents()
{
    QStringList copies;
    QList<QByteArray> tensorFiles;
    for (const QString threads : {"1", "2"}) {
        copies << work.filePath("threads-" + threads + ".HMT");
        QVERIFY(QFile::copy(project, copies.last()));
        const Run run = cli({"process", copies.last(), "--rebuild", "--threads", threads});
        QVERIFY2(run.exitCode == 0 && run.err.contains("[14/14]"), qPrintable(run.err));
        // The stores' write-ahead log is folded back: no log beside the file, whose header names
        // the rollback journal again (file format bytes 18 and 19).
        QVERIFY(!QFileInfo::exists(copies.last() + "-wal"));
        QFile file(copies.last());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(20).mid(18), QByteArray("\x01\x01", 2));
        QByteArray tensors;
        for (const char *name : {"tensors/3.HMT", "tensors/3.MMT"}) {
            QFile tensorFile(work.filePath(name));
            QVERIFY(tensorFile.open(QIODevice::ReadOnly));
            tensors += tensorFile.readAll();
        }
        tensorFiles << tensors;
    }
    QCOMPARE(tensorFiles.last(), tensorFiles.first());
    const QStringList one = projectContents(copies.first());
    QVERIFY(one.filter(QRegularExpression("^Data_ProcessData,")).size() >= 36);
    QCOMPARE(projectContents(copies.last()), one);
}

// Ctrl+C once the first station is stored, while a later one computes, rebuilding a copy of the
// processed survey with every segment (other curves than those stored): each station is either
// stored whole (cleared, all of its recordings' rows new) or left as it was, every row the same; at
// least the first station is the one and the last the other.
void TestCli::interruptLeavesEveryStationWholeOrAsItWas()
{
    const QString copy = work.filePath("interrupted-line.HMT");
    QVERIFY(QFile::copy(project, copy));
    QList<QStringList> before;
    for (int station = 1; station <= 7; ++station)
        before << stationRows(copy, station);
    QProcess process;
    process.setReadChannel(QProcess::StandardError);
    process.start(TERRASCOPE_CLI, {"process", copy, "--rebuild", "--fft-count", "all", "--threads", "1"});
    const QString firstStored = "[2/14] Line 1, Station 1, recording 2 (2400 Hz) ... done";
    QString err;
    while (!err.contains(firstStored) && process.waitForReadyRead(60000))
        err += QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(err.contains(firstStored), qPrintable(err));
    QVERIFY(::kill(pid_t(process.processId()), SIGINT) == 0);
    QVERIFY(process.waitForFinished(120000));
    err += QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(process.exitStatus() == QProcess::NormalExit && process.exitCode() == 1, qPrintable(err));
    const QRegularExpressionMatch cancelled =
        QRegularExpression("cancelled at recording (\\d+) of 14, which stored nothing: Line 1, Station (\\d)").match(err);
    QVERIFY2(cancelled.hasMatch(), qPrintable(err));
    const int firstUnstored = cancelled.captured(2).toInt();
    QVERIFY2(firstUnstored > 1 && firstUnstored < 7, qPrintable(err));
    QCOMPARE(cancelled.captured(1).toInt(), 2 * firstUnstored - 1);
    for (int station = 1; station <= 7; ++station) {
        const QStringList rows = stationRows(copy, station);
        const QStringList &old = before.at(station - 1);
        if (station >= firstUnstored) {
            QCOMPARE(rows, old);
            continue;
        }
        QCOMPARE(rows.size(), old.size());
        for (int r = 0; r < rows.size(); ++r) {
            QVERIFY2(rows.at(r).startsWith("0,,,"), qPrintable(QString("station %1 not cleared").arg(station)));
            QVERIFY2(rows.at(r).section(',', 4) != old.at(r).section(',', 4),
                     qPrintable(QString("station %1, row %2 kept its old curve").arg(station).arg(r)));
        }
    }
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_Cli.moc"

