#include "TestInversionRun.h"

#include <QtTest>

#include "ExchangeFixture.h"
#include "InversionRun.h"
#include "ScriptedOperatorDialogs.h"
#include "SectionPublisher.h"

namespace {

// Records the names of the publisher's signals in emission order, and the section.
struct SignalLog {
    QStringList names;
    QList<DataType_ResultData> section;
    float minimum = 0, maximum = 0;
    explicit SignalLog(SectionPublisher &publisher)
    {
        QObject::connect(&publisher, &SectionPublisher::signal2DISOGraphChanged,
                         [this](QList<DataType_ResultData> data, QVector<TopoData>,
                                QMap<float, QColor> colours, bool invert) {
                             names << QString("graph %1 %2").arg(colours.size()).arg(invert);
                             section = data;
                         });
        QObject::connect(&publisher, &SectionPublisher::signal_StaticResistivity,
                         [this](float lo, float hi) { names << "range"; minimum = lo; maximum = hi; });
        QObject::connect(&publisher, &SectionPublisher::signal_CentralWidgetChanged,
                         [this](int page) { names << QString("page %1").arg(page); });
        QObject::connect(&publisher, &SectionPublisher::setExportData,
                         [this](bool on) { names << QString("export %1").arg(on); });
    }
};

void installProgram(const QString &source, const QString &target)
{
    QDir().mkpath(QFileInfo(target).path());
    QFile::copy(source, target);
    QFile::setPermissions(target, QFile::permissions(target) | QFile::ExeOwner);
}

// A line of eight used stations 50 m apart over a 100 ohm-m half-space (phase 45 degrees), plus
// one station out of use.
Data_Line *halfSpaceLine(TestProject &project)
{
    project.db().transaction();
    Data_Line *line = project.addLine(1);
    for (int i = 0; i < 8; ++i)
        project.addStation(line, 100 + 50 * i, flatCurve(41, 100, 45, 0.5, 1.3));
    project.addStation(line, 125, flatCurve(41, 5, 45), 0);
    project.db().commit();
    return line;
}

} // namespace

void TestInversionRun::halfSpaceThroughStandIns_data()
{
    QTest::addColumn<bool>("nlcg");
    QTest::addColumn<int>("layers");
    QTest::addColumn<double>("firstDepth");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("conjugate gradient") << true << 40 << -20.0
                                        << QStringList{"获取数据", "初始化模型", "反演"};
    QTest::newRow("least squares") << false << 30 << -10.0 << QStringList{"初始化模型", "反演"};
}

void TestInversionRun::halfSpaceThroughStandIns()
{
    QFETCH(bool, nlcg);
    QFETCH(int, layers);
    QFETCH(double, firstDepth);
    QFETCH(QStringList, notices);
    WorkFolder work;
    installProgram(NLCG_STANDIN, work.path("nlcg/MTNLCG.exe"));
    installProgram(NLLS_STANDIN, work.path("nlls/MT2DACB.exe"));
    QDir().mkpath(work.path("nlls/SampleData"));
    TestProject project(work.path("p.HMT"));
    Data_Line *line = halfSpaceLine(project);
    ScriptedOperatorDialogs dialogs;
    SectionPublisher publisher;
    SignalLog log(publisher);
    InversionRun run(&dialogs, &publisher);
    QVERIFY(nlcg ? run.runNLCG(*line) : run.runNLLS(*line));

    QCOMPARE(log.names, QStringList({"graph 25 1", "range", "page 2", "export 1"}));
    QStringList titles;
    for (const auto &call : dialogs.callsOf("progressNotice"))
        titles << call.title;
    QCOMPARE(titles, notices);
    QVERIFY(dialogs.callsOf("critical").isEmpty());
    QCOMPARE(log.section.size(), 8);
    for (int i = 0; i < 8; ++i) {
        QCOMPARE(log.section[i].position, 100.0 + 50 * i);
        QCOMPARE(log.section[i].value.size(), layers);
        QCOMPARE(log.section[i].depth.first(), firstDepth);
        for (double rho : log.section[i].value)
            QVERIFY2(qAbs(rho - 100) < 1e-3, qPrintable(QString::number(rho)));
    }
    QVERIFY(qAbs(log.minimum - 100) < 1e-3 && qAbs(log.maximum - 100) < 1e-3);
    QCOMPARE(publisher.latestSection().size(), 8);
}

void TestInversionRun::failingProgramPublishesNothing_data()
{
    QTest::addColumn<QByteArray>("script");   // empty: no program at all
    QTest::newRow("program missing") << QByteArray();
    QTest::newRow("program fails") << QByteArray("#!/bin/sh\necho broken >&2\nexit 3\n");
    QTest::newRow("program never ends") << QByteArray("#!/bin/sh\nexec sleep 30\n");
}

void TestInversionRun::failingProgramPublishesNothing()
{
    QFETCH(QByteArray, script);
    WorkFolder work;
    work.writeText("nlcg/mod_out.dat", "an earlier run's output\n");
    if (!script.isEmpty()) {
        work.writeText("nlcg/MTNLCG.exe", script);
        QFile::setPermissions(work.path("nlcg/MTNLCG.exe"), QFile::ReadOwner | QFile::ExeOwner);
    }
    TestProject project(work.path("p.HMT"));
    Data_Line *line = halfSpaceLine(project);
    ScriptedOperatorDialogs dialogs;
    SectionPublisher publisher;
    SignalLog log(publisher);
    InversionRun run(&dialogs, &publisher);
    run.setTimeout(300);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!run.runNLCG(*line));
    QVERIFY(clock.elapsed() < 20000);
    QCOMPARE(dialogs.callsOf("critical").size(), 1);
    QVERIFY(log.names.isEmpty());
    QVERIFY(!QFile::exists(work.path("nlcg/mod_out.dat")));
}

void TestInversionRun::tooFewStationsRefused()
{
    WorkFolder work;
    QDir().mkpath("nlcg");
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(1);
    for (int i = 0; i < 5; ++i)
        project.addStation(line, i, flatCurve(41, 100, 45));
    project.addStation(line, 9, {});  // no curve: not selected
    ScriptedOperatorDialogs dialogs;
    SectionPublisher publisher;
    InversionRun run(&dialogs, &publisher);
    QVERIFY(!run.runNLCG(*line));
    QCOMPARE(dialogs.calls.size(), 1);
    QCOMPARE(dialogs.calls[0].kind, QStringLiteral("critical"));
    QVERIFY(!QFile::exists("nlcg/b-tm-1.dat"));
}
