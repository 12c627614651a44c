#include "TestHub.h"

// Line 1 with stations 1 (recordings of 4096 and 1024 Hz) and 2; line 3 with stations written in
// the order 12, 2, 10, station 12 then renumbered 12.5 (row and folder), as field crews insert
// stations.
static SurveyPlan twoLineSurvey()
{
    SurveyPlan survey;
    survey.stations = {stationPlan(1, 1, {recordingPlan(4096, 1), recordingPlan(1024, 1)}),
                       stationPlan(1, 2, {recordingPlan(4096, 1)}), stationPlan(3, 12, {recordingPlan(1024, 1)}),
                       stationPlan(3, 2, {recordingPlan(1024, 1)}), stationPlan(3, 10, {recordingPlan(1024, 1)})};
    return survey;
}

static QModelIndex indexAt(const QAbstractItemModel &model, const QList<int> &path)
{
    QModelIndex index;
    for (int row : path)
        index = model.index(row, 0, index);
    return index;
}

// Every row of the three tables below the project.
static QList<QVariantList> snapshot(const HubFixture &f)
{
    return f.rows("Data_Line", "*") + f.rows("Data_Station", "*") + f.rows("Data_SampleData", "*");
}

// Another program's database is refused with a critical box; no table is added to it.
void TestHub::foreignDatabaseIsRefusedUntouched()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("places.sqlite");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other program");
        other.setDatabaseName(path);
        QVERIFY(other.open() && QSqlQuery(other).exec("CREATE TABLE moz_places (id INTEGER, url TEXT)"));
    }
    QSqlDatabase::removeDatabase("other program");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    {
        LibDORE db;
        QVERIFY(db.open(path));
        ScriptedOperatorDialogs dialogs;
        TreeModel_Index hub(&dialogs);
        QSignalSpy rebuilt(&hub, &TreeModel_Index::modelChange);
        QVERIFY(!hub.openProject(dir.path(), &db));
        QCOMPARE(rebuilt.count(), 0);
        QCOMPARE(hub.rowCount(), 0);
        const auto critical = dialogs.callsOf("critical");
        QCOMPARE(critical.size(), 1);
        QCOMPARE(critical.first().title, QString("打开Vardex文件"));
        const QStringList tables{"Data_Project", "Data_Line", "Data_Station", "Data_SampleData", "Data_ProcessData"};
        QCOMPARE(critical.first().text, OperatorMessages::notProjectFile(db.connectionName(), tables).text);
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll() == before);
}

void TestHub::treeShowsLinesStationsInOrderAndRecordings()
{
    HubFixture f(twoLineSurvey());
    QVERIFY(f.isValid());
    QVERIFY(f.execute(QString("UPDATE Data_Station SET StationNum = 12.5 WHERE ID = %1").arg(f.stationId(3, 12))));
    QVERIFY(QDir().rename("data/Line 3/Station 12", "data/Line 3/Station 12.5"));
    QVERIFY(f.execute(QString("UPDATE Data_SampleData SET Use = 0 WHERE ID = %1")
                          .arg(f.recordingId(f.stationId(1, 1), 1))));
    int rowsWhenSignalled = -1;  // the tree is built before the views hear of it
    QObject::connect(&f.hub, &TreeModel_Index::modelChange, [&] { rowsWhenSignalled = f.hub.rowCount(); });
    f.reopen();
    QCOMPARE(rowsWhenSignalled, 2);

    const auto shown = [&f](const QList<int> &path, int role = Qt::DisplayRole) {
        return f.hub.data(indexAt(f.hub, path), role).toDouble();
    };
    QCOMPARE(QList<double>({shown({0}), shown({1})}), QList<double>({1, 3}));
    QCOMPARE(f.hub.rowCount(indexAt(f.hub, {1})), 3);
    QCOMPARE(QList<double>({shown({1, 0}), shown({1, 1}), shown({1, 2})}), QList<double>({2, 10, 12.5}));
    QCOMPARE(f.hub.rowCount(indexAt(f.hub, {0, 0})), 2);
    QCOMPARE(QList<double>({shown({0, 0, 0}), shown({0, 0, 1})}), QList<double>({4096, 1024}));
    QCOMPARE(shown({0, 0, 0}, Qt::CheckStateRole), double(Qt::Checked));
    QCOMPARE(shown({0, 0, 1}, Qt::CheckStateRole), double(Qt::Unchecked));

    // The renumbered station's recording is found in "data/Line 3/Station 12.5" and, without
    // recomputation, only sent to the views: every channel cut as the settings ask.
    QSignalSpy series(&f.hub, &TreeModel_Index::TimeSeriesChanged);
    f.hub.onRecalculateChanged(recomputeSettings(512, 2, false));
    QVERIFY(f.hub.openRecording(1, 2, 0));
    QStringList names;
    for (const QList<QVariant> &channel : series) {
        names << channel.at(1).toString();
        const auto segments = channel.at(0).value<QList<QVector<double>>>();
        QCOMPARE(segments.size(), 2);
        QCOMPARE(segments.first().size(), 512);
    }
    QCOMPARE(names, QStringList({"Ex", "Ey", "Ex2", "Hx", "Hy"}));
    QVERIFY(f.rows("Data_ProcessData", "ID").isEmpty());
}

void TestHub::uncheckingWritesUseBelowTheItemOnly_data()
{
    QTest::addColumn<QList<int>>("path");
    QTest::addColumn<QStringList>("below");  // WHERE of the line, station and recording rows below
    const QString line3 = "Data_LineID IN (SELECT ID FROM Data_Line WHERE LineName = 3)";
    const QString station1 = "StationNum = 1 AND Data_LineID IN (SELECT ID FROM Data_Line WHERE LineName = 1)";
    const QString recordingsOf = "Data_StationID IN (SELECT ID FROM Data_Station WHERE %1)";
    QTest::newRow("line 3") << QList<int>{1} << QStringList{"LineName = 3", line3, recordingsOf.arg(line3)};
    QTest::newRow("station 1 of line 1") << QList<int>{0, 0} << QStringList{"0", station1, recordingsOf.arg(station1)};
    QTest::newRow("its second recording") << QList<int>{0, 0, 1}
        << QStringList{"0", "0", "ID = (SELECT MAX(ID) FROM Data_SampleData WHERE " + recordingsOf.arg(station1) + ")"};
}

// Every row starts in use; the rows below the item, and only they, must end with Use = 0.
void TestHub::uncheckingWritesUseBelowTheItemOnly()
{
    QFETCH(QList<int>, path);
    QFETCH(QStringList, below);
    HubFixture f(twoLineSurvey());
    QVERIFY(f.isValid());
    const QList<QVariantList> before = snapshot(f);
    const QModelIndex item = indexAt(f.hub, path);
    QVERIFY(f.hub.setData(item, Qt::Unchecked, Qt::CheckStateRole));
    const QList<QVariantList> after = snapshot(f);
    const char *tables[] = {"Data_Line", "Data_Station", "Data_SampleData"};
    for (int t = 0; t < 3; ++t)  // the expected rows set by hand, then compared with the hub's
        QVERIFY(f.execute(QString("UPDATE %1 SET Use = 0 WHERE %2").arg(tables[t], below[t])));
    QCOMPARE(snapshot(f), after);
    for (int t = 0; t < 3; ++t)
        QVERIFY(f.execute(QString("UPDATE %1 SET Use = 1 WHERE %2").arg(tables[t], below[t])));
    QCOMPARE(snapshot(f), before);
    QVERIFY(after != before);
    for (int row = 0; row < f.hub.rowCount(item); ++row)
        QCOMPARE(f.hub.data(f.hub.index(row, 0, item), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
}

QTEST_GUILESS_MAIN(TestHub)
