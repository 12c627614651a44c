#include "Data_Line.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "LogCapture.h"
#include "StoreFixture.h"
#include "SyntheticProject.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// A ready project built beside a synthetic survey, read back by a second database object.
class TestSyntheticProject : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyRowIsFound_data();
    void everyRowIsFound();
    void recordingTablesNameTheFiles();
    void existingProjectIsNotExtended();

private:
    QTemporaryDir m_dir;
    QString m_projectFile;
};

namespace {

RecordingSpec recording(int rate, int seconds, bool lowBand = false)
{
    RecordingSpec r;
    r.sampleRate = rate;
    r.seconds = seconds;
    r.lowBand = lowBand;
    return r;
}

// Line 3 written before line 1, so the rows must not simply follow the writing order.
SurveySpec smallSurvey()
{
    StationSpec a;
    a.line = 3;
    a.station = 5;
    a.recordings = {recording(4096, 2)};
    StationSpec b;
    b.line = 1;
    b.station = 1;
    b.exDipole = 40;
    b.recordings = {recording(24000, 1), recording(1024, 4, true)};
    StationSpec c = b;
    c.station = 2;
    c.recordings = {recording(1024, 3)};
    SurveySpec spec;
    spec.stations = {a, b, c};
    return spec;
}

} // namespace

void TestSyntheticProject::initTestCase()
{
    QVERIFY(m_dir.isValid());
    SurveyDescription survey;
    QVERIFY(SyntheticProject::create(smallSurvey(), m_dir.path(), "field", &survey, &m_projectFile));
    QCOMPARE(m_projectFile, m_dir.filePath("field.HMT"));
}

void TestSyntheticProject::everyRowIsFound_data()
{
    // line, station, x dipole, then "number rate" of each recording
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("station");
    QTest::addColumn<double>("xDipole");
    QTest::addColumn<QStringList>("recordings");
    QTest::newRow("line 1 station 1") << 1 << 1 << 40.0 << QStringList{"1 24000", "2 1024"};
    QTest::newRow("line 1 station 2") << 1 << 2 << 40.0 << QStringList{"1 1024"};
    QTest::newRow("line 3 station 5") << 3 << 5 << 50.0 << QStringList{"1 4096"};
}

void TestSyntheticProject::everyRowIsFound()
{
    QFETCH(int, line);
    QFETCH(int, station);
    QFETCH(double, xDipole);
    QFETCH(QStringList, recordings);
    auto db = openProject(m_projectFile);
    QVERIFY(db);
    DORE_Collection<Data_Project> projects(db.get());
    QCOMPARE(projects.count(), 1);
    QCOMPARE(projects.at(0).object->ProjectId(), QString("field"));
    QCOMPARE(projects.at(0).object->LinesNumbers(), 2);
    DORE_Collection<Data_Line> *lines = projects.at(0).object->REF_Data_Line();
    QCOMPARE(lines->count(), 2);
    Data_Line *lineRow = lines->at(line == 1 ? 0 : 1).object;
    QCOMPARE(lineRow->LineName(), line);
    QCOMPARE(lineRow->Use(), 1);
    Data_Station *stationRow = nullptr;
    for (int i = 0; i < lineRow->REF_Data_Station()->count(); ++i)
        if (lineRow->REF_Data_Station()->at(i).object->StationNum() == float(station))
            stationRow = lineRow->REF_Data_Station()->at(i).object;
    QVERIFY(stationRow);
    QCOMPARE(stationRow->Use(), 1);
    QCOMPARE(stationRow->XPoleDistance(), xDipole);
    QCOMPARE(stationRow->SampleNumbers(), recordings.size());
    DORE_Collection<Data_SampleData> *samples = stationRow->REF_Data_SampleData();
    QStringList found;
    for (int i = 0; i < samples->count(); ++i) {
        const Data_SampleData *s = samples->at(i).object;
        QCOMPARE(s->Use(), 1);
        found << QString("%1 %2").arg(s->SampleDataNum()).arg(s->SampleRate());
    }
    QCOMPARE(found, recordings);
}

void TestSyntheticProject::recordingTablesNameTheFiles()
{
    auto db = openProject(m_projectFile);
    QVERIFY(db);
    DORE_Collection<Data_Line> lines(db.get());
    int recordingsRead = 0;
    for (int l = 0; l < lines.count(); ++l) {
        Data_Line *line = lines.at(l).object;
        for (int s = 0; s < line->REF_Data_Station()->count(); ++s) {
            Data_Station *station = line->REF_Data_Station()->at(s).object;
            const QString folder = m_dir.filePath(QString("data/Line %1/Station %2")
                                                      .arg(line->LineName())
                                                      .arg(station->StationNum()));
            DORE_Collection<Data_SampleData> *samples = station->REF_Data_SampleData();
            for (int r = 0; r < samples->count(); ++r) {
                Data_SampleData *sample = samples->at(r).object;
                sample->setFolder(folder);
                QVERIFY(sample->readTable());
                const RecordingInfo info = sample->description();
                QCOMPARE(info.files.size(), 5);
                // Each file holds one 32-bit count per sample: the table's duration times the
                // row's rate.
                const qint64 seconds = info.hours * 3600 + info.minutes * 60 + info.seconds;
                for (const char *tag : {"_E0", "_E1", "_E2", "_Hx", "_Hy"}) {
                    const QStringList withTag = info.files.filter(tag);
                    QCOMPARE(withTag.size(), 1);
                    QCOMPARE(QFileInfo(withTag.first()).size(), 4 * seconds * sample->SampleRate());
                }
                QVERIFY(seconds > 0);
                ++recordingsRead;
            }
        }
    }
    QCOMPARE(recordingsRead, 4);
}

void TestSyntheticProject::existingProjectIsNotExtended()
{
    SurveyDescription survey;
    survey.workDir = m_dir.path();
    {
        LogCapture log;
        QVERIFY(!SyntheticProject::write(survey, "field"));
        QVERIFY(log.hasPrefix("SyntheticProject::write"));
    }
    auto db = openProject(m_projectFile);
    QVERIFY(db);
    QCOMPARE(rawValue(*db, "SELECT count(*) FROM Data_Project").toInt(), 1);
    QCOMPARE(rawValue(*db, "SELECT count(*) FROM Data_SampleData").toInt(), 4);
}

int runSyntheticProjectTests(int argc, char **argv)
{
    TestSyntheticProject test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_SyntheticProject.moc"
