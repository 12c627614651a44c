// The merge dialog driven through its buttons: enabled states, the refusal until both files are
// open, a merge read back through a second connection, and a failed write that leaves A as it was.

#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include "CurveBlob.h"
#include "DORE_Collection.h"
#include "Data_Line.h"
#include "Data_Project.h"
#include "Data_Station.h"
#include "Dialog_MergeData.h"
#include "LibDORE.h"
#include "ProjectSchema.h"
#include "ScriptedOperatorDialogs.h"

namespace {

// A project file with the given lines, each a list of station numbers; every station stores an
// Ex/Hy curve of one record whose resistivity is its number.
void writeProject(const QString &path, const QMap<int, QList<float>> &lines)
{
    LibDORE db;
    QVERIFY(db.open(path));
    registerProjectSchema(db);
    db.transaction();
    DORE_Collection<Data_Project> projects(&db);
    Data_Project *project = projects.appendNew().object;
    project->commit();
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        Data_Line *row = project->REF_Data_Line()->appendNew().object;
        row->setLineName(line.key());
        row->setUse(1);
        row->commit();
        for (float number : line.value()) {
            Data_Station *station = row->REF_Data_Station()->appendNew().object;
            station->setStationNum(number);
            station->setUse(1);
            station->setData_ImpedanceEx(CurveBlob::encode({{0, 10.0, 0.9, double(number), 45.0}}));
            station->commit();
        }
    }
    QVERIFY(db.commit());
}

// Runs statements on the file through a connection of its own, which is closed afterwards.
QStringList query(const QString &path, const QString &sql)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("readback"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                rows << QStringLiteral("<failed>");
            while (q.next())
                rows << q.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("readback"));
    return rows;
}

// Line number and station number of every station of the file, in insertion order.
QStringList stations(const QString &path)
{
    return query(path, QStringLiteral("SELECT l.LineName || ':' || CAST(s.StationNum AS INTEGER) FROM Data_Station s "
                                      "JOIN Data_Line l ON s.Data_LineID = l.ID ORDER BY s.ID"));
}

QString boxes(const ScriptedOperatorDialogs &dialogs)
{
    QStringList shown;
    for (const ScriptedOperatorDialogs::Call &call : dialogs.calls)
        if (call.kind == "information" || call.kind == "critical")
            shown << call.kind + ":" + call.title + ":" + call.text;
    return shown.join('|');
}

} // namespace

class TestMergeDataDialog : public QObject {
    Q_OBJECT
private slots:
    void init();
    void noteShowsTheRuleInColour();
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

void TestMergeDataDialog::noteShowsTheRuleInColour()
{
    QTextDocument *note = find<QTextEdit>("textEdit")->document();
    QCOMPARE(note->toPlainText(), QStringLiteral("请注意：将数据文件B合并到数据文件A中，合并的原则为将线号相同"
                                                 "的线进行数据合并，其它的保持原数据不动"));
    QStringList pieces;
    for (auto fragment = note->begin().begin(); !fragment.atEnd(); ++fragment) {
        const QTextCharFormat format = fragment.fragment().charFormat();
        const bool bold = format.fontWeight() >= QFont::DemiBold;
        pieces << fragment.fragment().text()
                      + (bold ? " bold " + format.foreground().color().name() : QString());
    }
    QCOMPARE(pieces, QStringList({"请注意：将", "数据文件B bold #ff5500", "合并到", "数据文件A bold #ff0000",
                                  "中，合并的原则为将", "线号相同 bold #ff0000",
                                  "的线进行数据合并，其它的保持原数据不动"}));
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
    const QStringList before = stations(pathA);
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
    QCOMPARE(boxes(dialogs), QStringLiteral("critical:合并数据库:请先打开合并文件A和合并文件B"));
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
    QCOMPARE(dialogs.callsOf("openFileName").value(0).text, QStringLiteral("Vardex文件(*.HMT)"));
    click("pushButton");
    QCOMPARE(boxes(dialogs), QStringLiteral("information:合并数据库:合并数据库成功"));
    QVERIFY(!find<QPushButton>("pushButton")->isEnabled());
    QVERIFY(find<QPushButton>("pushButton_OK")->isEnabled());
    click("pushButton_OK");
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(stations(pathA), QStringList({"1:100", "1:110", "2:200", "1:110", "1:120", "3:300"}));
    QCOMPARE(query(pathA, "SELECT LineName FROM Data_Line ORDER BY ID"), QStringList({"1", "2", "3"}));
    // The stored curve travelled with its station: resistivity 300 in the new line's station.
    const QStringList blob = query(pathA, "SELECT hex(Data_ImpedanceEx) FROM Data_Station WHERE StationNum = 300");
    QCOMPARE(blob.value(0), QString(CurveBlob::encode({{0, 10.0, 0.9, 300.0, 45.0}}).toHex().toUpper()));
}

void TestMergeDataDialog::failedWriteLeavesAUnchanged()
{
    // The third station written into A (B's second station) cannot be stored.
    QCOMPARE(query(pathA, "CREATE TRIGGER full BEFORE INSERT ON Data_Station "
                          "WHEN (SELECT COUNT(*) FROM Data_Station) >= 4 "
                          "BEGIN SELECT RAISE(ABORT, 'disk full'); END"),
             QStringList());
    const QStringList before = stations(pathA);
    dialogs.fileNames << pathA << pathB;
    click("pushButton_OpenA");
    click("pushButton_OpenB");
    click("pushButton");
    QCOMPARE(boxes(dialogs), QStringLiteral("critical:合并数据库:合并数据库失败"));
    QVERIFY(!find<QPushButton>("pushButton_OK")->isEnabled());
    click("pushButton_No");
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    dialog.reset();
    QCOMPARE(stations(pathA), before);
    QCOMPARE(query(pathA, "SELECT LineName FROM Data_Line ORDER BY ID"), QStringList({"1", "2"}));
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
    QCOMPARE(boxes(dialogs), QString());
}

QTEST_MAIN(TestMergeDataDialog)
#include "tst_MergeDataDialog.moc"
