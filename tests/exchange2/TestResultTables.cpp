#include "TestResultTables.h"

#include <QtTest>

#include "CurveBlob.h"
#include "ExchangeFixture.h"
#include "ResultTableExport.h"
#include "ScriptedOperatorDialogs.h"

Q_DECLARE_METATYPE(QList<DataType_ResultData>)

void TestResultTables::curveLine_data()
{
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("rho");
    QTest::addColumn<double>("phase");
    QTest::addColumn<QString>("line");
    // depth 356 sqrt(rho / f); true resistivity (90 / phase - 1) rho
    QTest::newRow("100 ohm-m at 1 Hz, 45 degrees") << 1.0 << 100.0 << 45.0 << "1,100,45,3560,100";
    QTest::newRow("250 ohm-m at 10 Hz, 60 degrees") << 10.0 << 250.0 << 60.0 << "10,250,60,1780,125";
    QTest::newRow("4 ohm-m at 0.25 Hz, 30 degrees") << 0.25 << 4.0 << 30.0 << "0.25,4,30,1424,8";
    QTest::newRow("six digits") << 3.0 << 1234567.0 << 45.0 << "3,1.23457e+06,45,228374,1.23457e+06";
}

void TestResultTables::curveLine()
{
    QFETCH(double, f);
    QFETCH(double, rho);
    QFETCH(double, phase);
    QFETCH(QString, line);
    OneFreqImpedance record;
    record.freq = f;
    record.rho = rho;
    record.phase = phase;
    record.bostickDepth = -1;  // stored derived values are not used
    record.bostickRho = -1;
    QCOMPARE(ResultTableExport::curveLine(record), line);
}

void TestResultTables::rawFilesOfALine()
{
    WorkFolder work;
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(4);
    project.addStation(line, 105, flatCurve(2, 100, 45));                 // Ex only
    Data_Station *both = project.addStation(line, 110.5f, flatCurve(1, 10, 45));
    both->setData_ImpedanceEy(CurveBlob::encode(flatCurve(1, 20, 45)));
    both->setData_ImpedanceEx2(CurveBlob::encode(flatCurve(1, 30, 45)));
    both->commit();
    project.addStation(line, 120, flatCurve(2, 100, 45), 0);              // not in use
    QDir().mkdir("out");
    ScriptedOperatorDialogs dialogs;
    dialogs.folders << work.path("out");
    QVERIFY(ResultTableExport(&dialogs).exportRaw(*line));

    QCOMPARE(QDir(work.path("out")).entryList(QDir::Files),
             QStringList({"105_Ex.dat", "110.5_Ex.dat", "110.5_Ex2.dat", "110.5_Ey.dat"}));
    QCOMPARE(work.readText("out/105_Ex.dat"),
             QByteArray("Frequency , AppResis , Phase, depth , trueResis  \n"
                        "1,100,45,3560,100\n2,100,45,2517.3,100\n"));
    QVERIFY(work.readText("out/110.5_Ex2.dat").endsWith("\n1,30,45,1949.89,30\n"));
    QCOMPARE(dialogs.callsOf("information").size(), 1);
    QCOMPARE(dialogs.callsOf("information")[0].text, QStringLiteral("导出原始数据成功"));
}

void TestResultTables::rawExportStopsOnCancelledFolder()
{
    WorkFolder work;
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(4);
    project.addStation(line, 105, flatCurve(2, 100, 45));
    ScriptedOperatorDialogs dialogs;
    QVERIFY(!ResultTableExport(&dialogs).exportRaw(*line));
    QCOMPARE(QDir(work.path()).entryList(QDir::Files), QStringList({"p.HMT"}));
    QCOMPARE(QDir("/").entryList({"105_Ex.dat"}), QStringList());
    QCOMPARE(dialogs.calls.size(), 1);  // the folder choice only
}

void TestResultTables::sectionRows_data()
{
    QTest::addColumn<QList<DataType_ResultData>>("section");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty section") << QList<DataType_ResultData>() << QByteArray();
    QTest::newRow("two columns") << QList<DataType_ResultData>{{100, {-10, -30}, {55.5, 1e6}},
                                                               {150.5, {-10}, {0.25}}}
                                 << QByteArray("100,-10,55.5\n100,-30,1e+06\n150.5,-10,0.25\n");
}

void TestResultTables::sectionRows()
{
    QFETCH(QList<DataType_ResultData>, section);
    QFETCH(QByteArray, text);
    WorkFolder work;
    ScriptedOperatorDialogs dialogs;
    QVERIFY(ResultTableExport(&dialogs).exportSection(work.path("s.dat"), section));
    QCOMPARE(work.readText("s.dat"), text);
    QCOMPARE(dialogs.callsOf("information").size(), 1);
    QCOMPARE(dialogs.callsOf("information")[0].text, QStringLiteral("保存数据成功"));
    QVERIFY(!ResultTableExport(&dialogs).exportSection(work.path("missing/s.dat"), section));
    QCOMPARE(dialogs.callsOf("critical").size(), 1);
}
