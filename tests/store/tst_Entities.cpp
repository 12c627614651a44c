#include "CurveBlob.h"
#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "LogCapture.h"
#include "StoreFixture.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QtTest>

// Entity operations beyond the columns: curve BLOB layout, project summary, a line's section data
// and channel selection, a station's curves assembled from its recordings.
class TestEntities : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void curveBlobLayout();
    void projectSummary_data();
    void projectSummary();
    void sectionData_data();
    void sectionData();
    void channelSelection_data();
    void channelSelection();
    void assembledCurves();
    void stationWithoutRecordings();

private:
    QTemporaryDir m_dir;
};


using Curve = QVector<OneFreqImpedance>;

namespace {

// A curve of n records whose tags are tag, tag + 1, ...
Curve taggedCurve(double tag, int n = 2)
{
    Curve c;
    for (int i = 0; i < n; ++i)
        c << OneFreqImpedance{tag + i, 1.0 + i, 0.9, 100.0, 45.0, 100.0, 3560.0};
    return c;
}

QList<double> tagsOf(const Curve &c)
{
    QList<double> tags;
    for (const OneFreqImpedance &r : c)
        tags << r.tag;
    return tags;
}

// Line stations 5, 10, 15 (unused), 20 and 25. Curve tags: station number x 10 + mode (0 ExHy,
// 1 EyHx, 2 Ex2Hy, 3 multi-polarity).
void addSurveyLine(LibDORE &db)
{
    struct Station { float number; int use; QString curves; };
    const Station stations[] = {{5, 1, "0"}, {10, 1, "01"}, {15, 0, "0"}, {20, 1, "013"}, {25, 1, "02"}};
    db.transaction();
    DORE_Collection<Data_Line> lines(&db);
    DORE_Collection<Data_Station> *onLine = lines.appendNew().object->REF_Data_Station();
    for (const Station &s : stations) {
        Data_Station *row = onLine->appendNew().object;
        row->setStationNum(s.number);
        row->setUse(s.use);
        auto blob = [&](int mode) {
            return s.curves.contains(QString::number(mode))
                       ? CurveBlob::encode(taggedCurve(s.number * 10 + mode)) : QByteArray();
        };
        row->setData_ImpedanceEx(blob(0));
        row->setData_ImpedanceEy(blob(1));
        row->setData_ImpedanceEx2(blob(2));
        row->setData_ImpedanceMP(blob(3));
        row->commit();
    }
    db.commit();
}

} // namespace

void TestEntities::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void TestEntities::curveBlobLayout()
{
    const Curve curve{OneFreqImpedance{0.0, 1.0, 0.5, 2.0, -2.0, 0.0, 0.0}};
    QByteArray expected(56, '\0');
    expected[15] = '\x3f';  // freq 1.0 = 3FF0000000000000, little-endian
    expected[14] = '\xf0';
    expected[23] = '\x3f';  // coherency 0.5 = 3FE0000000000000
    expected[22] = '\xe0';
    expected[31] = '\x40';  // rho 2.0 = 4000000000000000
    expected[39] = '\xc0';  // phase -2.0 = C000000000000000
    QCOMPARE(CurveBlob::encode(curve), expected);
    const Curve back = CurveBlob::decode(expected);
    QCOMPARE(back.size(), 1);
    QCOMPARE(back.at(0).freq, 1.0);
    QCOMPARE(back.at(0).phase, -2.0);
}

void TestEntities::projectSummary_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QDate>("utcDate");
    QTest::addColumn<int>("utcHour");
    QTest::newRow("epoch") << 0 << QDate(1970, 1, 1) << 0;
    QTest::newRow("2020-02-29 23:00 UTC") << 1583017200 << QDate(2020, 2, 29) << 23;
}

void TestEntities::projectSummary()
{
    QFETCH(int, seconds);
    QFETCH(QDate, utcDate);
    QFETCH(int, utcHour);
    Data_Project project(nullptr);
    project.setProjectId("P-7");
    project.setProjectName("north ridge");
    project.setProjectAddress("valley");
    project.setOperatorName("Li");
    project.setProjectDate(seconds);
    const ProjectSummary s = project.summary();
    const QDate local = QDateTime(utcDate, QTime(utcHour, 0), Qt::UTC).toLocalTime().date();
    QCOMPARE(s.projectDate, local);
    QCOMPARE((QStringList{s.projectId, s.projectName, s.projectAddress, s.operatorName}),
             (QStringList{"P-7", "north ridge", "valley", "Li"}));
}

void TestEntities::sectionData_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::addColumn<QList<double>>("positions");
    QTest::newRow("10 to 20") << 0 << 10.0 << 20.0 << QList<double>{10, 20};
    QTest::newRow("up to 20") << 0 << -1.0 << 20.0 << QList<double>{5, 10, 20};
    QTest::newRow("30 to 20") << 0 << 30.0 << 20.0 << QList<double>{};
    QTest::newRow("from 10") << 0 << 10.0 << -1.0 << QList<double>{10, 20, 25};
    QTest::newRow("unbounded") << 0 << -1.0 << -1.0 << QList<double>{5, 10, 20, 25};
    QTest::newRow("EyHx") << 1 << -1.0 << -1.0 << QList<double>{10, 20};
    QTest::newRow("Ex2Hy") << 2 << -1.0 << -1.0 << QList<double>{25};
    QTest::newRow("multi-polarity") << 3 << -1.0 << -1.0 << QList<double>{20};
    QTest::newRow("between stations") << 0 << 11.0 << 19.0 << QList<double>{};
}

void TestEntities::sectionData()
{
    QFETCH(int, mode);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    QFETCH(QList<double>, positions);
    auto db = openProject(m_dir.filePath(QString("section-%1.HMT").arg(QTest::currentDataTag())));
    QVERIFY(db);
    addSurveyLine(*db);
    DORE_Collection<Data_Line> lines(db.get());
    QList<Curve> curves{taggedCurve(-1)};
    QList<double> at{-1};
    lines.at(0).object->sectionData(mode, lowest, highest, curves, at);
    QCOMPARE(at, positions);
    QCOMPARE(curves.size(), positions.size());
    for (int i = 0; i < curves.size(); ++i)
        QCOMPARE(tagsOf(curves.at(i)), tagsOf(taggedCurve(positions.at(i) * 10 + mode)));
}

void TestEntities::channelSelection_data()
{
    QTest::addColumn<QStringList>("components");
    QTest::addColumn<QStringList>("selected");
    QTest::newRow("Ex and Ey") << QStringList{"Ex", "Ey"}
                               << QStringList{"5 Ex", "10 Ex", "10 Ey", "20 Ex", "20 Ey", "25 Ex"};
    QTest::newRow("all three") << QStringList{"Ey", "Ex2", "Ex"}
                               << QStringList{"5 Ex", "10 Ex", "10 Ey", "20 Ex", "20 Ey", "25 Ex",
                                              "25 Ex2"};
    QTest::newRow("Ex2 only") << QStringList{"Ex2"} << QStringList{"25 Ex2"};
    QTest::newRow("none") << QStringList{} << QStringList{};
}

void TestEntities::channelSelection()
{
    QFETCH(QStringList, components);
    QFETCH(QStringList, selected);
    auto db = openProject(m_dir.filePath(QString("channels-%1.HMT").arg(QTest::currentDataTag())));
    QVERIFY(db);
    addSurveyLine(*db);
    DORE_Collection<Data_Line> lines(db.get());
    QStringList got;
    const int modeOf[] = {0, 2, 1};  // Ex, Ex2, Ey in the order curves are listed
    for (const StationCurve &c : lines.at(0).object->channelSelection(components)) {
        got << QString("%1 %2").arg(c.stationNum).arg(c.component);
        const int mode = modeOf[QStringList{"Ex", "Ex2", "Ey"}.indexOf(c.component)];
        QCOMPARE(tagsOf(c.curve), tagsOf(taggedCurve(c.stationNum * 10 + mode)));
    }
    QCOMPARE(got, selected);
}

void TestEntities::assembledCurves()
{
    auto db = openProject(m_dir.filePath("assembly.HMT"));
    QVERIFY(db);
    DORE_Collection<Data_Station> stations(db.get());
    Data_Station *station = stations.appendNew().object;
    // Recordings: rate, use, then results as (channel, first tag).
    struct Result { int channel; double tag; };
    struct Recording { int rate; int use; QList<Result> results; };
    const QList<Recording> recordings{{24000, 1, {{0, 100}, {1, 200}}},
                                      {24000, 0, {{0, 900}}},
                                      {500000, 1, {{0, 800}}},
                                      {4096, 1, {{0, 300}, {2, 400}, {7, 700}}}};
    for (const Recording &r : recordings) {
        Data_SampleData *sample = station->REF_Data_SampleData()->appendNew().object;
        sample->setSampleRate(r.rate);
        sample->setUse(r.use);
        sample->commit();
        for (const Result &result : r.results) {
            Data_ProcessData *row = sample->REF_Data_ProcessData()->appendNew().object;
            row->setSampleChannel(result.channel);
            row->setData_Impedance(CurveBlob::encode(taggedCurve(result.tag)));
            row->commit();
        }
    }
    DORE_Collection<Data_Station> reloaded(db.get());
    Curve exHy{OneFreqImpedance{}}, eyHx, ex2Hy;
    reloaded.at(0).object->assembleCurves(exHy, eyHx, ex2Hy);
    QCOMPARE(tagsOf(exHy), (QList<double>{100, 101, 300, 301}));
    QCOMPARE(tagsOf(eyHx), (QList<double>{200, 201}));
    QCOMPARE(tagsOf(ex2Hy), (QList<double>{400, 401}));
}

void TestEntities::stationWithoutRecordings()
{
    auto db = openProject(m_dir.filePath("lonely.HMT"));
    QVERIFY(db);
    DORE_Collection<Data_Station> stations(db.get());
    Curve exHy{OneFreqImpedance{}}, eyHx{OneFreqImpedance{}}, ex2Hy;
    LogCapture log;
    stations.appendNew().object->assembleCurves(exHy, eyHx, ex2Hy);
    QVERIFY(log.hasPrefix("Data_Station::assembleCurves"));
    QVERIFY(exHy.isEmpty() && eyHx.isEmpty() && ex2Hy.isEmpty());
}

int runEntityTests(int argc, char **argv)
{
    TestEntities test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Entities.moc"
