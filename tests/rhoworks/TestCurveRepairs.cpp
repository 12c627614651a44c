// The power-line repairs on curves whose rho, phase and coherency are straight lines in
// frequency: the spline through the kept records then gives back the line at every hit, and the
// held end values of the fallback are read off the line by hand.

#include <QtTest>

#include "Rhoworks.h"
#include "RhoworksTestSupport.h"

using namespace RhoworksTest;

namespace {

using HeldEnds = QMap<double, double>;  // record frequency -> frequency whose line value it holds

double rhoLine(double f) { return 3 + 2 * f; }
double phaseLine(double f) { return 20 + 0.1 * f; }
double cohLine(double f) { return 0.5 + 0.001 * f; }

// Records on the straight lines, with outliers at the frequencies listed in spoiled.
QVector<OneFreqImpedance> lineCurve(const QVector<double> &freqs, const QVector<double> &spoiled)
{
    QVector<OneFreqImpedance> curve;
    for (double f : freqs) {
        OneFreqImpedance r;
        r.freq = f;
        r.rho = spoiled.contains(f) ? -999 : rhoLine(f);
        r.phase = spoiled.contains(f) ? 89 : phaseLine(f);
        r.coherency = spoiled.contains(f) ? 0.01 : cohLine(f);
        r.bostickRho = 7;
        curve << r;
    }
    return curve;
}

// Where each record should land: on the line, or (for a held end) the line's value at heldAt.
void checkOnLine(const QVector<OneFreqImpedance> &curve, const HeldEnds &heldAt)
{
    for (const OneFreqImpedance &r : curve) {
        const double at = heldAt.value(r.freq, r.freq);
        QVERIFY2(near(r.rho, rhoLine(at), 1e-12),
                 qPrintable(mismatch(QString("rho at %1").arg(r.freq), r.rho, rhoLine(at))));
        QVERIFY2(near(r.phase, phaseLine(at), 1e-12),
                 qPrintable(mismatch(QString("phase at %1").arg(r.freq), r.phase, phaseLine(at))));
        QVERIFY2(near(r.coherency, cohLine(at), 1e-12),
                 qPrintable(mismatch(QString("coherency at %1").arg(r.freq), r.coherency, cohLine(at))));
        QCOMPARE(r.bostickRho, 7.0);
    }
}

const QVector<double> kMode0From20{20, 25.1, 31.6, 39.8, 50.1, 63.1, 79.4, 100, 126, 158, 200, 248, 316};
const QVector<double> kMode0PowerLines{39.8, 50.1, 63.1, 126, 158, 200};

}  // namespace

class TestCurveRepairs : public QObject {
    Q_OBJECT
private slots:
    void powerLineRepair_data();
    void powerLineRepair();
    void noHitTakesAbsoluteValues();
    void tooFewKeptRecordsLeaveTheCurve();
    void fixedTriples_data();
    void fixedTriples();
};

void TestCurveRepairs::powerLineRepair_data()
{
    QTest::addColumn<QVector<double>>("freqs");
    QTest::addColumn<HeldEnds>("heldAt");
    QTest::newRow("hits inside: Akima") << kMode0From20 << HeldEnds{};
    // Kept 20, 25.1, 31.6, 79.4, 100: five, but 126..200 lie beyond 100: linear, end held.
    QTest::newRow("hits at the top end") << kMode0From20.mid(0, 11)
                                         << HeldEnds{{126, 100}, {158, 100}, {200, 100}};
    // Kept 79.4 and 100 only: linear with both ends held.
    QTest::newRow("two kept records") << kMode0From20.mid(3, 8)
        << HeldEnds{{39.8, 79.4}, {50.1, 79.4}, {63.1, 79.4}, {126, 100}, {158, 100}, {200, 100}};
    QTest::newRow("hits at the bottom end") << kMode0From20.mid(3)
        << HeldEnds{{39.8, 79.4}, {50.1, 79.4}, {63.1, 79.4}};
}

void TestCurveRepairs::powerLineRepair()
{
    QFETCH(QVector<double>, freqs);
    QFETCH(HeldEnds, heldAt);
    Rhoworks rhoworks;
    rhoworks.GenerateFreqList(10, 1000, 0);
    checkOnLine(rhoworks.DealWithPowerLineFreq(lineCurve(freqs, kMode0PowerLines)), heldAt);
}

void TestCurveRepairs::noHitTakesAbsoluteValues()
{
    Rhoworks rhoworks;
    rhoworks.GenerateFreqList(10, 1000, 0);
    QVector<OneFreqImpedance> curve = lineCurve({10, 12.6, 15.8, 20, 25.1, 31.6}, {});
    curve[2].rho = -rhoLine(15.8);
    curve[4].phase = -phaseLine(25.1);
    checkOnLine(rhoworks.DealWithPowerLineFreq(curve), {});
}

void TestCurveRepairs::tooFewKeptRecordsLeaveTheCurve()
{
    Rhoworks rhoworks;
    rhoworks.GenerateFreqList(10, 1000, 0);
    const QVector<OneFreqImpedance> curve = lineCurve({50.1, 63.1, 79.4}, {50.1, 63.1});
    const QVector<OneFreqImpedance> repaired = rhoworks.DealWithPowerLineFreq(curve);
    for (int i = 0; i < curve.size(); ++i) {
        QCOMPARE(repaired[i].rho, curve[i].rho);
        QCOMPARE(repaired[i].phase, curve[i].phase);
    }
}

void TestCurveRepairs::fixedTriples_data()
{
    QTest::addColumn<bool>("fifty");
    QTest::addColumn<QVector<double>>("freqs");
    QTest::addColumn<QVector<double>>("spoiled");
    QTest::newRow("50 Hz, all three") << true << kMode0From20.mid(0, 9) << QVector<double>{39.8, 50.1, 63.1};
    QTest::newRow("50 Hz, two present") << true << QVector<double>{20, 25.1, 31.6, 39.8, 63.1, 79.4, 100}
                                        << QVector<double>{39.8, 63.1};
    QTest::newRow("150 Hz") << false << kMode0From20 << QVector<double>{126, 158, 200};
}

// Only the triple's records change; the others keep their values exactly (outliers at other
// power-line frequencies included).
void TestCurveRepairs::fixedTriples()
{
    QFETCH(bool, fifty);
    QFETCH(QVector<double>, freqs);
    QFETCH(QVector<double>, spoiled);
    Rhoworks rhoworks;
    const QVector<OneFreqImpedance> curve = lineCurve(freqs, kMode0PowerLines);
    const QVector<OneFreqImpedance> repaired = fifty ? rhoworks.DealWith50HzFreq(curve)
                                                     : rhoworks.DealWith150HzFreq(curve);
    for (int i = 0; i < curve.size(); ++i) {
        const double f = curve[i].freq;
        const double expected = spoiled.contains(f) ? rhoLine(f) : curve[i].rho;
        QVERIFY2(near(repaired[i].rho, expected, 1e-12),
                 qPrintable(mismatch(QString("rho at %1").arg(f), repaired[i].rho, expected)));
    }
}

namespace RhoworksTest {
int runCurveRepairTests(int argc, char **argv)
{
    TestCurveRepairs test;
    return QTest::qExec(&test, argc, argv);
}
}  // namespace RhoworksTest

#include "TestCurveRepairs.moc"
