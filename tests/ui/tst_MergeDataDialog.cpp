// The merge dialog driven through its buttons: enabled states, the refusal until both files are
// open, a merge read back through a second connection, and a failed write that leaves A as it was.

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "CurveBlob.h"
#include "CurveProject.h"
#include "Dialog_MergeData.h"
#include "ReadBack.h"
#include "ScriptedOperatorDialogs.h"

namespace {

// A project file with the given lines, each a list of station numbers; every station stores an
// Ex/Hy curve of one record whose resistivity is its number.
void writeProject(const QString &path, const QMap<int, QList<float>> &lines)
{
    QList<CurveStation> stations;
    for (auto line = lines.begin(); line != lines.end(); ++line)
        for (float number : line.value())
            stations.append({line.key(), number, {{0, 10.0, 0.9, double(number), 45.0}}, {}});
    QVERIFY(CurveProject::write(path, stations));
}

// Line number and station number of every station of the file, in insertion order.
QList<QVariantList> stations(const QString &path)
{
    return ReadBack::rows(path, QStringLiteral("SELECT l.LineName || ':' || CAST(s.StationNum AS INTEGER) "
                                               "FROM Data_Station s JOIN Data_Line l ON s.Data_LineID = l.ID "
                                               "ORDER BY s.ID"));
}

QList<QVariantList> lineNames(const QString &path)
{
    return ReadBack::rows(path, QStringLiteral("SELECT LineName FROM Data_Line ORDER BY ID"));
}

} // namespace

class TestMergeDataDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void mergeRefusedUntilBothFilesAreOpen_data();
    void mergeRefusedUntilBothFilesAreOpen();
    void mergeAppendsBsStationsToA();
    void failedWriteLeavesAUnchanged();
    void fileThatIsNotADatabaseLoadsNothing();

private:
    void click(const QString &button) { QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton); }
    template <class T> T *find(const QString &name) { return dialog->findChild<T *>(name); }

    std::unique_ptr<QTemporaryDir> dir;
    QString pathA, pathB;
    ScriptedOperatorDialogs dialogs;
    std::unique_ptr<Dialog_MergeData> dialog;
};

void TestMergeDataDialog::init()
{
    dialog.reset();
    dir = std::make_unique<QTemporaryDir>();
    pathA = dir->filePath("A.HMT");
    pathB = dir->filePath("B.HMT");
    writeProject(pathA, {{1, {100, 110}}, {2, {200}}});
    writeProject(pathB, {{1, {110, 120}}, {3, {300}}});
    dialogs = ScriptedOperatorDialogs();
    dialog = std::make_unique<Dialog_MergeData>(dialogs);
    dialog->show();
}

void TestMergeDataDialog::mergeRefusedUntilBothFilesAreOpen_data()
{
    QTest::addColumn<bool>("openA");
    QTest::addColumn<bool>("openB");
    QTest::newRow("neither file") << false << false;
    QTest::newRow("only A") << true << false;
    QTest::newRow("only B") << false << true;
}

void TestMergeDataDialog::mergeRefusedUntilBothFilesAreOpen()
{
    QFETCH(bool, openA);
    QFETCH(bool, openB);
    const QList<QVariantList> before = stations(pathA);
    if (openA) {
        dialogs.fileNames.enqueue(pathA);
        click("pushButton_OpenA");
    }
    if (openB) {
        dialogs.fileNames.enqueue(pathB);
        click("pushButton_OpenB");
    }
    QVERIFY(!find<QPushButton>("pushButton_OK")->isEnabled());
    click("pushButton");
    QCOMPARE(dialogs.boxes(), QStringLiteral("critical:合并数据库:请先打开合并文件A和合并文件B"));
    QVERIFY(find<QPushButton>("pushButton")->isEnabled());
    QVERIFY(!find<QPushButton>("pushButton_OK")->isEnabled());
    dialog.reset();
    QCOMPARE(stations(pathA), before);
}

void TestMergeDataDialog::mergeAppendsBsStationsToA()
{
    dialogs.fileNames << pathA << pathB;
    click("pushButton_OpenA");
    click("pushButton_OpenB");
    QCOMPARE(find<QLineEdit>("lineEdit")->text(), pathA);
    QCOMPARE(find<QLineEdit>("lineEdit_2")->text(), pathB);
    click("pushButton");
    QCOMPARE(dialogs.boxes(), QStringLiteral("information:合并数据库:合并数据库成功"));
    QVERIFY(!find<QPushButton>("pushButton")->isEnabled());
    QVERIFY(find<QPushButton>("pushButton_OK")->isEnabled());
    click("pushButton_OK");
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(stations(pathA), QList<QVariantList>({{"1:100"}, {"1:110"}, {"2:200"}, {"1:110"}, {"1:120"}, {"3:300"}}));
    QCOMPARE(lineNames(pathA), QList<QVariantList>({{1}, {2}, {3}}));
    // The stored curve travelled with its station: resistivity 300 in the new line's station.
    const auto blob = ReadBack::rows(pathA, "SELECT Data_ImpedanceEx FROM Data_Station WHERE StationNum = 300");
    QCOMPARE(CurveBlob::decode(blob.value(0).value(0).toByteArray()).value(0).rho, 300.0);
}

void TestMergeDataDialog::failedWriteLeavesAUnchanged()
{
    // The third station written into A (B's second station) cannot be stored.
    ReadBack::rows(pathA, "CREATE TRIGGER full BEFORE INSERT ON Data_Station "
                          "WHEN (SELECT COUNT(*) FROM Data_Station) >= 4 "
                          "BEGIN SELECT RAISE(ABORT, 'disk full'); END");
    const QList<QVariantList> before = stations(pathA);
    dialogs.fileNames << pathA << pathB;
    click("pushButton_OpenA");
    click("pushButton_OpenB");
    click("pushButton");
    QCOMPARE(dialogs.boxes(), QStringLiteral("critical:合并数据库:合并数据库失败"));
    QVERIFY(!find<QPushButton>("pushButton_OK")->isEnabled());
    click("pushButton_No");
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    dialog.reset();
    QCOMPARE(stations(pathA), before);
    QCOMPARE(lineNames(pathA), QList<QVariantList>({{1}, {2}}));
}

void TestMergeDataDialog::fileThatIsNotADatabaseLoadsNothing()
{
    const QString text = dir->filePath("notes.HMT");
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("line 1, station 100\n") > 0);
    file.close();
    dialogs.fileNames << text << QString();
    click("pushButton_OpenA");
    click("pushButton_OpenB");
    QVERIFY(find<QLineEdit>("lineEdit")->text().isEmpty());
    QVERIFY(find<QLineEdit>("lineEdit_2")->text().isEmpty());
    QCOMPARE(dialogs.boxes(), QString());
}

QTEST_MAIN(TestMergeDataDialog)
#include "tst_MergeDataDialog.moc"
