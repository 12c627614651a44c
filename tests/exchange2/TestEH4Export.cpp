#include "TestEH4Export.h"

#include <QtTest>
#include <cmath>
#include <limits>

#include "CurveBlob.h"
#include "EH4Export.h"
#include "ExchangeFixture.h"
#include "ScriptedOperatorDialogs.h"

namespace {

OneFreqImpedance record(double f, double coherency, double rho, double phase)
{
    OneFreqImpedance r;
    r.freq = f;
    r.coherency = coherency;
    r.rho = rho;
    r.phase = phase;
    return r;
}

const QByteArray kZeros =
    "       0.00       0.00       0.00       0.00       0.00       0.00       0.00       0.00\n";

} // namespace

void TestEH4Export::pointFilesOfALine()
{
    WorkFolder work;
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(5);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    // Stored out of order; B has a frequency A lacks and lacks one A has.
    Data_Station *first = project.addStation(
        line, 1234.7f, {record(100, nan, 99999.99, nan), record(10, 0.95, 123456, 45.5)});
    first->setData_ImpedanceEy(CurveBlob::encode(
        {record(1000, -0.2, std::numeric_limits<double>::infinity(), 60), record(10, 1.5, 0.001, 30)}));
    first->setHasResult(1);
    first->commit();
    project.addStation(line, 1300, flatCurve(2, 10, 45), 0);
    project.addStation(line, 1400)->setHasResult(1);
    QDir().mkdir("eh4");
    ScriptedOperatorDialogs dialogs;
    dialogs.startNumbers << 7;
    dialogs.folders << work.path("eh4");
    QVERIFY(EH4Export(&dialogs).run(*line));

    QCOMPARE(work.readText("eh4/@"),
             QByteArray(" 50    0\n"
                        "      jp.000 TX=     0 TY=     0 Tz=     0 RX=     0 RY=     0 Rz=     0 XL=  2500 YL=  2500 G1=000140 G2=000080 G3=000080\n"
                        "      jp.007 TX=     0 TY=     0 Tz=     0 RX=  1234 RY=     5 Rz=     0 XL=  2000 YL=  2000 G1=000140 G2=000080 G3=000080\n"
                        "      jp.008 TX=     0 TY=     0 Tz=     0 RX=  1400 RY=     5 Rz=     0 XL=  2000 YL=  2000 G1=000140 G2=000080 G3=000080\n"));
    QCOMPARE(work.readText("eh4/ZJP.007"),
             "         10       0.95   1.23e+05      45.50       0.99       0.01      30.00\n" + kZeros
                 + "        100       0.05   99999.99      45.00       0.00       0.00       0.00\n"
                 + kZeros);
    QCOMPARE(work.readText("eh4/ZJP.008"), QByteArray());
    QCOMPARE(QDir(work.path("eh4")).entryList(QDir::Files),
             QStringList({"@", "FrequencyList.tbl", "ZJP.007", "ZJP.008"}));
    const QList<QByteArray> table = work.readText("eh4/FrequencyList.tbl").split('\n');
    QCOMPARE(table.size(), 51);  // 50 lines and the empty rest after the last line end
    QCOMPARE(table.mid(0, 4), QList<QByteArray>({"1.26", "1.58", "2", "2.51"}));
    QCOMPARE(table.mid(20, 10), QList<QByteArray>({"126", "158", "200", "248", "316", "398",
                                                   "501", "631", "794", "1000"}));
    QCOMPARE(table.mid(47, 3), QList<QByteArray>({"63100", "79400", "100000"}));
    QCOMPARE(dialogs.callsOf("information").size(), 1);
}

void TestEH4Export::existingFrequencyTableKept()
{
    WorkFolder work;
    TestProject project(work.path("p.HMT"));
    Data_Line *line = project.addLine(5);
    project.addStation(line, 1, flatCurve(2, 10, 45))->setHasResult(1);
    work.writeText("FrequencyList.tbl", "7\n");
    ScriptedOperatorDialogs dialogs;
    dialogs.startNumbers << 1 << -1;
    dialogs.folders << work.path();
    QVERIFY(EH4Export(&dialogs).run(*line));
    QCOMPARE(work.readText("FrequencyList.tbl"), QByteArray("7\n"));
    QVERIFY(work.readText("ZJP.001").startsWith("          1       0.90      10.00      45.00"));
    QVERIFY(!EH4Export(&dialogs).run(*line));  // cancelled start number: no folder asked
    QCOMPARE(dialogs.callsOf("existingFolder").size(), 1);
}
