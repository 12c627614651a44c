#include <QSqlQuery>
#include <QSqlRecord>

#include "Data_ProcessData.h"
#include "Data_SampleData.h"
#include "ErrorBarBlob.h"
#include "ProjectMerge.h"
#include "TestExchange.h"

namespace later {

// Data_Station as a later version of the program declares it: one column more, which the merge
// code has never heard of.
class Data_Station : public ::Data_Station {
    Q_OBJECT
    Q_CLASSINFO("FieldCrew", "DB")
    Q_PROPERTY(QString FieldCrew READ FieldCrew WRITE setFieldCrew)
public:
    using ::Data_Station::Data_Station;
    QString FieldCrew() const { return crew; }
    void setFieldCrew(const QString &value) { crew = value; }

private:
    QString crew;
};

} // namespace later

// A station with three curves, one recording and two processed channels, all told apart by the
// station number. The station's and the channels' error bars are columns registered after the merge
// was written: it copies them because it copies every registered column.
static void addFullStation(ExchangeFixture &f, Data_Line *line, float number)
{
    Data_Station *station = f.addStation(line, number, flatCurve(5, number, 40));
    station->setData_ImpedanceEy(CurveBlob::encode(flatCurve(4, number + 1, 41)));
    station->setData_ImpedanceEx2(CurveBlob::encode(flatCurve(3, number + 2, 42)));
    station->setErrorBars({{number, 0.1, 1.0}}, {{number, 0.2, 2.0}}, {});
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
        result->setData_ImpedanceErr(ErrorBarBlob::encode({{number, 0.3, double(channel)}}));
        result->commit();
    }
}

// The rows of a query, fields joined by '|', BLOBs in hex; keys (the fields named "ID" or
// ending in "ID") only when asked for.
static QStringList rows(LibDORE &db, const QString &sql, bool withKeys = true)
{
    QSqlQuery query(db.database());
    if (!query.exec(sql))
        return {"<failed: " + sql + ">"};
    QStringList result;
    while (query.next()) {
        QStringList fields;
        for (int i = 0; i < query.record().count(); ++i) {
            const QVariant v = query.value(i);
            if (withKeys || !query.record().fieldName(i).endsWith("ID"))
                fields << (v.type() == QVariant::ByteArray ? QString(v.toByteArray().toHex()) : v.toString());
        }
        result << fields.join('|');
    }
    return result;
}

static QStringList dump(LibDORE &db)
{
    QStringList all;
    for (const char *table : {"Data_Project", "Data_Line", "Data_Station", "Data_SampleData", "Data_ProcessData"})
        all << rows(db, QString("SELECT * FROM %1 ORDER BY ID").arg(table));
    return all;
}

// Every column but the keys of the station, recording and channel rows of a line, in key order.
static QStringList lineContent(LibDORE &db, int lineName)
{
    return rows(db, QString("SELECT s.*, d.*, p.* FROM Data_Station s JOIN Data_Line l ON s.Data_LineID = l.ID "
                            "JOIN Data_SampleData d ON d.Data_StationID = s.ID "
                            "JOIN Data_ProcessData p ON p.Data_SampleDataID = d.ID "
                            "WHERE l.LineName = %1 ORDER BY s.ID, d.ID, p.ID").arg(lineName), false);
}

// A with lines 1 (stations 100, 110) and 2 (200); B with lines 1 (110, 120) and 3 (300, 301).
struct MergePair {
    ExchangeFixture a, b;
    MergePair()
    {
        a.db().transaction();  // one transaction per file keeps the fixture from syncing every row
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

void TestExchange::mergeMatchesLinesByNumber()
{
    MergePair pair;
    const QStringList a1Before = lineContent(pair.a.db(), 1);
    const QStringList a2Before = lineContent(pair.a.db(), 2);
    QVERIFY(ProjectMerge(&pair.a.dialogs).run(&pair.a.db(), &pair.b.db()));
    QCOMPARE(rows(pair.a.db(), "SELECT LineName, Use, Note FROM Data_Line ORDER BY ID"),
             QStringList({"1|1|A one", "2|1|A two", "3|0|B three"}));
    QCOMPARE(lineContent(pair.a.db(), 1), a1Before + lineContent(pair.b.db(), 1));
    QCOMPARE(lineContent(pair.a.db(), 2), a2Before);
    QCOMPARE(lineContent(pair.a.db(), 3), lineContent(pair.b.db(), 3));
    QCOMPARE(rows(pair.a.db(), "SELECT COUNT(*) FROM Data_ProcessData"), QStringList({"14"}));
    QVERIFY(pair.a.dialogs.boxes().endsWith(":合并数据库成功") && pair.a.dialogs.calls.size() == 1);
}

void TestExchange::mergeFailureLeavesTargetUntouched_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("insert of a channel of the last station fails")
        << "BEFORE INSERT ON Data_ProcessData WHEN (SELECT COUNT(*) FROM Data_ProcessData) >= 12";
    QTest::newRow("update of a station of a new line fails")
        << "BEFORE UPDATE ON Data_Station WHEN NEW.StationNum = 301";
}

void TestExchange::mergeFailureLeavesTargetUntouched()
{
    QFETCH(QString, trigger);
    MergePair pair;
    QVERIFY(QSqlQuery(pair.a.db().database())
                .exec("CREATE TRIGGER failing " + trigger + " BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    const QStringList before = dump(pair.a.db());
    QVERIFY(!ProjectMerge(&pair.a.dialogs).run(&pair.a.db(), &pair.b.db()));
    QCOMPARE(dump(pair.a.db()), before);
    QVERIFY(pair.a.dialogs.boxes().startsWith("critical:") && pair.a.dialogs.boxes().endsWith(":合并数据库失败"));
}

// Both files know the station column a later version added; B's stations carry values in it, and
// the merge copies them into A with everything else.
void TestExchange::mergeCopiesAColumnRegisteredLater()
{
    MergePair pair;
    for (ExchangeFixture *f : {&pair.a, &pair.b})
        f->db().RegisterObject(&later::Data_Station::staticMetaObject);
    QVERIFY(QSqlQuery(pair.b.db().database())
                .exec("UPDATE Data_Station SET FieldCrew = 'crew ' || CAST(StationNum AS INTEGER)"));
    QVERIFY(ProjectMerge(&pair.a.dialogs).run(&pair.a.db(), &pair.b.db()));
    QCOMPARE(rows(pair.a.db(), "SELECT StationNum, FieldCrew FROM Data_Station ORDER BY ID"),
             QStringList({"100|", "110|", "200|", "110|crew 110", "120|crew 120", "300|crew 300",
                          "301|crew 301"}));
}

#include "tst_Merge.moc"
