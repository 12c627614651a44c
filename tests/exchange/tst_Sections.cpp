#include "InversionRun.h"
#include "LineSectionRun.h"
#include "OperatorMessages.h"
#include "TestExchange.h"
#include "TopographyFile.h"

// A section as text: "at <column positions> over <surface>" and "range <lowest> <highest>" of its
// resistivities (six digits).
static QStringList described(const QList<DataType_ResultData> &section, const QVector<TopoData> &surface)
{
    QStringList positions, points;
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (const DataType_ResultData &column : section) {
        positions << QString::number(column.position);
        for (double rho : column.value) {
            lowest = qMin(lowest, rho);
            highest = qMax(highest, rho);
        }
    }
    for (const TopoData &point : surface)
        points << QString("%1:%2").arg(point.position).arg(point.elevation);
    return {QString("at %1 over %2").arg(positions.join(' '), points.join(' ')),
            QString("range %1 %2").arg(lowest, 0, 'g', 6).arg(highest, 0, 'g', 6)};
}

static QStringList made(const QString &columns, const QString &range)
{
    return {"at " + columns, "range " + range};
}

// Used stations 50 m apart over a 100 ohm-m half-space (45 degrees), and one station out of use.
static Data_Line *halfSpaceLine(ExchangeFixture &f, int stations)
{
    f.db().transaction();
    Data_Line *line = f.addLine(1);
    for (int i = 0; i < stations; ++i)
        f.addStation(line, 100 + 50 * i, flatCurve(41, 100, 45, 0.5, 1.3));
    f.addStation(line, 125, flatCurve(41, 5, 45), 0);
    f.db().commit();
    return line;
}

void TestExchange::inversionRun_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QByteArray>("script");  // empty: the stand-in, or no program at all
    QTest::addColumn<int>("stations");
    QTest::addColumn<int>("layers");         // of the section returned, 0: none
    QTest::addColumn<double>("firstDepth");
    const QString nlcg = "nlcg/MTNLCG.exe";
    QTest::newRow("conjugate gradient stand-in") << nlcg << QByteArray() << 8 << 40 << -20.0;
    QTest::newRow("least squares stand-in") << "nlls/MT2DACB.exe" << QByteArray() << 8 << 30 << -10.0;
    QTest::newRow("program missing") << "" << QByteArray() << 8 << 0 << 0.0;
    QTest::newRow("program fails") << nlcg << QByteArray("#!/bin/sh\necho broken >&2\nexit 3\n") << 8 << 0 << 0.0;
    QTest::newRow("program never ends") << nlcg << QByteArray("#!/bin/sh\nexec sleep 30\n") << 8 << 0 << 0.0;
    QTest::newRow("program writes nothing") << nlcg << QByteArray("#!/bin/sh\nexit 0\n") << 8 << 0 << 0.0;
    QTest::newRow("nlls writes nothing") << "nlls/MT2DACB.exe" << QByteArray("#!/bin/sh\nexit 0\n") << 8 << 0 << 0.0;
    QTest::newRow("five stations") << nlcg << QByteArray() << 5 << 0 << 0.0;
}

// An earlier run's output is never returned as new: it is removed once the program is started.
void TestExchange::inversionRun()
{
    QFETCH(QString, program);
    QFETCH(QByteArray, script);
    QFETCH(int, stations);
    QFETCH(int, layers);
    QFETCH(double, firstDepth);
    ExchangeFixture f;
    const bool nlls = program.startsWith("nlls");
    const QString output = nlls ? "nlls/SampleData/curline_TMTp.mir" : "nlcg/mod_out.dat";
    f.writeText(output, "an earlier run's output\n");
    if (!script.isEmpty())
        f.writeText(program, script);
    else if (!program.isEmpty())
        QVERIFY(QFile::copy(nlls ? NLLS_STANDIN : NLCG_STANDIN, program));
    QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
    Data_Line *line = halfSpaceLine(f, stations);
    WorkFeedback feedback;
    InversionRun run(&f.dialogs, inlineWorkRunner(feedback));
    run.setTimeout(script.contains("sleep") ? 300 : 60000);
    QList<DataType_ResultData> section;
    QCOMPARE(nlls ? run.runNLLS(*line, section) : run.runNLCG(*line, section), layers > 0);
    if (layers == 0) {
        QVERIFY(section.isEmpty());
        QCOMPARE(QFile::exists(output), stations < 6);
        QCOMPARE(f.dialogs.callsOf("critical").size(), 1);
        return;
    }
    QCOMPARE(f.dialogs.boxes(), QString());
    // The stand-in fits the half-space exactly, and the last notice shows the misfit it printed.
    QCOMPARE(f.dialogs.callsOf("progressNotice").last().text,
             QString("当前反演结束，成功,正在准备成图！\nRMS拟合差：0.000"));
    QCOMPARE(described(section, {}), made("100 150 200 250 300 350 400 450 over ", "100 100"));
    for (const DataType_ResultData &column : section) {
        QCOMPARE(column.value.size(), layers);
        QCOMPARE(column.depth.first(), firstDepth);
        for (double rho : column.value)
            QVERIFY2(qAbs(rho - 100) < 1e-3, qPrintable(QString::number(rho)));
    }
}

void TestExchange::elevationFile_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QVector<double>>("points");  // position, elevation, ...
    QTest::addColumn<QString>("message");         // empty: no repeats
    QTest::newRow("sorted by position") << QByteArray("300 12\n100 10\n200 11\n")
                                        << QVector<double>{100, 10, 200, 11, 300, 12} << "";
    QTest::newRow("repeats stored once, the first kept") << QByteArray("250 1\n120 2\n250 3\n120,4\n250 5\n")
                                                         << QVector<double>{120, 2, 250, 1}
                                                         << "重复高程点的里程：120,250,";
    QTest::newRow("short lines skipped, the first too") << QByteArray("7\n100\t10\textra\n\n200;11\n300|\n")
                                                        << QVector<double>{100, 10, 200, 11} << "";
    QTest::newRow("points not numbers skipped, denormals kept")
        << QByteArray("nan 5\n100 inf\n200 11\n4.9e-324 7\n-inf -inf\n") << QVector<double>{4.9e-324, 7, 200, 11} << "";
    QTest::newRow("a megabyte of blanks inside a line") << "300" + QByteArray(1 << 20, ' ') + "12\n"
                                                        << QVector<double>{300, 12} << "";
    QTest::newRow("empty") << QByteArray("") << QVector<double>{} << "";
}

void TestExchange::elevationFile()
{
    QFETCH(QByteArray, text);
    QFETCH(QVector<double>, points);
    QFETCH(QString, message);
    ExchangeFixture f;
    f.writeText("topo.dat", text);
    QVector<TopoData> topography{{1, 1}};
    QList<double> duplicates;
    QVERIFY(TopographyFile::read("topo.dat", topography, duplicates));
    QVector<double> read;
    for (const TopoData &point : topography)
        read << point.position << point.elevation;
    QCOMPARE(read, points);
    QCOMPARE(duplicates.isEmpty() ? QString() : OperatorMessages::topographyDuplicates(duplicates).text, message);
    QVERIFY(!TopographyFile::read("missing.dat", topography, duplicates));
    QVERIFY(topography.isEmpty());
}

void TestExchange::lineSectionRun_data()
{
    QTest::addColumn<bool>("withTopography");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("freqMax");
    QTest::addColumn<QStringList>("shown");  // the boxes, or the section made
    QTest::newRow("no topography") << false << -1.0 << -1.0 << 1e5 << QStringList{"warning:提示:请导入高程文件！"};
    QTest::newRow("start beyond end") << true << 300.0 << 200.0 << 1e5
                                      << QStringList{"warning:提示:请正确输入起始点号！"};
    QTest::newRow("start only: open end") << true << 200.0 << -1.0 << 1e5
                                          << made("200 300 over 0:20 1000:20", "100 1000");
    QTest::newRow("up to 10 Hz: the deep layer only") << true << -1.0 << -1.0 << 10.0
                                                      << made("100 200 300 over 0:20 1000:20", "100 100");
}

// Three used stations 100 m apart whose records up to 10 Hz see 100 ohm-m, above it 1000 ohm-m.
void TestExchange::lineSectionRun()
{
    QFETCH(bool, withTopography);
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, freqMax);
    QFETCH(QStringList, shown);
    ExchangeFixture f;
    Data_Line *line = f.addLine(2);
    QVector<OneFreqImpedance> curve = flatCurve(12, 100, 45, 0.5, 2.0);  // 0.5 Hz to 1024 Hz
    for (OneFreqImpedance &record : curve)
        record.rho = record.freq > 10 ? 1000 : 100;
    for (int i = 0; i < 3; ++i)
        f.addStation(line, 100 + 100 * i, curve);
    InversionParam param;
    param.topography = withTopography ? QVector<TopoData>{{0, 20}, {1000, 20}} : QVector<TopoData>();
    param.minTopo = -3000;
    param.startPoint = start;
    param.endPoint = end;
    param.freqMax = freqMax;
    QList<DataType_ResultData> section;
    QVector<TopoData> surface;
    const bool ran = LineSectionRun(&f.dialogs).run(*line, param, section, surface);
    QCOMPARE(ran, !shown.first().startsWith("warning"));
    QCOMPARE(ran ? described(section, surface) : f.dialogs.boxes().split('|', Qt::SkipEmptyParts), shown);
}
