#include "TestLineSection.h"

#include <QtTest>

#include "ExchangeFixture.h"
#include "LineSectionRun.h"
#include "ScriptedOperatorDialogs.h"
#include "SectionPublisher.h"
#include "TopographyFile.h"

namespace {

QString pointsText(const QVector<TopoData> &points)
{
    QStringList texts;
    for (const TopoData &p : points)
        texts << QString("%1:%2").arg(p.position).arg(p.elevation);
    return texts.join(' ');
}

QVector<TopoData> flatSurface()
{
    return {{0, 20}, {1000, 20}};
}

// Three used stations 100 m apart; records up to 10 Hz see 100 ohm-m, above it 1000 ohm-m.
Data_Line *twoBandLine(TestProject &project)
{
    Data_Line *line = project.addLine(2);
    QVector<OneFreqImpedance> curve = flatCurve(12, 100, 45, 0.5, 2.0);  // 0.5 Hz to 1024 Hz
    for (OneFreqImpedance &record : curve)
        if (record.freq > 10)
            record.rho = 1000;
    for (int i = 0; i < 3; ++i)
        project.addStation(line, 100 + 100 * i, curve);
    return line;
}

} // namespace

void TestLineSection::elevationFile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("points");
    QTest::addColumn<QString>("message");  // empty: no repeats
    QTest::newRow("sorted by position") << QByteArray("300 12\n100 10\n200 11\n")
                                        << "100:10 200:11 300:12" << "";
    QTest::newRow("repeat stored once, first kept") << QByteArray("150 5\n100,1\n150 6\n150 7\n")
                                                    << "100:1 150:5" << "重复高程点的里程：150,";
    QTest::newRow("two repeated positions") << QByteArray("250 1\n120 2\n250 3\n120 4\n")
                                            << "120:2 250:1" << "重复高程点的里程：120,250,";
    QTest::newRow("short lines skipped, the first too")
        << QByteArray("7\n100\t10\textra\n\n200;11\n300|\n") << "100:10 200:11" << "";
}

void TestLineSection::elevationFile()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, points);
    QFETCH(QString, message);
    WorkFolder work;
    work.writeText("topo.dat", text);
    QVector<TopoData> topography{{1, 1}};
    QList<double> duplicates;
    QVERIFY(TopographyFile::read(work.path("topo.dat"), topography, duplicates));
    QCOMPARE(pointsText(topography), points);
    QCOMPARE(duplicates.isEmpty() ? QString() : TopographyFile::duplicateMessage(duplicates), message);
    QVERIFY(!TopographyFile::read(work.path("missing.dat"), topography, duplicates));
    QVERIFY(topography.isEmpty());
}

void TestLineSection::refusals_data()
{
    QTest::addColumn<bool>("withTopography");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<QString>("warning");  // empty: the run goes ahead
    QTest::newRow("no topography") << false << -1.0 << -1.0 << "请导入高程文件！";
    QTest::newRow("start beyond end") << true << 300.0 << 200.0 << "请正确输入起始点号！";
    QTest::newRow("start only: open end") << true << 200.0 << -1.0 << "";
    QTest::newRow("end only: open start") << true << -1.0 << 200.0 << "";
}

void TestLineSection::refusals()
{
    QFETCH(bool, withTopography);
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(QString, warning);
    WorkFolder work;
    TestProject project(work.path("p.HMT"));
    Data_Line *line = twoBandLine(project);
    ScriptedOperatorDialogs dialogs;
    dialogs.inversionAnswers << [&](InversionParam &param) {
        if (withTopography)
            param.topography = flatSurface();
        param.startPoint = start;
        param.endPoint = end;
    };
    SectionPublisher publisher;
    QSignalSpy published(&publisher, &SectionPublisher::setExportData);
    QCOMPARE(LineSectionRun(&dialogs, &publisher).run(*line), warning.isEmpty());
    QCOMPARE(dialogs.callsOf("inversionParameters").size(), 1);
    if (!warning.isEmpty()) {
        QCOMPARE(dialogs.callsOf("warning").size(), 1);
        QCOMPARE(dialogs.callsOf("warning")[0].text, warning);
        QCOMPARE(published.size(), 0);
        return;
    }
    QCOMPARE(publisher.latestSection().size(), 2);  // stations 200 and 300, or 100 and 200
}

void TestLineSection::frequencyBandSelectsRecords_data()
{
    QTest::addColumn<double>("freqMax");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::newRow("whole band: both layers") << 100000.0 << 100.0 << 1000.0;
    QTest::newRow("up to 10 Hz: the deep layer only") << 10.0 << 100.0 << 100.0;
}

void TestLineSection::frequencyBandSelectsRecords()
{
    QFETCH(double, freqMax);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    WorkFolder work;
    TestProject project(work.path("p.HMT"));
    Data_Line *line = twoBandLine(project);
    InversionParam param;
    param.topography = flatSurface();
    param.minTopo = -3000;
    param.freqMax = freqMax;
    ScriptedOperatorDialogs dialogs;
    SectionPublisher publisher;
    QStringList order;
    float minimum = 0, maximum = 0;
    QObject::connect(&publisher, &SectionPublisher::signal2DISOGraphChanged,
                     [&](QList<DataType_ResultData>, QVector<TopoData> surface, QMap<float, QColor>, bool) {
                         order << "graph";
                         QCOMPARE(pointsText(surface), pointsText(flatSurface()));
                     });
    QObject::connect(&publisher, &SectionPublisher::signal_StaticResistivity, [&](float lo, float hi) {
        order << "range";
        minimum = lo;
        maximum = hi;
    });
    QObject::connect(&publisher, &SectionPublisher::signal_CentralWidgetChanged,
                     [&](int page) { order << QString("page %1").arg(page); });
    QObject::connect(&publisher, &SectionPublisher::setExportData, [&](bool) { order << "export"; });
    QVERIFY(LineSectionRun(&dialogs, &publisher).run(*line, param));
    QCOMPARE(order, QStringList({"graph", "range", "page 2", "export"}));
    QCOMPARE(publisher.latestSection().size(), 3);
    QCOMPARE(publisher.latestSection()[0].position, 100.0);
    QVERIFY2(qAbs(minimum - lowest) < 1e-3 * lowest && qAbs(maximum - highest) < 1e-3 * highest,
             qPrintable(QString("range %1 to %2").arg(minimum).arg(maximum)));
}
