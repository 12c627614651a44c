// The multi-polarity combination of a station's three curves, against hand-computed records.

#include <QtTest>
#include <cmath>

#include "MultiPolarityCurve.h"

using Curve = QVector<OneFreqImpedance>;

class TestMultiPolarity : public QObject {
    Q_OBJECT
private slots:
    void combinationAveragesUpToTheShortestCurve_data();
    void combinationAveragesUpToTheShortestCurve();
};

void TestMultiPolarity::combinationAveragesUpToTheShortestCurve_data()
{
    QTest::addColumn<QList<int>>("lengths");  // of ExHy, EyHx, Ex2Hy; records at 10, 100, 1000 Hz
    QTest::addColumn<QStringList>("records");  // f, rho, phase, coherency, Bostick rho and depth
    // Curve c holds rho = 10 (c + 1) (i + 1) and phase = 30 + 10 c + i at record i; averaged records
    // have coherency 0.75, Bostick rho (90 / phase - 1) rho and depth 356 sqrt(rho / f).
    const QStringList averaged{"10 20 40 0.75 25 503.46", "100 40 41 0.75 47.8049 225.154",
                               "1000 60 42 0.75 68.5714 87.2018"};
    QTest::newRow("no curve") << QList<int>{0, 0, 0} << QStringList();
    QTest::newRow("EyHx alone is copied")
        << QList<int>{0, 3, 0} << QStringList{"10 20 40 0.9 0 0", "100 40 41 0.9 0 0", "1000 60 42 0.9 0 0"};
    QTest::newRow("two curves") << QList<int>{3, 0, 3} << averaged;
    QTest::newRow("three curves, the shortest sets the length")
        << QList<int>{3, 2, 3} << QStringList{averaged[0], averaged[1]};
}

void TestMultiPolarity::combinationAveragesUpToTheShortestCurve()
{
    QFETCH(QList<int>, lengths);
    QFETCH(QStringList, records);
    Curve curves[3];
    for (int c = 0; c < 3; ++c)
        for (int i = 0; i < lengths.at(c); ++i)
            curves[c].append({0, std::pow(10.0, i + 1), 0.9, 10.0 * (c + 1) * (i + 1), 30.0 + 10 * c + i, 0, 0});
    QStringList combined;
    for (const OneFreqImpedance &z : MultiPolarityCurve::combine(curves[0], curves[1], curves[2]))
        combined << QString::asprintf("%g %g %g %g %g %g", z.freq, z.rho, z.phase, z.coherency, z.bostickRho,
                                      z.bostickDepth);
    QCOMPARE(combined, records);
}

QTEST_APPLESS_MAIN(TestMultiPolarity)
#include "tst_MultiPolarity.moc"
