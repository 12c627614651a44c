// Error bars of an impedance against hand-worked figures, and the pairing of a station's curve
// points with their bars where the bands of two recordings overlap.

#include <QtTest>
#include <cmath>

#include "ImpedanceErrorBar.h"

class TestErrorBars : public QObject {
    Q_OBJECT
private slots:
    void barOfAnImpedance();
    void pointsTakeTheirOwnBars_data();
    void pointsTakeTheirOwnBars();
};

// Z = 3 + 4i mV/km per nT at 1 Hz: |Z| = 5, rho = 25 / 5 = 5 ohm-m. An error of 0.1 along Z moves
// rho by 2 * 5 * 0.1 / 5 = 0.2 ohm-m; 0.05 across it turns the phase by 0.05 / 5 = 0.01 rad. Back
// to the error of the real and imaginary parts: sqrt((0.1^2 + 0.05^2) / 2).
void TestErrorBars::barOfAnImpedance()
{
    const ImpedanceErrorBar bar = ImpedanceErrorBar::fromImpedance(1.0, {3.0, 4.0}, 0.1, 0.05);
    QCOMPARE(bar.freq, 1.0);
    QVERIFY(std::fabs(bar.rhoError - 0.2) < 1e-12);
    QVERIFY(std::fabs(bar.phaseError - 0.01 * 180 / M_PI) < 1e-12);
    QVERIFY(std::fabs(bar.impedanceError(5.0) - std::sqrt(0.0125 / 2)) < 1e-12);
    const ImpedanceErrorBar unknown = ImpedanceErrorBar::fromImpedance(1.0, {3.0, 4.0}, std::nan(""), 0.05);
    QVERIFY(std::isnan(unknown.rhoError) && std::isnan(unknown.phaseError));
}

void TestErrorBars::pointsTakeTheirOwnBars_data()
{
    // bars: frequency and rho error of each bar; expected: the rho error each point gets, -1: none.
    QTest::addColumn<QVector<double>>("frequencies");
    QTest::addColumn<QVector<QPointF>>("bars");
    QTest::addColumn<QVector<double>>("expected");
    QTest::newRow("one recording, bars in another order")
        << QVector<double>{1, 2, 4} << QVector<QPointF>{{4, 40}, {1, 10}, {2, 20}} << QVector<double>{10, 20, 40};
    QTest::newRow("two recordings: the second point of a frequency takes its second bar")
        << QVector<double>{1, 2, 2, 4} << QVector<QPointF>{{2, 21}, {4, 40}, {1, 10}, {2, 22}}
        << QVector<double>{10, 21, 22, 40};
    QTest::newRow("a point without a bar of its own gets none")
        << QVector<double>{1, 2, 2} << QVector<QPointF>{{2, 21}} << QVector<double>{-1, 21, -1};
    QTest::newRow("frequencies within a millionth")
        << QVector<double>{1000.0001} << QVector<QPointF>{{1000, 5}} << QVector<double>{5};
}

void TestErrorBars::pointsTakeTheirOwnBars()
{
    QFETCH(QVector<double>, frequencies);
    QFETCH(QVector<QPointF>, bars);
    QFETCH(QVector<double>, expected);
    QVector<ImpedanceErrorBar> kept;
    for (const QPointF &bar : bars)
        kept.append({bar.x(), bar.y(), 1.0});
    QVector<double> got;
    for (const ImpedanceErrorBar *bar : errorBarsAlong(frequencies, kept))
        got.append(bar ? bar->rhoError : -1);
    QCOMPARE(got, expected);
}

QTEST_GUILESS_MAIN(TestErrorBars)
#include "tst_ErrorBars.moc"
