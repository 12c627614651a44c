// The object-relational layer on real SQLite files: schema, round trips through a second LibDORE, collections,
// logged failures, damaged, read-only and interrupted files (the last two through a child process).

#include "CurveBlob.h"
#include "Data_Line.h"
#include "Data_Project.h"
#include "Data_Station.h"
#include "StoreSupport.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <limits>
#include <unistd.h>

using Curve = QVector<OneFreqImpedance>;

namespace {

Curve makeCurve(int records)
{
    Curve curve;
    for (int i = 0; i < records; ++i)
        curve << OneFreqImpedance{0.1 * i, std::pow(10.0, i - 1), 0.9 - 0.01 * i, 100.0 + i / 3.0, 45.0 - i,
                                  80.0 + i, 1000.0 * (i + 1)};
    return curve;
}

} // namespace

class TestDore : public QObject {
    Q_OBJECT
private slots:
    void freshSchemaAsWritten();
    void olderFileGainsColumnsOnceAndKeepsRows();
    void roundTrip_data();
    void roundTrip();
    void dirtyTrackingAndAppendNew();
    void pagingFilterAndOrder_data();
    void pagingFilterAndOrder();
    void onUseColumnLoadsOnDemand();
    void failuresAreLogged();
    void failedOpen_data();
    void failedOpen();
    void notAProjectIsTold_data();
    void notAProjectIsTold();
    void newProjectFile();
    void readOnlyFileKeepsItsState();
    void interruptedWriteKeepsLastCommit();

private:
    QString path(const QString &name) { return m_dir.filePath(QString("%1-%2.HMT").arg(++m_serial).arg(name)); }
    QTemporaryDir m_dir;
    int m_serial = 0;
};

void TestDore::freshSchemaAsWritten()
{
    auto db = openProject(path("fresh"));
    QVERIFY(db);
    const QString key = "(ID INTEGER NOT NULL PRIMARY KEY AUTOINCREMENT , ";
    QCOMPARE(rawValues(*db, "SELECT sql FROM sqlite_master WHERE name NOT LIKE 'sqlite_%' ORDER BY name"),
             (QVariantList{
                 "CREATE TABLE Data_Line " + key + "LineName INTEGER , Use INTEGER , Note TEXT , "
                     "Data_ProjectID INTEGER )",
                 "CREATE TABLE Data_ProcessData " + key + "SampleFrequency REAL , SampleChannel INTEGER , "
                     "Data_Impedance BLOB , Data_Velocity BLOB , Data_SampleDataID INTEGER , "
                     "Data_ImpedanceErr BLOB )",
                 "CREATE TABLE Data_Project " + key + "ProjectId TEXT , ProjectName TEXT , ProjectAddress TEXT , "
                     "ProjectDate INTEGER , OperatorName TEXT , GMTOffset INTEGER , LinesNumbers INTEGER , Note TEXT )",
                 "CREATE TABLE Data_SampleData " + key + "SampleDataNum INTEGER , SampleRate INTEGER , Use INTEGER , "
                     "Data_StationID INTEGER )",
                 "CREATE TABLE Data_Station " + key + "StationNum REAL , Use INTEGER , GPS_Latitude REAL , "
                     "GPS_Longtitude REAL , GPS_Elevation REAL , SampleNumbers INTEGER , HasResult INTEGER , "
                     "Data_ImpedanceEx BLOB , Data_ImpedanceEy BLOB , Data_ImpedanceEx2 BLOB , Data_ImpedanceMP BLOB , "
                     "HasTensor INTEGER , XPoleDistance REAL , YPoleDistance REAL , HMT INTEGER , MMT INTEGER , "
                     "LMT INTEGER , Data_LineID INTEGER , Data_ImpedanceExErr BLOB , Data_ImpedanceEyErr BLOB , "
                     "Data_ImpedanceEx2Err BLOB )",
                 "CREATE INDEX IDX_Data_Line_Data_ProjectID_ ON Data_Line ( Data_ProjectID )",
                 "CREATE INDEX IDX_Data_Line_ID_ ON Data_Line ( ID )",
                 "CREATE INDEX IDX_Data_ProcessData_Data_SampleDataID_ ON Data_ProcessData ( Data_SampleDataID )",
                 "CREATE INDEX IDX_Data_ProcessData_ID_ ON Data_ProcessData ( ID )",
                 "CREATE INDEX IDX_Data_Project_ID_ ON Data_Project ( ID )",
                 "CREATE INDEX IDX_Data_SampleData_Data_StationID_ ON Data_SampleData ( Data_StationID )",
                 "CREATE INDEX IDX_Data_SampleData_ID_ ON Data_SampleData ( ID )",
                 "CREATE INDEX IDX_Data_Station_Data_LineID_ ON Data_Station ( Data_LineID )",
                 "CREATE INDEX IDX_Data_Station_ID_ ON Data_Station ( ID )"}));
}

// Registration appends the missing columns in declaration order; old rows read their NULLs as zero;
// registering again writes nothing and logs nothing.
void TestDore::olderFileGainsColumnsOnceAndKeepsRows()
{
    const QString p = path("older");
    {
        LibDORE old;
        QVERIFY(old.open(p));
        QVERIFY(rawExec(old, "CREATE TABLE Data_Station (ID INTEGER NOT NULL PRIMARY KEY AUTOINCREMENT , "
                             "StationNum REAL , Use TEXT , Data_LineID INTEGER , Obsolete TEXT )"));
        QVERIFY(rawExec(old, "INSERT INTO Data_Station (StationNum, Use, Data_LineID, Obsolete) "
                             "VALUES (5.5, '1', 7, 'a'), (6, '0', 7, 'b')"));
    }
    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawValues(*db, "SELECT name || ' ' || type FROM pragma_table_info('Data_Station')"),
             (QVariantList{"ID INTEGER", "StationNum REAL", "Use TEXT", "Data_LineID INTEGER", "Obsolete TEXT",
                          "GPS_Latitude REAL", "GPS_Longtitude REAL", "GPS_Elevation REAL", "SampleNumbers INTEGER",
                          "HasResult INTEGER", "Data_ImpedanceEx BLOB", "Data_ImpedanceEy BLOB",
                          "Data_ImpedanceEx2 BLOB", "Data_ImpedanceMP BLOB", "HasTensor INTEGER",
                          "XPoleDistance REAL", "YPoleDistance REAL", "HMT INTEGER", "MMT INTEGER", "LMT INTEGER",
                          "Data_ImpedanceExErr BLOB", "Data_ImpedanceEyErr BLOB", "Data_ImpedanceEx2Err BLOB"}));
    QCOMPARE(rawValues(*db, "SELECT Obsolete FROM Data_Station ORDER BY ID"), (QVariantList{"a", "b"}));
    DORE_Collection<Data_Station> stations(db.get(), "Data_LineID", "7");
    const Data_Station *first = stations.at(0).object;
    QVERIFY(stations.count() == 2 && first && first->StationNum() == 5.5f && first->Use() == 1);
    QVERIFY(first->XPoleDistance() == 0 && first->HMT() == 0 && first->Data_ImpedanceEx().isEmpty());
    // An older station's curves have no error known.
    const StationCurves older = first->storedCurves();
    QVERIFY(older.exHyBars.isEmpty() && older.eyHxBars.isEmpty() && older.ex2HyBars.isEmpty());
    const QString schema = "SELECT type || name || sql FROM sqlite_master ORDER BY name";
    const QVariantList before = rawValues(*db, schema);
    static int logged = 0;
    const QtMessageHandler testHandler =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) { ++logged; });
    registerProjectSchema(*db);
    qInstallMessageHandler(testHandler);
    QCOMPARE(logged, 0);
    QCOMPARE(rawValues(*db, schema), before);
}

void TestDore::roundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("latitude");
    QTest::addColumn<int>("records");   // of the curve BLOB
    QTest::addColumn<int>("trailing");  // bytes after the records
    QTest::newRow("quotes, no record") << "O'Brien's '' line" << 0.1 + 0.2 << 0 << 0;
    QTest::newRow("backslash and newline, one record") << "a\\b\nc" << -1e-300 << 1 << 0;
    QTest::newRow("placeholders, three records") << "%1 and %2, %3 %8 %10" << 1.7976931348623157e308 << 3 << 0;
    QTest::newRow("percent, 170 bytes") << "100% 50% %%1" << -33.8688 << 3 << 2;
    QTest::newRow("chinese") << QString::fromUtf8("测线一号 不极化电极") << 39.9042 << 1 << 0;
    QTest::newRow("statement text") << "x'); DROP TABLE Data_Project; --" << 0.0 << 1 << 0;
}

// Text written by an insert (db_new) and by an update (commit); a station with every column type.
void TestDore::roundTrip()
{
    QFETCH(QString, text);
    QFETCH(double, latitude);
    QFETCH(int, records);
    QFETCH(int, trailing);
    const Curve curve = makeCurve(records);
    const int samples = records % 2 ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    const QString p = path("roundtrip");
    {
        auto db = openProject(p);
        QVERIFY(db);
        Data_Project fresh(db.get());
        fresh.setProjectName(text);
        fresh.db_new();
        DORE_Collection<Data_Line> lines(db.get());
        Data_Line *line = lines.appendNew().object;
        line->setNote(text);
        Data_Station *s = line->REF_Data_Station()->appendNew().object;
        s->setGPS_Latitude(latitude);
        s->setStationNum(0.1f);
        s->setSampleNumbers(samples);
        s->setData_ImpedanceEx(CurveBlob::encode(curve) + QByteArray(trailing, '\x7f'));
        s->setData_ImpedanceMP(CurveBlob::encode(curve));
        QVERIFY(fresh.ID() == 1 && line->commit() && s->commit());
    }
    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawValue(*db, "SELECT ProjectName FROM Data_Project").toString(), text);
    QCOMPARE(rawValue(*db, "SELECT Note FROM Data_Line").toString(), text);
    QCOMPARE(rawValue(*db, "SELECT typeof(GPS_Latitude) || length(Data_ImpedanceEx) FROM Data_Station").toString(),
             QString("real%1").arg(56 * records + trailing));
    DORE_Collection<Data_Line> lines(db.get());
    QCOMPARE(lines.at(0).object->Note(), text);
    const Data_Station *s = lines.at(0).object->REF_Data_Station()->at(0).object;
    QVERIFY(s && s->GPS_Latitude() == latitude && s->StationNum() == 0.1f && s->SampleNumbers() == samples);
    const StationCurves stored = s->storedCurves();
    QVERIFY(CurveBlob::encode(stored.exHy) == CurveBlob::encode(curve)
            && CurveBlob::encode(stored.multiPolarity) == CurveBlob::encode(curve));
    QVERIFY(stored.ex2Hy.isEmpty() && stored.eyHx.isEmpty());
}

// Only an attached object changed after loading is dirty, the key excepted; a clean commit writes nothing.
void TestDore::dirtyTrackingAndAppendNew()
{
    auto db = openProject(path("append"));
    QVERIFY(db);
    Data_Project loose(db.get());
    loose.setNote("not attached");
    DORE_Collection<Data_Project> projects(db.get());
    Data_Project *project = projects.appendNew().object;
    project->setID(project->ID());
    QVERIFY(!loose.isDirty() && !project->isDirty());
    QVERIFY(rawExec(*db, "UPDATE Data_Project SET Note = 'outside'") && project->commit());
    QCOMPARE(rawValue(*db, "SELECT Note FROM Data_Project").toString(), QString("outside"));
    project->setNote("mine");
    QVERIFY(project->isDirty() && project->commit() && !project->isDirty());
    QCOMPARE(rawValue(*db, "SELECT Note FROM Data_Project").toString(), QString("mine"));
    QVERIFY(!DORE_Collection<Data_Project>(db.get()).at(0).object->isDirty());
    DORE_Collection<Data_Line> *lines = project->REF_Data_Line();
    QVariantList keys;
    for (int i = 0; i < 3; ++i) {
        const CollectionCursor<Data_Line> c = lines->appendNew();
        QVERIFY(c.position == i && lines->count() == i + 1 && lines->currentPosition() == i);
        QCOMPARE(c.object->Data_ProjectID(), project->ID());
        keys << c.object->ID();
    }
    QCOMPARE(rawValues(*db, "SELECT ID FROM Data_Line ORDER BY ID"), keys);
    QCOMPARE(rawValues(*db, "SELECT DISTINCT Data_ProjectID FROM Data_Line"), QVariantList{project->ID()});
    QCOMPARE(lines->at(3).position, -1);
    DORE_Collection<Data_Line> all(db.get());
    all.loadTable("LineName = 99", QString());
    QCOMPARE(all.count(), 0);
    const CollectionCursor<Data_Line> added = all.appendNew();  // drops the filter first
    QVERIFY(all.filter().isEmpty() && added.position == 3 && all.count() == 4);
}

void TestDore::pagingFilterAndOrder_data()
{
    QTest::addColumn<int>("pageSize");  // 0: no paging
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QStringList>("notes");  // empty: invalid position
    QTest::newRow("page boundaries") << 3 << "" << "" << QList<int>{0, 2, 3, 5, 6, 7, -1, 1}
                                     << QStringList{"r0", "r2", "r3", "r5", "r6", "", "", "r1"};
    QTest::newRow("ordered across pages") << 3 << "" << "LineName DESC" << QList<int>{0, 2, 3, 6, 1}
                                          << QStringList{"r6", "r4", "r3", "r0", "r5"};
    QTest::newRow("filtered and ordered") << 0 << "LineName >= 4" << "Note DESC" << QList<int>{0, 2, 3}
                                          << QStringList{"r6", "r4", ""};
    QTest::newRow("filter matching nothing") << 0 << "LineName > 99" << "" << QList<int>{0} << QStringList{""};
}

// Seven lines named 0..6 with notes r0..r6.
void TestDore::pagingFilterAndOrder()
{
    QFETCH(int, pageSize);
    QFETCH(QString, filter);
    QFETCH(QString, order);
    QFETCH(QList<int>, positions);
    QFETCH(QStringList, notes);
    auto db = openProject(path("paging"));
    QVERIFY(db);
    DORE_Collection<Data_Line> lines(db.get());
    db->transaction();
    for (int i = 0; i < 7; ++i) {
        lines.appendNew().object->setLineName(i);
        lines.at(i).object->setNote(QStringLiteral("r%1").arg(i));
        lines.at(i).object->commit();
    }
    QVERIFY(db->commit());
    lines.setPaging(pageSize > 0, pageSize);
    lines.loadTable(filter, order);
    const QString where = filter.isEmpty() ? "" : " WHERE " + filter;
    QCOMPARE(lines.count(), rawValue(*db, "SELECT count(*) FROM Data_Line" + where).toInt());
    for (int i = 0; i < positions.size(); ++i) {
        const CollectionCursor<Data_Line> c = lines.at(positions.at(i));
        QCOMPARE(c.object ? c.object->Note() : QString(), notes.at(i));
        QCOMPARE(c.position, notes.at(i).isEmpty() ? -1 : positions.at(i));
    }
}

// A commit before the on-use column was loaded leaves the stored value alone.
void TestDore::onUseColumnLoadsOnDemand()
{
    auto db = openProject(path("onuse"));
    QVERIFY(db);
    db->RegisterObject(&Test_Parent::staticMetaObject);
    QVERIFY(rawExec(*db, "INSERT INTO Test_Parent (Name, Extra) VALUES ('p', 'stored extra')"));
    DORE_Collection<Test_Parent> parents(db.get());
    Test_Parent *p = parents.at(0).object;
    QVERIFY(p && p->Name() == "p" && p->Extra().isEmpty());
    p->setName("q");
    QVERIFY(p->commit());
    QCOMPARE(rawValue(*db, "SELECT Extra FROM Test_Parent").toString(), QString("stored extra"));
    p->update();
    QVERIFY(p->isOnUseLoaded() && p->Extra() == "stored extra");
    p->setExtra("new extra");
    QVERIFY(p->commit());
    QCOMPARE(rawValues(*db, "SELECT Name || Extra FROM Test_Parent"), QVariantList{"qnew extra"});
}

// Each failure writes nothing, logs its prefix and leaves the object dirty or the collection empty.
void TestDore::failuresAreLogged()
{
    auto db = openProject(path("failed"));
    QVERIFY(db);
    Test_Parent loose(db.get());
    expectLog("DORE_BaseObject::getSQl_Insert GetObject_Column");
    loose.db_new();
    QCOMPARE(loose.ID(), 0);

    // Registration runs in one transaction: a clashing index leaves no table behind.
    QVERIFY(rawExec(*db, "CREATE TABLE Other (x INTEGER)")
            && rawExec(*db, "CREATE INDEX IDX_Test_Parent_ID_ ON Other (x)"));
    expectLog("LibDORE::RegisterObject CREATE INDEX IDX_Test_Parent_ID_");
    db->RegisterObject(&Test_Parent::staticMetaObject);
    QCOMPARE(rawValue(*db, "SELECT count(*) FROM sqlite_master WHERE name = 'Test_Parent'").toInt(), 0);
    QVERIFY(rawExec(*db, "DROP TABLE Other"));
    db->RegisterObject(&Test_Parent::staticMetaObject);

    DORE_Collection<Test_Parent> parents(db.get());
    Test_Parent *p = parents.appendNew().object;
    QVERIFY(rawExec(*db, "DROP TABLE Test_Parent"));
    expectLog("DORE_BaseObject::db_new INSERT INTO Test_Parent");
    Test_Parent(db.get()).db_new();
    p->setName("lost");
    expectLog("DORE_BaseObject::commit UPDATE Test_Parent");
    QVERIFY(!p->commit() && p->isDirty());
    expectLog("loadTable SELECT COUNT(*) AS TOTALROWS FROM Test_Parent");
    DORE_Collection<Test_Parent> gone(db.get());
    QVERIFY(gone.count() == 0 && gone.at(0).position == -1);
    QVERIFY(rawExec(*db, "CREATE TABLE Test_Parent (ID INTEGER PRIMARY KEY, Name TEXT)")
            && rawExec(*db, "INSERT INTO Test_Parent (Name) VALUES ('r')"));
    expectLog("DORE_BaseObject::update SELECT Extra FROM Test_Parent");
    p->update();
    QVERIFY(!p->isOnUseLoaded());
    parents.setOrder("NoSuchColumn");
    expectLog("DORE_Collection Query : SELECT");
    parents.reload();
    QCOMPARE(parents.at(0).position, -1);  // the count alone never hands out a missing row
    expectLog("LibDORE::commit");
    QVERIFY(!db->commit());  // no transaction open
}

void TestDore::failedOpen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("keptPercent");  // of a truncated project
    QTest::newRow("text file") << "text" << 0;
    QTest::newRow("missing folder") << "missing" << 0;
    QTest::newRow("truncated to the header") << "truncated" << 0;
    QTest::newRow("truncated to a half") << "truncated" << 50;
    QTest::newRow("all but the last page") << "truncated" << 90;
}

// Open fails with its log line and leaves no connection: once the path holds a real project, it opens.
void TestDore::failedOpen()
{
    QFETCH(QString, kind);
    QFETCH(int, keptPercent);
    const QString p = kind == "missing" ? m_dir.filePath("no such folder/project.HMT") : path(kind);
    auto first = kind == "truncated" ? openProject(p) : nullptr;
    for (int i = 0; kind == "truncated" && i < 20; ++i)
        QVERIFY(rawExec(*first, "INSERT INTO Data_Station (Data_ImpedanceEx) VALUES (zeroblob(2240))"));
    if (kind == "truncated") {
        first.reset();
        QFile file(p);
        const qint64 kept = keptPercent ? file.size() * keptPercent / 100 / 4096 * 4096 : 100;
        QVERIFY(file.size() > 4 * 4096 && file.resize(kept));
    }
    QFile text(p);
    QVERIFY(kind != "text" || (text.open(QIODevice::WriteOnly) && text.write(QByteArray(8000, 'x')) == 8000));
    text.close();
    {
        LibDORE db;
        expectLog("LibDORE::open " + p);
        QVERIFY(!db.open(p));
        QVERIFY(db.lastError().isValid() && !db.database().isValid());
    }
    QVERIFY(!QSqlDatabase::contains(p));
    QVERIFY(kind == "missing" ? QDir().mkpath(QFileInfo(p).path()) : QFile::remove(p));
    QVERIFY(openProject(p));
}

void TestDore::notAProjectIsTold_data()
{
    QTest::addColumn<QString>("setup");   // SQL run on a fresh SQLite file
    QTest::addColumn<QString>("lacking"); // named in the problem; empty: a project
    QTest::newRow("empty file") << "" << "the table Data_Project, the table Data_Line";
    QTest::newRow("another program's database") << "CREATE TABLE moz_places (id INTEGER, url TEXT)"
                                                << "the table Data_Station";
    QTest::newRow("key column renamed") << "PROJECT;ALTER TABLE Data_Line RENAME COLUMN ID TO LineKey"
                                        << "the key column ID of the table Data_Line";
    QTest::newRow("one table dropped") << "PROJECT;DROP TABLE Data_ProcessData" << "the table Data_ProcessData";
    QTest::newRow("a project") << "PROJECT" << "";
}

// The test reads only: the file is byte for byte what it was.
void TestDore::notAProjectIsTold()
{
    QFETCH(QString, setup);
    QFETCH(QString, lacking);
    const QString p = path("candidate");
    {
        QFile file(p);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    {
        auto db = std::make_unique<LibDORE>();
        QVERIFY(db->open(p));
        for (const QString &statement : setup.split(';', Qt::SkipEmptyParts))
            QVERIFY(statement == "PROJECT" ? (registerProjectSchema(*db), true) : rawExec(*db, statement));
    }
    QFile file(p);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    LibDORE db;
    QVERIFY(db.open(p));
    const QString problem = projectFileProblem(db);
    QVERIFY2(lacking.isEmpty() ? problem.isEmpty() : problem.contains("is not a project file") && problem.contains(lacking),
             qPrintable(problem));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == before);
}

// A new project file holds the five tables and one named project row; an existing file is left alone.
void TestDore::newProjectFile()
{
    const QString p = path("new");
    QString problem;
    QVERIFY2(createProjectFile(p, "north ridge", problem), qPrintable(problem));
    {
        LibDORE db;
        QVERIFY(db.open(p));
        QCOMPARE(projectFileProblem(db), QString());
        QCOMPARE(rawValues(db, "SELECT ProjectName FROM Data_Project"), QVariantList{"north ridge"});
    }
    QVERIFY(!createProjectFile(p, "again", problem) && problem.contains("exists already"));
    QVERIFY(!createProjectFile(m_dir.filePath("missing folder/p.HMT"), "lost", problem));
    QVERIFY(!QFileInfo::exists(m_dir.filePath("missing folder/p.HMT")));
}

// In a read-only folder the child's commit fails with its log line, and the file keeps its note.
void TestDore::readOnlyFileKeepsItsState()
{
    const QString p = path("readonly");
    {
        auto db = openProject(p);
        QVERIFY(db);
        DORE_Collection<Data_Project> projects(db.get());
        projects.appendNew().object->setNote("original");
        QVERIFY(projects.at(0).object->commit());
    }
    const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions dirMode = QFile::permissions(m_dir.path());
    QVERIFY(QFile::setPermissions(p, readOnly));
    QVERIFY(QFile::setPermissions(m_dir.path(), readOnly | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther));
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--commit-readonly", p});
    const bool finished = child.waitForFinished(20000);
    QFile::setPermissions(m_dir.path(), dirMode);
    QFile::setPermissions(p, readOnly | QFile::WriteOwner);
    QVERIFY(finished);
    const QString out = QString::fromUtf8(child.readAllStandardOutput());
    const QString err = QString::fromUtf8(child.readAllStandardError());
    if (out.contains("no-drop"))
        QSKIP("running as root without the right to drop privileges");
    QVERIFY2(child.exitCode() == 0 && out.contains("commit=0 dirty=1"), qPrintable(out + err));
    QVERIFY2(QRegularExpression("(^|\n)DORE_BaseObject::commit ").match(err).hasMatch(), qPrintable(err));
    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawValue(*db, "SELECT Note FROM Data_Project").toString(), QString("original"));
}

// The child reports each commit of a project row and a line row written in one transaction; killed after
// 40, the file is whole and holds the last reported commit (or one more that landed before the kill).
void TestDore::interruptedWriteKeepsLastCommit()
{
    const QString p = path("interrupted");
    {
        auto db = openProject(p);
        QVERIFY(db);
        DORE_Collection<Data_Project> projects(db.get());
        projects.appendNew().object->REF_Data_Line()->appendNew();
    }
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--write-loop", p});
    QVERIFY(child.waitForStarted());
    int reported = 0;
    for (QDeadlineTimer deadline(20000); reported < 40 && !deadline.hasExpired();) {
        child.waitForReadyRead(500);
        while (child.canReadLine())
            reported = child.readLine().trimmed().toInt();
    }
    child.kill();
    QVERIFY(child.waitForFinished(10000));
    QVERIFY2(reported >= 40 && child.exitStatus() == QProcess::CrashExit, child.readAllStandardError().constData());
    for (const QByteArray &line : child.readAllStandardOutput().split('\n'))
        reported = line.trimmed().isEmpty() ? reported : line.trimmed().toInt();
    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawValue(*db, "PRAGMA integrity_check").toString(), QString("ok"));
    const int lineName = rawValue(*db, "SELECT LineName FROM Data_Line").toInt();
    QCOMPARE(rawValue(*db, "SELECT LinesNumbers FROM Data_Project").toInt(), lineName);
    QVERIFY(rawValue(*db, "SELECT Note FROM Data_Line").toString().endsWith(QString(" %1").arg(lineName)));
    QVERIFY2(lineName == reported || lineName == reported + 1, qPrintable(QString::number(reported)));
}

namespace {

// "--write-loop" commits numbered rows until killed; "--commit-readonly" (as nobody when root) changes a note.
int runChild(const QString &mode, const QString &path)
{
    QTextStream out(stdout);
    if (mode == "--commit-readonly" && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
        out << "no-drop" << Qt::endl;
        return 0;
    }
    auto db = openProject(path);
    if (!db)
        return 2;
    DORE_Collection<Data_Project> projects(db.get());
    Data_Project *project = projects.at(0).object;
    Data_Line *line = project ? project->REF_Data_Line()->at(0).object : nullptr;
    if (mode == "--commit-readonly" && project) {
        project->setNote("changed");
        const bool ok = project->commit();
        out << "commit=" << int(ok) << " dirty=" << int(project->isDirty()) << Qt::endl;
        return 0;
    }
    for (int i = 1; mode == "--write-loop" && line; ++i) {
        db->transaction();
        project->setLinesNumbers(i);
        line->setLineName(i);
        line->setNote(QString(4000, 'x') + QStringLiteral(" %1").arg(i));
        if (!project->commit() || !line->commit() || !db->commit())
            return 4;
        out << i << Qt::endl;
    }
    return 3;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]).startsWith("--"))
        return runChild(argv[1], QString::fromLocal8Bit(argv[2]));
    TestDore test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Dore.moc"
