#include "TestTree.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>

#include "HubFixture.h"

namespace {

// Line 1 with stations 1 (two recordings) and 2; line 3 with stations written in the order
// 12, 2, 10, station 12 then renumbered 12.5 (row and folder), as field crews insert stations.
SurveySpec twoLineSurvey()
{
    SurveySpec survey;
    survey.stations = {stationSpec(1, 1, {recordingSpec(4096, 1), recordingSpec(1024, 1)}),
                       stationSpec(1, 2, {recordingSpec(4096, 1)}),
                       stationSpec(3, 12, {recordingSpec(1024, 1)}),
                       stationSpec(3, 2, {recordingSpec(1024, 1)}),
                       stationSpec(3, 10, {recordingSpec(1024, 1)})};
    return survey;
}

bool renumberStation(HubFixture &f, int line, int from, double to)
{
    const QString folder = QStringLiteral("data/Line %1/Station ").arg(line);
    return f.execute(QStringLiteral("UPDATE Data_Station SET StationNum = %1 WHERE ID = %2")
                         .arg(to).arg(f.stationId(line, from)))
           && QDir().rename(folder + QString::number(from), folder + QString::number(to));
}

QModelIndex indexAt(const QAbstractItemModel &model, const QList<int> &path)
{
    QModelIndex index;
    for (int row : path)
        index = model.index(row, 0, index);
    return index;
}

QList<QVariantList> useSnapshot(const HubFixture &f)
{
    return f.rows(QStringLiteral("Data_Line"), QStringLiteral("*"))
           + f.rows(QStringLiteral("Data_Station"), QStringLiteral("*"))
           + f.rows(QStringLiteral("Data_SampleData"), QStringLiteral("*"));
}

} // namespace

void TestTree::treeShowsLinesStationsInOrderAndRecordings()
{
    HubFixture f(twoLineSurvey());
    QVERIFY(f.isValid());
    QVERIFY(renumberStation(f, 3, 12, 12.5));
    QVERIFY(f.execute(QStringLiteral("UPDATE Data_SampleData SET Use = 0 WHERE ID = %1")
                          .arg(f.recordingIds(f.stationId(1, 1)).last())));
    int rowsWhenSignalled = -1;
    QObject::connect(&f.hub, &TreeModel_Index::modelChange, [&] { rowsWhenSignalled = f.hub.rowCount(); });
    QSignalSpy modelChange(&f.hub, &TreeModel_Index::modelChange);
    f.reopen();
    QCOMPARE(modelChange.count(), 1);
    QCOMPARE(rowsWhenSignalled, 2);

    TreeModel &tree = f.hub;
    QCOMPARE(tree.data(indexAt(tree, {0}), Qt::DisplayRole).toInt(), 1);
    QCOMPARE(tree.data(indexAt(tree, {1}), Qt::DisplayRole).toInt(), 3);
    const QModelIndex line3 = indexAt(tree, {1});
    QCOMPARE(tree.rowCount(line3), 3);
    const double expected[] = {2.0, 10.0, 12.5};
    for (int s = 0; s < 3; ++s)
        QCOMPARE(tree.data(tree.index(s, 0, line3), Qt::DisplayRole).toDouble(), expected[s]);
    const QModelIndex station1 = indexAt(tree, {0, 0});
    QCOMPARE(tree.rowCount(station1), 2);
    QCOMPARE(tree.data(tree.index(0, 0, station1), Qt::DisplayRole).toInt(), 4096);
    QCOMPARE(tree.data(tree.index(1, 0, station1), Qt::DisplayRole).toInt(), 1024);
    QCOMPARE(tree.data(tree.index(0, 0, station1), Qt::CheckStateRole).toInt(), int(Qt::Checked));
    QCOMPARE(tree.data(tree.index(1, 0, station1), Qt::CheckStateRole).toInt(), int(Qt::Unchecked));

    // The renumbered station's recordings are found in "data/Line 3/Station 12.5".
    QSignalSpy series(&f.hub, &TreeModel_Index::TimeSeriesChanged);
    ReCalculateParam viewOnly = recomputeSettings(512, 1);
    viewOnly.recomputeImpedance = false;
    f.hub.onRecalculateChanged(viewOnly);
    QVERIFY(f.hub.openRecording(1, 2, 0));
    QCOMPARE(series.count(), 5);
}

void TestTree::checkChangesWriteUseBelowTheItemOnly_data()
{
    QTest::addColumn<QList<int>>("path");
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("lines");      // WHERE of the rows whose Use must change
    QTest::addColumn<QString>("stations");
    QTest::addColumn<QString>("recordings");
    const QString line3Stations = QStringLiteral("Data_LineID IN (SELECT ID FROM Data_Line WHERE LineName = 3)");
    const QString station1 = QStringLiteral("StationNum = 1 AND Data_LineID IN (SELECT ID FROM Data_Line WHERE LineName = 1)");
    QTest::newRow("unchecking line 3") << QList<int>{1} << int(Qt::Unchecked) << QStringLiteral("LineName = 3")
        << line3Stations
        << QStringLiteral("Data_StationID IN (SELECT ID FROM Data_Station WHERE %1)").arg(line3Stations);
    QTest::newRow("unchecking station 1 of line 1") << QList<int>{0, 0} << int(Qt::Unchecked) << QStringLiteral("0")
        << station1 << QStringLiteral("Data_StationID IN (SELECT ID FROM Data_Station WHERE %1)").arg(station1);
    QTest::newRow("unchecking its second recording") << QList<int>{0, 0, 1} << int(Qt::Unchecked)
        << QStringLiteral("0") << QStringLiteral("0")
        << QStringLiteral("ID = (SELECT MAX(ID) FROM Data_SampleData WHERE Data_StationID IN (SELECT ID FROM Data_Station WHERE %1))").arg(station1);
}

void TestTree::checkChangesWriteUseBelowTheItemOnly()
{
    QFETCH(QList<int>, path);
    QFETCH(int, state);
    QFETCH(QString, lines);
    QFETCH(QString, stations);
    QFETCH(QString, recordings);
    HubFixture f(twoLineSurvey());
    QVERIFY(f.isValid());
    const QList<QVariantList> before = useSnapshot(f);
    QVERIFY(f.execute(QStringLiteral("UPDATE Data_Line SET Use = %1 WHERE %2").arg(state).arg(lines)));
    QVERIFY(f.execute(QStringLiteral("UPDATE Data_Station SET Use = %1 WHERE %2").arg(state).arg(stations)));
    QVERIFY(f.execute(QStringLiteral("UPDATE Data_SampleData SET Use = %1 WHERE %2").arg(state).arg(recordings)));
    const QList<QVariantList> expected = useSnapshot(f);
    QVERIFY(f.execute(QStringLiteral("UPDATE Data_Line SET Use = 1")));
    QVERIFY(f.execute(QStringLiteral("UPDATE Data_Station SET Use = 1")));
    QVERIFY(f.execute(QStringLiteral("UPDATE Data_SampleData SET Use = 1")));
    QCOMPARE(useSnapshot(f), before);
    QVERIFY(expected != before);

    const QModelIndex item = indexAt(f.hub, path);
    QVERIFY(f.hub.setData(item, state, Qt::CheckStateRole));
    QCOMPARE(useSnapshot(f), expected);
    for (int row = 0; row < f.hub.rowCount(item); ++row)
        QCOMPARE(f.hub.data(f.hub.index(row, 0, item), Qt::CheckStateRole).toInt(), state);
}

void TestTree::itemFlagsFollowTheLevel_data()
{
    QTest::addColumn<QList<int>>("path");
    QTest::addColumn<bool>("editable");
    QTest::newRow("line") << QList<int>{0} << true;
    QTest::newRow("station") << QList<int>{0, 1} << true;
    QTest::newRow("recording") << QList<int>{0, 0, 0} << false;
}

void TestTree::itemFlagsFollowTheLevel()
{
    QFETCH(QList<int>, path);
    QFETCH(bool, editable);
    HubFixture f(twoLineSurvey());
    QVERIFY(f.isValid());
    const Qt::ItemFlags flags = f.hub.flags(indexAt(f.hub, path));
    QVERIFY(flags & Qt::ItemIsUserCheckable);
    QVERIFY(flags & Qt::ItemIsEnabled);
    QCOMPARE(bool(flags & Qt::ItemIsEditable), editable);
    QCOMPARE(f.hub.flags(QModelIndex()), Qt::NoItemFlags);
}

void TestTree::onlyColumnZeroCarriesACheckBox()
{
    HubFixture f(twoLineSurvey());
    QVERIFY(f.isValid());
    QVERIFY(f.hub.insertColumns(1, 1));
    const QModelIndex second = f.hub.index(0, 1);
    QVERIFY(second.isValid());
    QVERIFY(!f.hub.data(second, Qt::CheckStateRole).isValid());
    const QList<QVariantList> before = useSnapshot(f);
    QVERIFY(!f.hub.setData(second, int(Qt::Unchecked), Qt::CheckStateRole));
    QCOMPARE(useSnapshot(f), before);
    QCOMPARE(f.hub.data(f.hub.index(0, 0), Qt::CheckStateRole).toInt(), int(Qt::Checked));
}
