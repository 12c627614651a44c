#include "TestMerge.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

#include "CurveBlob.h"
#include "Data_ProcessData.h"
#include "Data_SampleData.h"
#include "ExchangeFixture.h"
#include "ProjectMerge.h"
#include "ScriptedOperatorDialogs.h"

namespace {

// A station with its three curves, one recording and two processed channels, all values told
// apart by the station number.
void addFullStation(TestProject &project, Data_Line *line, float number)
{
    Data_Station *station = project.addStation(line, number, flatCurve(5, number, 40));
    station->setData_ImpedanceEy(CurveBlob::encode(flatCurve(4, number + 1, 41)));
    station->setData_ImpedanceEx2(CurveBlob::encode(flatCurve(3, number + 2, 42)));
    station->setXPoleDistance(number / 10);
    station->setHasTensor(1);
    station->commit();
    Data_SampleData *sample = station->REF_Data_SampleData()->appendNew().object;
    sample->setSampleDataNum(int(number) + 7);
    sample->setSampleRate(24000);
    sample->setUse(1);
    sample->commit();
    for (int channel = 0; channel < 2; ++channel) {
        Data_ProcessData *result = sample->REF_Data_ProcessData()->appendNew().object;
        result->setSampleChannel(channel);
        result->setSampleFrequency(24000);
        result->setData_Impedance(CurveBlob::encode(flatCurve(6, number * 3 + channel, 30)));
        result->commit();
    }
}

QStringList rows(LibDORE &db, const QString &sql)
{
    QSqlQuery query(db.database());
    QStringList result;
    if (!query.exec(sql))
        return {QStringLiteral("<failed: %1>").arg(sql)};
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i) {
            const QVariant value = query.value(i);
            fields << (value.type() == QVariant::ByteArray
                           ? QString::fromLatin1(value.toByteArray().toHex())
                           : value.toString());
        }
        result << fields.join(QLatin1Char('|'));
    }
    return result;
}

// Every row of every table, keys included.
QStringList dump(LibDORE &db)
{
    QStringList all;
    for (const char *table :
         {"Data_Project", "Data_Line", "Data_Station", "Data_SampleData", "Data_ProcessData"})
        all << rows(db, QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table));
    return all;
}

// Station, recording and channel rows of a line without keys, in insertion order.
QStringList lineContent(LibDORE &db, int lineName)
{
    const QString stations = QStringLiteral(
        "SELECT s.StationNum, s.Use, s.HasTensor, s.XPoleDistance, s.Data_ImpedanceEx, "
        "s.Data_ImpedanceEy, s.Data_ImpedanceEx2, d.SampleDataNum, d.SampleRate, d.Use, "
        "p.SampleChannel, p.SampleFrequency, p.Data_Impedance FROM Data_Station s "
        "JOIN Data_Line l ON s.Data_LineID = l.ID "
        "JOIN Data_SampleData d ON d.Data_StationID = s.ID "
        "JOIN Data_ProcessData p ON p.Data_SampleDataID = d.ID "
        "WHERE l.LineName = %1 ORDER BY s.ID, d.ID, p.ID").arg(lineName);
    return rows(db, stations);
}

struct Pair {
    WorkFolder work;
    TestProject a{work.path("a.HMT")};
    TestProject b{work.path("b.HMT")};
    Pair()
    {
        // One transaction per file keeps the fixture from syncing every row to disk.
        a.db().transaction();
        b.db().transaction();
        Data_Line *a1 = a.addLine(1, 1, "A one");
        addFullStation(a, a1, 100);
        addFullStation(a, a1, 110);
        addFullStation(a, a.addLine(2, 1, "A two"), 200);
        Data_Line *b1 = b.addLine(1, 0, "B one");
        addFullStation(b, b1, 110);
        addFullStation(b, b1, 120);
        Data_Line *b3 = b.addLine(3, 0, "B three");
        addFullStation(b, b3, 300);
        addFullStation(b, b3, 301);
        a.db().commit();
        b.db().commit();
    }
};

} // namespace

void TestMerge::linesMatchedByNumber()
{
    Pair pair;
    const QStringList a1Before = lineContent(pair.a.db(), 1);
    const QStringList a2Before = lineContent(pair.a.db(), 2);
    ScriptedOperatorDialogs dialogs;
    QVERIFY(ProjectMerge(&dialogs).run(&pair.a.db(), &pair.b.db()));

    QCOMPARE(rows(pair.a.db(), "SELECT LineName, Use, Note FROM Data_Line ORDER BY ID"),
             QStringList({"1|1|A one", "2|1|A two", "3|0|B three"}));
    QCOMPARE(lineContent(pair.a.db(), 1), a1Before + lineContent(pair.b.db(), 1));
    QCOMPARE(lineContent(pair.a.db(), 2), a2Before);
    QCOMPARE(lineContent(pair.a.db(), 3), lineContent(pair.b.db(), 3));
    QCOMPARE(rows(pair.a.db(), "SELECT COUNT(*) FROM Data_ProcessData"), QStringList({"14"}));
    QCOMPARE(dialogs.callsOf("information").size(), 1);
    QCOMPARE(dialogs.callsOf("information")[0].text, QStringLiteral("合并数据库成功"));
}

void TestMerge::failedWriteLeavesTargetUntouched_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("insert of a channel of the last station fails")
        << "BEFORE INSERT ON Data_ProcessData WHEN (SELECT COUNT(*) FROM Data_ProcessData) >= 12";
    QTest::newRow("update of a station of a new line fails")
        << "BEFORE UPDATE ON Data_Station WHEN NEW.StationNum = 301";
}

void TestMerge::failedWriteLeavesTargetUntouched()
{
    QFETCH(QString, trigger);
    Pair pair;
    QVERIFY(QSqlQuery(pair.a.db().database())
                .exec("CREATE TRIGGER failing " + trigger
                      + " BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const QStringList before = dump(pair.a.db());
    ScriptedOperatorDialogs dialogs;
    QVERIFY(!ProjectMerge(&dialogs).run(&pair.a.db(), &pair.b.db()));
    QCOMPARE(dump(pair.a.db()), before);
    QCOMPARE(dialogs.callsOf("critical").size(), 1);
    QVERIFY(dialogs.callsOf("information").isEmpty());
}

void TestMerge::refusedWithoutBothFiles()
{
    Pair pair;
    const QStringList before = dump(pair.a.db());
    ScriptedOperatorDialogs dialogs;
    QVERIFY(!ProjectMerge(&dialogs).run(&pair.a.db(), nullptr));
    QVERIFY(!ProjectMerge(&dialogs).run(nullptr, &pair.b.db()));
    QCOMPARE(dump(pair.a.db()), before);
    QCOMPARE(dialogs.callsOf("critical").size(), 2);
}
