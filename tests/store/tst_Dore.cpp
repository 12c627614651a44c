#include "tst_Dore.h"

#include "CurveBlob.h"
#include "Data_Line.h"
#include "Data_ProcessData.h"
#include "Data_Project.h"
#include "Data_SampleData.h"
#include "Data_Station.h"
#include "LogCapture.h"
#include "ProjectSchema.h"
#include "StoreFixture.h"
#include "TestEntities.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QtTest>
#include <cmath>
#include <cstring>
#include <limits>
#include <unistd.h>

using Curve = QVector<OneFreqImpedance>;

namespace {

// A curve whose every field differs from record to record and from field to field.
Curve makeCurve(int records)
{
    Curve curve;
    for (int i = 0; i < records; ++i)
        curve << OneFreqImpedance{0.1 * i, std::pow(10.0, i - 1), 0.9 - 0.01 * i, 100.0 + i / 3.0,
                                  45.0 - i, 80.0 + i, 1000.0 * (i + 1)};
    return curve;
}

bool sameRecords(const Curve &a, const Curve &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(OneFreqImpedance)) != 0)
            return false;
    return true;
}

void registerTestClasses(LibDORE &db)
{
    db.RegisterObject(&Test_Parent::staticMetaObject);
    db.RegisterObject(&Test_Child::staticMetaObject);
}

// Seven Test_Parent rows named r0..r6 with Count 0..6.
void addSevenParents(LibDORE &db)
{
    DORE_Collection<Test_Parent> parents(&db);
    db.transaction();
    for (int i = 0; i < 7; ++i) {
        Test_Parent *p = parents.appendNew().object;
        p->setName(QStringLiteral("r%1").arg(i));
        p->setCount(i);
        p->commit();
    }
    db.commit();
}

} // namespace

void TestDore::init()
{
    QVERIFY(m_dir.isValid());
}

QString TestDore::path(const QString &name)
{
    return m_dir.filePath(QStringLiteral("%1-%2.HMT").arg(++m_serial).arg(name));
}

// ---- schema ----

void TestDore::freshSchemaColumns_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("project") << "Data_Project"
        << QStringList{"ID INTEGER", "ProjectId TEXT", "ProjectName TEXT", "ProjectAddress TEXT",
                       "ProjectDate INTEGER", "OperatorName TEXT", "GMTOffset INTEGER",
                       "LinesNumbers INTEGER", "Note TEXT"};
    QTest::newRow("line") << "Data_Line"
        << QStringList{"ID INTEGER", "LineName INTEGER", "Use INTEGER", "Note TEXT",
                       "Data_ProjectID INTEGER"};
    QTest::newRow("station") << "Data_Station"
        << QStringList{"ID INTEGER", "StationNum REAL", "Use INTEGER", "GPS_Latitude REAL",
                       "GPS_Longtitude REAL", "GPS_Elevation REAL", "SampleNumbers INTEGER",
                       "HasResult INTEGER", "Data_ImpedanceEx BLOB", "Data_ImpedanceEy BLOB",
                       "Data_ImpedanceEx2 BLOB", "Data_ImpedanceMP BLOB", "HasTensor INTEGER",
                       "XPoleDistance REAL", "YPoleDistance REAL", "HMT INTEGER", "MMT INTEGER",
                       "LMT INTEGER", "Data_LineID INTEGER"};
    QTest::newRow("recording") << "Data_SampleData"
        << QStringList{"ID INTEGER", "SampleDataNum INTEGER", "SampleRate INTEGER", "Use INTEGER",
                       "Data_StationID INTEGER"};
    QTest::newRow("result") << "Data_ProcessData"
        << QStringList{"ID INTEGER", "SampleFrequency REAL", "SampleChannel INTEGER",
                       "Data_Impedance BLOB", "Data_Velocity BLOB", "Data_SampleDataID INTEGER"};
}

void TestDore::freshSchemaColumns()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    auto db = openProject(path("fresh"));
    QVERIFY(db);
    QCOMPARE(rawColumns(*db, table), columns);
}

void TestDore::freshSchemaHasFiveTablesAndTheirIndexes()
{
    auto db = openProject(path("fresh"));
    QVERIFY(db);
    const QVariantList tables = rawValues(*db, "SELECT name FROM sqlite_master WHERE type = 'table'"
                                               " AND name NOT LIKE 'sqlite_%' ORDER BY name");
    QCOMPARE(tables, (QVariantList{"Data_Line", "Data_ProcessData", "Data_Project",
                                   "Data_SampleData", "Data_Station"}));
    const QVariantList indexes = rawValues(*db, "SELECT name FROM sqlite_master WHERE type = "
                                                "'index' ORDER BY name");
    QCOMPARE(indexes, (QVariantList{"IDX_Data_Line_Data_ProjectID_", "IDX_Data_Line_ID_",
                                    "IDX_Data_ProcessData_Data_SampleDataID_",
                                    "IDX_Data_ProcessData_ID_", "IDX_Data_Project_ID_",
                                    "IDX_Data_SampleData_Data_StationID_", "IDX_Data_SampleData_ID_",
                                    "IDX_Data_Station_Data_LineID_", "IDX_Data_Station_ID_"}));
}

void TestDore::lineTableStatementsAsWritten()
{
    auto db = openProject(path("fresh"));
    QVERIFY(db);
    const QString sql = "SELECT sql FROM sqlite_master WHERE name = '%1'";
    QCOMPARE(rawValue(*db, sql.arg("Data_Line")).toString(),
             QString("CREATE TABLE Data_Line (ID INTEGER NOT NULL PRIMARY KEY AUTOINCREMENT , "
                     "LineName INTEGER , Use INTEGER , Note TEXT , Data_ProjectID INTEGER )"));
    QCOMPARE(rawValue(*db, sql.arg("IDX_Data_Line_ID_")).toString(),
             QString("CREATE INDEX IDX_Data_Line_ID_ ON Data_Line ( ID )"));
    QCOMPARE(rawValue(*db, sql.arg("IDX_Data_Line_Data_ProjectID_")).toString(),
             QString("CREATE INDEX IDX_Data_Line_Data_ProjectID_ ON Data_Line ( Data_ProjectID )"));
}

void TestDore::registeringTwiceChangesNothing()
{
    auto db = openProject(path("twice"));
    QVERIFY(db);
    DORE_Collection<Data_Line> lines(db.get());
    lines.appendNew().object->setNote("kept");
    lines.at(0).object->commit();
    const QString schema = "SELECT type || name || sql FROM sqlite_master ORDER BY name";
    const QVariantList before = rawValues(*db, schema);
    LogCapture log;
    registerProjectSchema(*db);
    QVERIFY2(log.lines().isEmpty(), qPrintable(log.lines().join('\n')));
    QCOMPARE(rawValues(*db, schema), before);
    QCOMPARE(rawValues(*db, "SELECT Note FROM Data_Line"), QVariantList{"kept"});
}

void TestDore::olderFileGainsMissingColumnsAndKeepsRows()
{
    const QString p = path("older");
    {
        LibDORE old;
        QVERIFY(old.open(p));
        QVERIFY(rawExec(old, "CREATE TABLE Data_Station (ID INTEGER NOT NULL PRIMARY KEY "
                             "AUTOINCREMENT , StationNum REAL , Use TEXT , GPS_Latitude REAL , "
                             "Data_LineID INTEGER , Obsolete TEXT )"));
        QVERIFY(rawExec(old, "INSERT INTO Data_Station (StationNum, Use, GPS_Latitude, Data_LineID,"
                             " Obsolete) VALUES (5.5, '1', 30.25, 7, 'a'), (6, '0', 31.5, 7, 'b')"));
    }
    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawColumns(*db, "Data_Station"),
             (QStringList{"ID INTEGER", "StationNum REAL", "Use TEXT", "GPS_Latitude REAL",
                          "Data_LineID INTEGER", "Obsolete TEXT", "GPS_Longtitude REAL",
                          "GPS_Elevation REAL", "SampleNumbers INTEGER", "HasResult INTEGER",
                          "Data_ImpedanceEx BLOB", "Data_ImpedanceEy BLOB", "Data_ImpedanceEx2 BLOB",
                          "Data_ImpedanceMP BLOB", "HasTensor INTEGER", "XPoleDistance REAL",
                          "YPoleDistance REAL", "HMT INTEGER", "MMT INTEGER", "LMT INTEGER"}));
    QCOMPARE(rawValues(*db, "SELECT Obsolete FROM Data_Station ORDER BY ID"),
             (QVariantList{"a", "b"}));
    DORE_Collection<Data_Station> stations(db.get(), "Data_LineID", "7");
    QCOMPARE(stations.count(), 2);
    const Data_Station *first = stations.at(0).object;
    QVERIFY(first);
    QCOMPARE(first->StationNum(), 5.5f);
    QCOMPARE(first->Use(), 1);
    QCOMPARE(first->GPS_Latitude(), 30.25);
    QCOMPARE(first->XPoleDistance(), 0.0);  // added columns hold NULL in old rows
    QCOMPARE(first->HMT(), 0);
    QVERIFY(first->Data_ImpedanceEx().isEmpty());
}

// ---- statement texts ----

void TestDore::statementTextsOfOrdinaryValues()
{
    auto db = openProject(path("statements"));
    QVERIFY(db);
    Data_Line line(db.get());
    line.setLineName(3);
    line.setUse(1);
    line.setNote("north");
    line.setData_ProjectID(7);
    QCOMPARE(line.getSQl_Insert(),
             QString("INSERT INTO Data_Line ( LineName, Use, Note, Data_ProjectID ) VALUES "
                     "( 3, 1, 'north', 7 )"));
    line.setID(12);
    QCOMPARE(line.getSQL_Commit(),
             QString("UPDATE Data_Line SET LineName = 3, Use = 1, Note = 'north', "
                     "Data_ProjectID = 7 WHERE ID = 12 "));
}

void TestDore::blobLiterals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("literal");
    QTest::newRow("00 ff") << QByteArray("\x00\xff", 2) << "x'00ff'";
    QTest::newRow("empty") << QByteArray() << "x''";
    QTest::newRow("three bytes") << QByteArray("\x01\xab\x10", 3) << "x'01ab10'";
}

void TestDore::blobLiterals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, literal);
    auto db = openProject(path("blob"));
    QVERIFY(db);
    Data_ProcessData result(db.get());
    result.setSampleFrequency(24000);
    result.setSampleChannel(1);
    result.setData_Impedance(bytes);
    QCOMPARE(result.getSQl_Insert(),
             QString("INSERT INTO Data_ProcessData ( SampleFrequency, SampleChannel, Data_Impedance,"
                     " Data_Velocity, Data_SampleDataID ) VALUES ( 24000, 1, %1, x'', -1 )")
                 .arg(literal));
    result.db_new();
    QCOMPARE(rawValue(*db, QString("SELECT Data_Impedance FROM Data_ProcessData WHERE ID = %1")
                               .arg(result.ID()))
                 .toByteArray(),
             bytes);
}

// ---- round trips through a file reopened by a second LibDORE ----

void TestDore::textRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << "north";
    QTest::newRow("quote") << "O'Brien's line";
    QTest::newRow("only quotes") << "''";
    QTest::newRow("placeholders") << "%1 and %2";
    QTest::newRow("later placeholders") << "%3 %8 %10";
    QTest::newRow("percent") << "100% 50%";
    QTest::newRow("doubled percent") << "%%1";
    QTest::newRow("chinese") << QString::fromUtf8("测线一号 不极化电极");
    QTest::newRow("statement text") << "x'); DROP TABLE Data_Project; --";
    QTest::newRow("backslash and newline") << "a\\b\nc";
}

void TestDore::textRoundTrip()
{
    QFETCH(QString, text);
    const QString p = path("text");
    int inserted = 0, updated = 0;
    {
        auto db = openProject(p);
        QVERIFY(db);
        Data_Project fresh(db.get());
        fresh.setProjectName(text);
        fresh.setNote(text);
        fresh.db_new();
        inserted = fresh.ID();
        DORE_Collection<Data_Project> projects(db.get());
        Data_Project *row = projects.appendNew().object;
        row->setOperatorName(text);
        row->setProjectAddress(text + "!");
        QVERIFY(row->commit());
        updated = row->ID();
    }
    QVERIFY(inserted > 0 && updated > inserted);
    auto db = openProject(p);
    QVERIFY(db);
    const QString sql = "SELECT %1 FROM Data_Project WHERE ID = %2";
    QCOMPARE(rawValue(*db, sql.arg("ProjectName").arg(inserted)).toString(), text);
    QCOMPARE(rawValue(*db, sql.arg("Note").arg(inserted)).toString(), text);
    QCOMPARE(rawValue(*db, sql.arg("OperatorName").arg(updated)).toString(), text);
    QCOMPARE(rawValue(*db, sql.arg("ProjectAddress").arg(updated)).toString(), text + "!");
    DORE_Collection<Data_Project> projects(db.get());
    QCOMPARE(projects.count(), 2);
    QCOMPARE(projects.at(1).object->OperatorName(), text);
}

void TestDore::numberRoundTrip_data()
{
    QTest::addColumn<double>("latitude");
    QTest::addColumn<double>("longitude");
    QTest::addColumn<double>("elevation");
    QTest::addColumn<float>("stationNum");
    QTest::addColumn<int>("samples");
    QTest::newRow("ordinary") << 39.9042 << 116.4074 << 43.5 << 12.5f << 3;
    QTest::newRow("full precision") << 0.1 + 0.2 << -1e-300 << 1.7976931348623157e308 << 0.1f
                                    << std::numeric_limits<int>::max();
    QTest::newRow("negative") << -33.8688 << -151.2093 << -412.25 << -3.25f
                              << std::numeric_limits<int>::min();
}

void TestDore::numberRoundTrip()
{
    QFETCH(double, latitude);
    QFETCH(double, longitude);
    QFETCH(double, elevation);
    QFETCH(float, stationNum);
    QFETCH(int, samples);
    const QString p = path("numbers");
    {
        auto db = openProject(p);
        QVERIFY(db);
        DORE_Collection<Data_Station> stations(db.get());
        Data_Station *s = stations.appendNew().object;
        s->setGPS_Latitude(latitude);
        s->setGPS_Longtitude(longitude);
        s->setGPS_Elevation(elevation);
        s->setStationNum(stationNum);
        s->setSampleNumbers(samples);
        QVERIFY(s->commit());
    }
    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawValue(*db, "SELECT typeof(GPS_Latitude) FROM Data_Station").toString(),
             QString("real"));
    DORE_Collection<Data_Station> stations(db.get());
    const Data_Station *s = stations.at(0).object;
    QVERIFY(s);
    QCOMPARE(s->GPS_Latitude(), latitude);
    QCOMPARE(s->GPS_Longtitude(), longitude);
    QCOMPARE(s->GPS_Elevation(), elevation);
    QCOMPARE(s->StationNum(), stationNum);
    QCOMPARE(s->SampleNumbers(), samples);
}

void TestDore::curveRoundTrip_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("trailingBytes");
    QTest::newRow("empty") << 0 << 0;
    QTest::newRow("one record") << 1 << 0;
    QTest::newRow("three records") << 3 << 0;
    QTest::newRow("170 bytes") << 3 << 2;
}

void TestDore::curveRoundTrip()
{
    QFETCH(int, records);
    QFETCH(int, trailingBytes);
    const Curve curve = makeCurve(records);
    const QString p = path("curve");
    {
        auto db = openProject(p);
        QVERIFY(db);
        DORE_Collection<Data_Station> stations(db.get());
        Data_Station *s = stations.appendNew().object;
        s->setData_ImpedanceEx(CurveBlob::encode(curve) + QByteArray(trailingBytes, '\x7f'));
        s->setData_ImpedanceMP(CurveBlob::encode(curve));
        QVERIFY(s->commit());
    }
    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawValue(*db, "SELECT length(Data_ImpedanceEx) FROM Data_Station").toInt(),
             56 * records + trailingBytes);
    DORE_Collection<Data_Station> stations(db.get());
    Curve exHy{OneFreqImpedance{}}, ex2Hy{OneFreqImpedance{}}, eyHx{OneFreqImpedance{}}, mp;
    stations.at(0).object->decodeCurves(exHy, ex2Hy, eyHx);
    stations.at(0).object->decodeMultiPolarityCurve(mp);
    QVERIFY(sameRecords(exHy, curve));
    QVERIFY(sameRecords(mp, curve));
    QVERIFY(ex2Hy.isEmpty() && eyHx.isEmpty());  // decoding empties the target first
}

// ---- objects and collections ----

void TestDore::dirtyTracking()
{
    auto db = openProject(path("dirty"));
    QVERIFY(db);
    Data_Project loose(db.get());
    loose.setNote("not attached");
    QVERIFY(!loose.isDirty());

    DORE_Collection<Data_Project> projects(db.get());
    Data_Project *created = projects.appendNew().object;
    QVERIFY(!created->isDirty());
    created->setID(created->ID());
    QVERIFY(!created->isDirty());

    const QString note = QString("SELECT Note FROM Data_Project WHERE ID = %1").arg(created->ID());
    QVERIFY(rawExec(*db, "UPDATE Data_Project SET Note = 'outside'"));
    QVERIFY(created->commit());  // clean: nothing is written
    QCOMPARE(rawValue(*db, note).toString(), QString("outside"));

    created->setNote("mine");
    QVERIFY(created->isDirty());
    QVERIFY(created->commit());
    QVERIFY(!created->isDirty());
    QCOMPARE(rawValue(*db, note).toString(), QString("mine"));

    DORE_Collection<Data_Project> reloaded(db.get());
    QVERIFY(!reloaded.at(0).object->isDirty());
}

void TestDore::appendNewKeysCountsAndParentKey()
{
    auto db = openProject(path("append"));
    QVERIFY(db);
    DORE_Collection<Data_Project> projects(db.get());
    Data_Project *project = projects.appendNew().object;
    DORE_Collection<Data_Line> *lines = project->REF_Data_Line();
    QCOMPARE(lines->count(), 0);
    QVariantList keys;
    for (int i = 0; i < 3; ++i) {
        const CollectionCursor<Data_Line> c = lines->appendNew();
        QCOMPARE(c.position, i);
        QCOMPARE(lines->count(), i + 1);
        QCOMPARE(lines->currentPosition(), i);
        QCOMPARE(c.object->Data_ProjectID(), project->ID());
        keys << c.object->ID();
    }
    QCOMPARE(rawValues(*db, "SELECT ID FROM Data_Line ORDER BY ID"), keys);
    QCOMPARE(rawValues(*db, "SELECT DISTINCT Data_ProjectID FROM Data_Line"),
             QVariantList{project->ID()});
    QCOMPARE(lines->at(3).position, -1);

    DORE_Collection<Data_Line> all(db.get());
    all.loadTable("LineName = 99", QString());
    QCOMPARE(all.count(), 0);
    const CollectionCursor<Data_Line> added = all.appendNew();  // drops the filter first
    QVERIFY(all.filter().isEmpty());
    QCOMPARE(added.position, 3);
    QCOMPARE(all.count(), 4);
}

void TestDore::orderAndEmptyFilter()
{
    auto db = openProject(path("order"));
    QVERIFY(db);
    DORE_Collection<Data_Line> lines(db.get());
    DORE_Collection<Data_Station> *stations = lines.appendNew().object->REF_Data_Station();
    for (float number : {12.5f, 2.0f, 10.0f}) {
        Data_Station *s = stations->appendNew().object;
        s->setStationNum(number);
        s->commit();
    }
    stations->setOrder("StationNum");
    stations->reload();
    QList<float> order;
    for (int i = 0; i < stations->count(); ++i)
        order << stations->at(i).object->StationNum();
    QCOMPARE(order, (QList<float>{2.0f, 10.0f, 12.5f}));

    DORE_Collection<Data_Station> none(db.get(), "Data_LineID", "99999");
    QCOMPARE(none.count(), 0);
    QCOMPARE(none.at(0).position, -1);
    QVERIFY(!none.at(0).object);
}

void TestDore::paging_data()
{
    QTest::addColumn<int>("pageSize");
    QTest::addColumn<QString>("order");
    QTest::addColumn<QList<int>>("positions");
    QTest::addColumn<QStringList>("names");  // empty name: invalid position
    QTest::newRow("page boundaries") << 3 << QString() << QList<int>{0, 2, 3, 5, 6, 7, -1, 1}
                                     << QStringList{"r0", "r2", "r3", "r5", "r6", "", "", "r1"};
    QTest::newRow("one row per page") << 1 << QString() << QList<int>{6, 0, 3}
                                      << QStringList{"r6", "r0", "r3"};
    QTest::newRow("page as large as table") << 7 << QString() << QList<int>{6, 0, 7}
                                            << QStringList{"r6", "r0", ""};
    QTest::newRow("page larger than table") << 10 << QString() << QList<int>{6, 0}
                                            << QStringList{"r6", "r0"};
    QTest::newRow("ordered across pages") << 3 << QString("Count DESC") << QList<int>{0, 2, 3, 6, 1}
                                          << QStringList{"r6", "r4", "r3", "r0", "r5"};
}

void TestDore::paging()
{
    QFETCH(int, pageSize);
    QFETCH(QString, order);
    QFETCH(QList<int>, positions);
    QFETCH(QStringList, names);
    auto db = openProject(path("paging"));
    QVERIFY(db);
    registerTestClasses(*db);
    addSevenParents(*db);
    DORE_Collection<Test_Parent> parents(db.get());
    parents.setPaging(true, pageSize);
    parents.loadTable(QString(), order);
    QCOMPARE(parents.count(), 7);
    for (int i = 0; i < positions.size(); ++i) {
        const CollectionCursor<Test_Parent> c = parents.at(positions.at(i));
        const QString name = c.object ? c.object->Name() : QString();
        QCOMPARE(name, names.at(i));
        QCOMPARE(c.position, names.at(i).isEmpty() ? -1 : positions.at(i));
    }
}

void TestDore::onUseColumnsLoadOnDemand()
{
    auto db = openProject(path("onuse"));
    QVERIFY(db);
    registerTestClasses(*db);
    QVERIFY(rawExec(*db, "INSERT INTO Test_Parent (Name, Value, Count, Blob, Extra) VALUES "
                         "('p', 1.5, 2, x'01', 'stored extra')"));
    DORE_Collection<Test_Parent> parents(db.get());
    Test_Parent *p = parents.at(0).object;
    QVERIFY(p);
    QCOMPARE(p->Value(), 1.5);
    QVERIFY(p->Extra().isEmpty());
    QCOMPARE(p->getSQL_GetOnUse(), QString("SELECT Extra FROM Test_Parent WHERE ID = 1"));

    p->setName("q");
    QVERIFY(p->commit());  // the never loaded column is not overwritten
    QCOMPARE(rawValue(*db, "SELECT Extra FROM Test_Parent").toString(), QString("stored extra"));

    p->update();
    QVERIFY(p->isOnUseLoaded());
    QCOMPARE(p->Extra(), QString("stored extra"));
    p->setExtra("new extra");
    QVERIFY(p->commit());
    QCOMPARE(rawValue(*db, "SELECT Extra FROM Test_Parent").toString(), QString("new extra"));
    QCOMPARE(rawValue(*db, "SELECT Name FROM Test_Parent").toString(), QString("q"));
}

// ---- logged failures ----

void TestDore::unregisteredClassIsLogged()
{
    auto db = openProject(path("unregistered"));
    QVERIFY(db);
    Test_Parent loose(db.get());
    {
        LogCapture log;
        loose.db_new();
        QVERIFY(log.hasPrefix("DORE_BaseObject::getSQl_Insert GetObject_Column"));
    }
    QCOMPARE(loose.ID(), 0);
    const QStringList columns{"ID", "Name"}, none;
    loose.attach(&columns, &columns, &none);
    loose.setName("x");
    LogCapture log;
    QVERIFY(!loose.commit());
    QVERIFY(log.hasPrefix("DORE_BaseObject::getSQL_Commit GetObject_Column"));
    QVERIFY(loose.isDirty());
}

void TestDore::failedStatementsAreLogged()
{
    auto db = openProject(path("failed"));
    QVERIFY(db);
    registerTestClasses(*db);
    DORE_Collection<Test_Parent> parents(db.get());
    Test_Parent *p = parents.appendNew().object;
    QVERIFY(rawExec(*db, "DROP TABLE Test_Parent"));
    {
        LogCapture log;
        Test_Parent loose(db.get());
        loose.db_new();
        QVERIFY(log.hasPrefix("DORE_BaseObject::db_new INSERT INTO Test_Parent"));
        QCOMPARE(loose.ID(), 0);
    }
    {
        LogCapture log;
        p->setName("lost");
        QVERIFY(!p->commit());
        QVERIFY(log.hasPrefix("DORE_BaseObject::commit UPDATE Test_Parent"));
        QVERIFY(p->isDirty());
    }
    QVERIFY(rawExec(*db, "CREATE TABLE Test_Parent (ID INTEGER PRIMARY KEY, Name TEXT)"));
    LogCapture log;
    p->update();
    QVERIFY(log.hasPrefix("DORE_BaseObject::update SELECT Extra FROM Test_Parent"));
    QVERIFY(!p->isOnUseLoaded());
}

void TestDore::failedCreationRollsBack()
{
    auto db = openProject(path("creation"));
    QVERIFY(db);
    QVERIFY(rawExec(*db, "CREATE TABLE Other (x INTEGER)"));
    QVERIFY(rawExec(*db, "CREATE INDEX IDX_Test_Child_ID_ ON Other ( x )"));
    LogCapture log;
    db->RegisterObject(&Test_Child::staticMetaObject);
    QVERIFY(log.hasPrefix("LibDORE::RegisterObject CREATE INDEX IDX_Test_Child_ID_"));
    QCOMPARE(rawValue(*db, "SELECT count(*) FROM sqlite_master WHERE name = 'Test_Child'").toInt(),
             0);
}

void TestDore::failedLoadsLeaveEmptyCollections()
{
    auto db = openProject(path("loads"));
    QVERIFY(db);
    registerTestClasses(*db);
    addSevenParents(*db);
    {
        DORE_Collection<Test_Parent> parents(db.get());
        LogCapture log;
        parents.setOrder("NoSuchColumn");
        parents.reload();
        QVERIFY(log.hasPrefix("DORE_Collection Query : SELECT"));
        QCOMPARE(parents.at(0).position, -1);  // the count alone never hands out a missing row
    }
    QVERIFY(rawExec(*db, "DROP TABLE Test_Parent"));
    LogCapture log;
    DORE_Collection<Test_Parent> parents(db.get());
    QVERIFY(log.hasPrefix("loadTable SELECT COUNT(*) AS TOTALROWS FROM Test_Parent"));
    QCOMPARE(parents.count(), 0);
    QCOMPARE(parents.at(0).position, -1);
}

void TestDore::commitWithoutTransactionIsLogged()
{
    auto db = openProject(path("transaction"));
    QVERIFY(db);
    {
        LogCapture log;
        QVERIFY(!db->commit());
        QVERIFY(log.hasPrefix("LibDORE::commit"));
    }
    QVERIFY(db->transaction());
    QVERIFY(rawExec(*db, "INSERT INTO Data_Line (Note) VALUES ('in transaction')"));
    QVERIFY(db->commit());
    QCOMPARE(rawValue(*db, "SELECT count(*) FROM Data_Line").toInt(), 1);
}

// ---- damaged files ----

void TestDore::openFailures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("text file") << "text";
    QTest::newRow("directory") << "directory";
    QTest::newRow("missing folder") << "missing";
}

void TestDore::openFailures()
{
    QFETCH(QString, kind);
    QString p = path("bad");
    if (kind == "text") {
        QFile f(p);
        QVERIFY(f.open(QIODevice::WriteOnly));
        for (int i = 0; i < 200; ++i)
            f.write("Line 1, Station 10, not a database\n");
    } else if (kind == "directory") {
        QVERIFY(QDir().mkpath(p));
    } else {
        p = m_dir.filePath("no such folder/project.HMT");
    }
    {
        LibDORE db;
        LogCapture log;
        QVERIFY(!db.open(p));
        QVERIFY(log.hasPrefix("LibDORE::open " + p));
        QVERIFY(db.lastError().isValid());
        QVERIFY(!db.database().isValid());
    }
    QVERIFY(!QSqlDatabase::contains(p));
    // Once the path holds a real project, it opens: nothing of the failed attempt is left.
    if (kind == "text")
        QVERIFY(QFile::remove(p));
    else if (kind == "directory")
        QVERIFY(QDir(p).removeRecursively());
    else
        QVERIFY(QDir().mkpath(QFileInfo(p).path()));
    QVERIFY(openProject(p));
}

void TestDore::secondConnectionToSameFileRefused()
{
    const QString p = path("shared");
    auto first = openProject(p);
    QVERIFY(first);
    {
        LibDORE second;
        LogCapture log;
        QVERIFY(!second.open(p));
        QVERIFY(log.hasPrefix("LibDORE::open"));
    }
    QVERIFY(rawExec(*first, "INSERT INTO Data_Line (Note) VALUES ('still works')"));
}

void TestDore::truncatedFiles_data()
{
    QTest::addColumn<int>("keptPercent");
    QTest::newRow("header only") << 0;
    QTest::newRow("a half") << 50;
    QTest::newRow("all but the last page") << 90;
}

void TestDore::truncatedFiles()
{
    QFETCH(int, keptPercent);
    const QString p = path("truncated");
    {
        auto db = openProject(p);
        QVERIFY(db);
        DORE_Collection<Data_Station> stations(db.get());
        db->transaction();
        for (int i = 0; i < 20; ++i) {
            Data_Station *s = stations.appendNew().object;
            s->setData_ImpedanceEx(CurveBlob::encode(makeCurve(40)));
            s->commit();
        }
        QVERIFY(db->commit());
    }
    QFile file(p);
    const qint64 full = file.size();
    QVERIFY(full > 4 * 4096);
    QVERIFY(file.resize(keptPercent == 0 ? 100 : full * keptPercent / 100 / 4096 * 4096));
    // The schema check at open finds the damage, whatever part of the file survived.
    LibDORE db;
    LogCapture log;
    QVERIFY(!db.open(p));
    QVERIFY(log.hasPrefix("LibDORE::open " + p));
    QVERIFY(!QSqlDatabase::contains(p));
}

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
    // The folder must not take a journal either, or a write could still begin.
    QVERIFY(QFile::setPermissions(m_dir.path(), readOnly | QFile::ExeOwner | QFile::ExeGroup
                                                    | QFile::ExeOther));
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
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(out.contains("commit=0 dirty=1"), qPrintable(out + err));
    QVERIFY2(err.contains("\nDORE_BaseObject::commit ") || err.startsWith("DORE_BaseObject::commit "),
             qPrintable(err));
    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawValue(*db, "SELECT Note FROM Data_Project").toString(), QString("original"));
}

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
    QElapsedTimer timer;
    timer.start();
    while (reported < 40 && timer.elapsed() < 20000) {
        child.waitForReadyRead(500);
        while (child.canReadLine())
            reported = child.readLine().trimmed().toInt();
    }
    child.kill();
    QVERIFY(child.waitForFinished(10000));
    QVERIFY2(reported >= 40, qPrintable(QString::fromUtf8(child.readAllStandardError())));
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);
    for (const QByteArray &line : child.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty())
            reported = line.trimmed().toInt();

    auto db = openProject(p);
    QVERIFY(db);
    QCOMPARE(rawValue(*db, "PRAGMA integrity_check").toString(), QString("ok"));
    const int projectCount = rawValue(*db, "SELECT LinesNumbers FROM Data_Project").toInt();
    const int lineName = rawValue(*db, "SELECT LineName FROM Data_Line").toInt();
    const QString note = rawValue(*db, "SELECT Note FROM Data_Line").toString();
    QCOMPARE(lineName, projectCount);  // both rows were written in one transaction
    QVERIFY(note.endsWith(QString(" %1").arg(lineName)));
    // The last reported commit is there; at most one more had landed before the kill.
    QVERIFY2(lineName == reported || lineName == reported + 1,
             qPrintable(QString("stored %1, reported %2").arg(lineName).arg(reported)));
}

// ---- child processes ----

int runWriteLoop(const QString &path)
{
    auto db = openProject(path);
    if (!db)
        return 2;
    DORE_Collection<Data_Project> projects(db.get());
    Data_Project *project = projects.at(0).object;
    Data_Line *line = project ? project->REF_Data_Line()->at(0).object : nullptr;
    if (!line)
        return 3;
    QTextStream out(stdout);
    const QString padding(4000, QLatin1Char('x'));
    for (int i = 1;; ++i) {
        db->transaction();
        project->setLinesNumbers(i);
        line->setLineName(i);
        line->setNote(padding + QStringLiteral(" %1").arg(i));
        if (!project->commit() || !line->commit() || !db->commit())
            return 4;
        out << i << Qt::endl;
    }
}

int runReadOnlyCommit(const QString &path)
{
    QTextStream out(stdout);
    // Root writes to any file; the nobody account gives the test its read-only medium.
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
        out << "no-drop" << Qt::endl;
        return 0;
    }
    auto db = openProject(path);
    if (!db) {
        out << "open failed" << Qt::endl;
        return 2;
    }
    DORE_Collection<Data_Project> projects(db.get());
    Data_Project *project = projects.at(0).object;
    if (!project)
        return 3;
    project->setNote("changed");
    const bool ok = project->commit();
    out << "commit=" << int(ok) << " dirty=" << int(project->isDirty()) << Qt::endl;
    return 0;
}
