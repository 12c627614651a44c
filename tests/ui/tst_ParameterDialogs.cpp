// The small parameter dialogs driven through their widgets: the inversion parameters with the
// elevation file, the EH4 start number and the 3-D settings with the coordinate file. Each OK
// record is checked field by field, Cancel's defaults, and text that does not convert.

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include "Dialog_3DInvSetting.h"
#include "Dialog_ExprotEH4.h"
#include "Dialog_InvsionParam.h"
#include "ScriptedOperatorDialogs.h"

namespace {

template <class T> T *child(QWidget &dialog, const QString &name)
{
    T *widget = dialog.findChild<T *>(name);
    if (!widget)
        qFatal("no widget named %s", qPrintable(name));
    return widget;
}

void click(QWidget &dialog, const QString &button)
{
    QTest::mouseClick(child<QPushButton>(dialog, button), Qt::LeftButton);
}

// Replaces the edit's text the way the operator does.
void type(QWidget &dialog, const QString &edit, const QString &text)
{
    QLineEdit *field = child<QLineEdit>(dialog, edit);
    field->selectAll();
    QTest::keyClicks(field, text);
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &text)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(name));
    return file.fileName();
}

QString topographyText(const InversionParam &param)
{
    QStringList points;
    for (const TopoData &point : param.topography)
        points << QString::number(point.position) + "/" + QString::number(point.elevation);
    return points.join(' ');
}

} // namespace

class TestParameterDialogs : public QObject {
    Q_OBJECT
private slots:
    void inversionParamOk_data();
    void inversionParamOk();
    void inversionParamCancelRestoresDefaults_data();
    void inversionParamCancelRestoresDefaults();
    void elevationFile_data();
    void elevationFile();
    void eh4StartNumber_data();
    void eh4StartNumber();
    void settings3DOkNeedsThreePoints_data();
    void settings3DOkNeedsThreePoints();
    void settings3DOk_data();
    void settings3DOk();
    void settings3DReferenceSwitchesZ();

private:
    QTemporaryDir dir;
};

void TestParameterDialogs::inversionParamOk_data()
{
    QTest::addColumn<QStringList>("typed");   // constraint, smooth, minTopo, start, end, fMax, fMin
    QTest::addColumn<int>("direction");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("opened and confirmed at once")
        << QStringList() << 0 << QList<double>{1.0, 0.3, 0.0, -1.0, -1.0, 100000.0, 1.0};
    QTest::newRow("every field edited")
        << QStringList{"2.5", "0.75", "-800", "100", "450.5", "4096", "0.01"} << 3
        << QList<double>{2.5, 0.75, -800.0, 100.0, 450.5, 4096.0, 0.01};
    QTest::newRow("letters give 0")
        << QStringList{"abc", "x1", "high", "start", "1e", "max", "Hz"} << 1
        << QList<double>{0, 0, 0, 0, 0, 0, 0};
}

void TestParameterDialogs::inversionParamOk()
{
    QFETCH(QStringList, typed);
    QFETCH(int, direction);
    QFETCH(QList<double>, expected);
    ScriptedOperatorDialogs dialogs;
    Dialog_InvsionParam dialog(dialogs);
    dialog.show();
    const QStringList edits = {"lineEdit_Constraint", "lineEdit_Smooth", "lineEdit_MinTopo",
                               "lineEdit_startPoint", "lineEdit_endPoint", "FreqMax_lineEdit",
                               "FreqMin_lineEdit"};
    for (int i = 0; i < typed.size(); ++i)
        type(dialog, edits[i], typed[i]);
    child<QComboBox>(dialog, "comboBox")->setCurrentIndex(direction);
    click(dialog, "pushButton");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const InversionParam p = dialog.param();
    QCOMPARE(QList<double>({p.constraint, p.smooth, p.minTopo, p.startPoint, p.endPoint, p.freqMax, p.freqMin}),
             expected);
    QCOMPARE(p.direction, direction);
    QVERIFY(p.topography.isEmpty());
}

void TestParameterDialogs::inversionParamCancelRestoresDefaults_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("取消") << false;
    QTest::newRow("Escape key") << true;
}

void TestParameterDialogs::inversionParamCancelRestoresDefaults()
{
    QFETCH(bool, escape);
    ScriptedOperatorDialogs dialogs;
    dialogs.fileNames << writeFile(dir, "line.dat", "100 10\n200 11\n");
    Dialog_InvsionParam dialog(dialogs);
    dialog.show();
    click(dialog, "pushButton_topo");
    QCOMPARE(dialog.param().topography.size(), 2);
    type(dialog, "lineEdit_Constraint", "3");
    child<QComboBox>(dialog, "comboBox")->setCurrentIndex(2);
    click(dialog, "pushButton");  // an earlier confirmation ...
    dialog.show();
    if (escape)
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        click(dialog, "pushButton_2");  // ... is undone by Cancel
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    const InversionParam p = dialog.param();
    QCOMPARE(QList<double>({p.constraint, p.smooth, p.minTopo, p.startPoint, p.endPoint, p.freqMax, p.freqMin}),
             QList<double>({1.0, 0.3, 0.0, -1.0, -1.0, 100000.0, 1.0}));
    QCOMPARE(p.direction, 0);
    QVERIFY(p.topography.isEmpty());
    QCOMPARE(child<QLineEdit>(dialog, "lineEdit_Constraint")->text(), QStringLiteral("1.0"));
}

void TestParameterDialogs::elevationFile_data()
{
    QTest::addColumn<QByteArray>("content");  // empty: the file does not exist
    QTest::addColumn<QString>("topography");
    QTest::addColumn<QString>("boxes");
    QTest::newRow("points sorted by position")
        << QByteArray("300 12\n100,10\n200\t11\n") << "100/10 200/11 300/12" << "";
    QTest::newRow("a repeated position is reported once and stored once")
        << QByteArray("150 5\n150 6\n100 4\n") << "100/4 150/5" << "information:提示:重复高程点的里程：150,";
    QTest::newRow("a file that cannot be read")
        << QByteArray() << "" << "warning:提示:无法打开高程文件：%1";
}

void TestParameterDialogs::elevationFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, topography);
    QFETCH(QString, boxes);
    const QString path = content.isEmpty() ? dir.filePath("missing.dat") : writeFile(dir, "topo.dat", content);
    ScriptedOperatorDialogs dialogs;
    dialogs.fileNames << path;
    Dialog_InvsionParam dialog(dialogs);
    dialog.show();
    click(dialog, "pushButton_topo");
    QCOMPARE(dialogs.boxes(), boxes.contains("%1") ? boxes.arg(path) : boxes);
    QCOMPARE(child<QLineEdit>(dialog, "lineEdit")->text(), topography.isEmpty() ? QString() : path);
    click(dialog, "pushButton");
    QCOMPARE(topographyText(dialog.param()), topography);
}

void TestParameterDialogs::eh4StartNumber_data()
{
    QTest::addColumn<QString>("typed");  // empty: the preset "001" stays
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("preset confirmed") << "" << true << 1 << true;
    QTest::newRow("number typed") << "120" << true << 120 << true;
    QTest::newRow("letters give 0") << "A7" << true << 0 << true;
    QTest::newRow("cancelled") << "55" << false << 1 << false;
}

void TestParameterDialogs::eh4StartNumber()
{
    QFETCH(QString, typed);
    QFETCH(bool, confirm);
    QFETCH(int, start);
    QFETCH(bool, accepted);
    Dialog_ExprotEH4 dialog;
    dialog.show();
    QCOMPARE(child<QLineEdit>(dialog, "lineEdit")->text(), QStringLiteral("001"));
    QCOMPARE(dialog.startNumber(), 1);
    QVERIFY(!dialog.isAccepted());
    if (!typed.isEmpty())
        type(dialog, "lineEdit", typed);
    click(dialog, confirm ? "pushButton_OK" : "pushButton_Cancel");
    QCOMPARE(dialog.startNumber(), start);
    QCOMPARE(dialog.isAccepted(), accepted);
    // A second opening cancelled clears the flag again.
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(!dialog.isAccepted());
}

void TestParameterDialogs::settings3DOkNeedsThreePoints_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("points");
    QTest::newRow("two points") << QByteArray("1 10 0 0 5\n1 20 50 0 6\n") << 2;
    QTest::newRow("three points after a header and a short line")
        << QByteArray("line station x y elevation\n1,10,0,0,5\n1 20\n1;20;50;0;6\n2|10|0|100|7\n") << 3;
    QTest::newRow("no file") << QByteArray() << 0;
}

void TestParameterDialogs::settings3DOkNeedsThreePoints()
{
    QFETCH(QByteArray, content);
    QFETCH(int, points);
    ScriptedOperatorDialogs dialogs;
    dialogs.fileNames << (content.isEmpty() ? dir.filePath("none.dat") : writeFile(dir, "xy.dat", content));
    Dialog_3DInvSetting dialog(dialogs);
    dialog.show();
    QVERIFY(!child<QPushButton>(dialog, "pushButton_OK")->isEnabled());
    click(dialog, "pushButton_Open");
    QCOMPARE(child<QPushButton>(dialog, "pushButton_OK")->isEnabled(), points >= 3);
    QCOMPARE(dialog.settings().points.size(), points);
    QCOMPARE(child<QLineEdit>(dialog, "lineEdit")->text().isEmpty(), content.isEmpty());
}

void TestParameterDialogs::settings3DOk_data()
{
    QTest::addColumn<int>("refer");
    QTest::addColumn<int>("data");
    QTest::addColumn<QStringList>("typed");  // radius, x, y, z, min elevation, inversion, constraint
    QTest::addColumn<QList<double>>("expected");
    QTest::addColumn<bool>("layered");
    QTest::newRow("layered TM")
        << 0 << 1 << QStringList{"750", "1.5", "2", "0.4", "-2500", "1.2", "0.5"}
        << QList<double>{750, 1.5, 2, 0.4, -2500, 1.2, 0.5} << true;
    QTest::newRow("non-layered space gives z 0")
        << 1 << 0 << QStringList{"300", "1", "1", "", "-900", "1", "0"}
        << QList<double>{300, 1, 1, 0, -900, 1, 0} << false;
    QTest::newRow("letters give 0")
        << 0 << 0 << QStringList{"far", "x", "y", "z", "low", "inv", "c"}
        << QList<double>{0, 0, 0, 0, 0, 0, 0} << true;
}

void TestParameterDialogs::settings3DOk()
{
    QFETCH(int, refer);
    QFETCH(int, data);
    QFETCH(QStringList, typed);
    QFETCH(QList<double>, expected);
    QFETCH(bool, layered);
    ScriptedOperatorDialogs dialogs;
    dialogs.fileNames << writeFile(dir, "three.dat", "1 10 100 200 5\n1 20 150 200 6\n2 10 100 300 7.5\n");
    Dialog_3DInvSetting dialog(dialogs);
    dialog.show();
    click(dialog, "pushButton_Open");
    child<QComboBox>(dialog, "comboBox_Refer")->setCurrentIndex(refer);
    child<QComboBox>(dialog, "comboBox_DataChoose")->setCurrentIndex(data);
    const QStringList edits = {"lineEdit_SearchRadius", "lineEdit_XCof", "lineEdit_yCof", "lineEdit_zCof",
                               "lineEdit_Mintopo", "lineEdit_InvCof", "lineEdit_Constrain"};
    for (int i = 0; i < edits.size(); ++i)
        if (!typed[i].isEmpty())
            type(dialog, edits[i], typed[i]);
    click(dialog, "pushButton_OK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const VolumeSettings s = dialog.settings();
    QCOMPARE(s.layered, layered);
    QCOMPARE(s.dataChoice, data);
    QCOMPARE(QList<double>({s.searchRadius, s.xCoefficient, s.yCoefficient, s.zCoefficient, s.minTopo,
                            s.inversionCoefficient, s.constraintCoefficient}),
             expected);
    QCOMPARE(s.points.size(), 3);
    const CoordinatePoint last = s.points.last();
    QCOMPARE(QList<double>({last.line, last.station, last.x, last.y, last.elevation}),
             QList<double>({2, 10, 100, 300, 7.5}));
}

void TestParameterDialogs::settings3DReferenceSwitchesZ()
{
    ScriptedOperatorDialogs dialogs;
    Dialog_3DInvSetting dialog(dialogs);
    dialog.show();
    QComboBox *refer = child<QComboBox>(dialog, "comboBox_Refer");
    QLineEdit *z = child<QLineEdit>(dialog, "lineEdit_zCof");
    QVERIFY(z->isEnabled());
    refer->setCurrentIndex(1);
    QVERIFY(!z->isEnabled());
    QCOMPARE(z->text(), QStringLiteral("0.0"));
    refer->setCurrentIndex(0);
    QVERIFY(z->isEnabled());
    click(dialog, "pushButton_Cancle");
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestParameterDialogs)
#include "tst_ParameterDialogs.moc"
