#include "TestForwardModel.h"

#include <QtTest>
#include <cmath>

#include "LayeredEarth.h"
#include "StationModel.h"

namespace {

bool closeRelative(std::complex<double> actual, std::complex<double> expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance * std::abs(expected);
}

} // namespace

void TestForwardModel::halfSpaceGivesItsResistivityAnd45Degrees_data()
{
    QTest::addColumn<double>("rho");
    QTest::addColumn<double>("f");
    for (double rho : {0.3, 100.0, 20000.0}) {
        for (double f : {1.0e-4, 1.0, 12345.0}) {
            QTest::addRow("rho %g, f %g", rho, f) << rho << f;
        }
    }
}

void TestForwardModel::halfSpaceGivesItsResistivityAnd45Degrees()
{
    QFETCH(double, rho);
    QFETCH(double, f);
    const LayeredEarth earth(rho);
    QVERIFY2(std::abs(earth.apparentResistivity(f) / rho - 1.0) < 1e-12,
             qPrintable(QString::number(earth.apparentResistivity(f), 'g', 15)));
    QVERIFY2(std::abs(earth.phaseDegrees(f) - 45.0) < 1e-10,
             qPrintable(QString::number(earth.phaseDegrees(f), 'g', 15)));
    // The same earth written as two layers of equal resistivity is still a half-space.
    const LayeredEarth layered({{rho, 250.0}}, rho);
    QVERIFY(closeRelative(layered.impedance(f), earth.impedance(f), 1e-12));
}

// Expected values from the closed form Z = Z1 coth(k1 h + arcoth(sqrt(rho2 / rho1))), evaluated
// separately in double precision with mu0 = 4 pi 1e-7 and rho_a = |Z|^2 / (w mu0).
void TestForwardModel::twoLayerMatchesCagniardClosedForm_data()
{
    QTest::addColumn<double>("rho1");
    QTest::addColumn<double>("h");
    QTest::addColumn<double>("rho2");
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("rhoA");
    QTest::addColumn<double>("phase");
    QTest::newRow("resistor over conductor, 1 Hz") << 100.0 << 1000.0 << 10.0 << 1.0
                                                   << 27.07220816 << 62.10593406;
    QTest::newRow("resistor over conductor, 10 Hz") << 100.0 << 1000.0 << 10.0 << 10.0
                                                    << 83.58337157 << 61.04090812;
    QTest::newRow("conductor over resistor, 0.1 Hz") << 10.0 << 500.0 << 1000.0 << 0.1
                                                     << 205.118656 << 19.2958115;
    QTest::newRow("conductor over resistor, 3 Hz") << 10.0 << 500.0 << 1000.0 << 3.0
                                                   << 16.23561447 << 17.15183099;
    QTest::newRow("strong contrast, 100 Hz") << 1000.0 << 200.0 << 1.0 << 100.0
                                             << 40.28334623 << 82.86935219;
    QTest::newRow("thin top layer, 1 kHz") << 300.0 << 50.0 << 30.0 << 1000.0
                                           << 75.52895234 << 61.43947531;
}

void TestForwardModel::twoLayerMatchesCagniardClosedForm()
{
    QFETCH(double, rho1);
    QFETCH(double, h);
    QFETCH(double, rho2);
    QFETCH(double, f);
    QFETCH(double, rhoA);
    QFETCH(double, phase);
    const LayeredEarth earth({{rho1, h}}, rho2);
    const double actualRho = earth.apparentResistivity(f);
    QVERIFY2(std::abs(actualRho / rhoA - 1.0) < 1e-8,
             qPrintable(QStringLiteral("rho %1, expected %2").arg(actualRho, 0, 'g', 12).arg(rhoA)));
    QVERIFY2(std::abs(earth.phaseDegrees(f) - phase) < 1e-7,
             qPrintable(QStringLiteral("phase %1, expected %2").arg(earth.phaseDegrees(f), 0, 'g', 12)
                            .arg(phase)));
}

void TestForwardModel::asymptotesReachTopLayerAndBasement_data()
{
    QTest::addColumn<double>("f");
    QTest::addColumn<double>("expectedRho");
    QTest::addColumn<double>("relTolerance");
    // 100 / 10 / 1000 ohm-m: at 1 MHz the skin depth in the top layer is 5 m, far inside it;
    // at 1e-7 Hz the conductive layer's 30 S hardly screens the basement.
    QTest::newRow("high frequency sees the top layer") << 1.0e6 << 100.0 << 1e-6;
    QTest::newRow("low frequency sees the basement") << 1.0e-7 << 1000.0 << 0.01;
}

void TestForwardModel::asymptotesReachTopLayerAndBasement()
{
    QFETCH(double, f);
    QFETCH(double, expectedRho);
    QFETCH(double, relTolerance);
    const LayeredEarth earth({{100.0, 200.0}, {10.0, 300.0}}, 1000.0);
    const double rho = earth.apparentResistivity(f);
    QVERIFY2(std::abs(rho / expectedRho - 1.0) < relTolerance, qPrintable(QString::number(rho)));
    QVERIFY2(std::abs(earth.phaseDegrees(f) - 45.0) < 1.0,
             qPrintable(QString::number(earth.phaseDegrees(f))));
}

void TestForwardModel::splittingALayerChangesNothing_data()
{
    QTest::addColumn<double>("f");
    for (double f : {1.0e-3, 0.5, 30.0, 8000.0})
        QTest::addRow("f %g", f) << f;
}

void TestForwardModel::splittingALayerChangesNothing()
{
    QFETCH(double, f);
    const LayeredEarth whole({{50.0, 400.0}, {5.0, 120.0}, {800.0, 2000.0}}, 20.0);
    const LayeredEarth split({{50.0, 150.0}, {50.0, 250.0}, {5.0, 20.0}, {5.0, 100.0},
                              {800.0, 2000.0}}, 20.0);
    QVERIFY(closeRelative(split.impedance(f), whole.impedance(f), 1e-10));
}

void TestForwardModel::rotationMatchesClosedForm_data()
{
    QTest::addColumn<double>("angle");
    for (double angle : {0.0, 30.0, 45.0, 90.0, 180.0, -60.0})
        QTest::addRow("%g degrees", angle) << angle;
}

// For a tensor with only off-diagonal terms a = Zxy, b = Zyx, turning the axes by t gives
// xx = cs(a + b), xy = c^2 a - s^2 b, yx = c^2 b - s^2 a, yy = -cs(a + b).
void TestForwardModel::rotationMatchesClosedForm()
{
    QFETCH(double, angle);
    const LayeredEarth xyEarth(100.0), yxEarth({{10.0, 300.0}}, 1000.0);
    const StationModel model(xyEarth, yxEarth, angle);
    const double f = 7.0;
    const std::complex<double> a = xyEarth.impedance(f), b = -yxEarth.impedance(f);
    const double t = angle * std::acos(-1.0) / 180.0, c = std::cos(t), s = std::sin(t);
    const ImpedanceTensor z = model.tensor(f);
    const double tol = 1e-12 * std::abs(a);
    QVERIFY(std::abs(z.xx - c * s * (a + b)) < tol);
    QVERIFY(std::abs(z.xy - (c * c * a - s * s * b)) < tol);
    QVERIFY(std::abs(z.yx - (c * c * b - s * s * a)) < tol);
    QVERIFY(std::abs(z.yy + c * s * (a + b)) < tol);
    QVERIFY(closeRelative(z.determinant(), -a * b, 1e-12));
}

// A full tensor turned by 90 degrees: diagonals swap, off-diagonals swap with a sign change.
void TestForwardModel::rotationBy90SwapsAndNegatesOffDiagonals()
{
    const ImpedanceTensor z{{1.0, 2.0}, {3.0, -4.0}, {-5.0, 6.0}, {7.0, 8.0}};
    const ImpedanceTensor r = z.rotated(90.0);
    const double tol = 1e-13;
    QVERIFY(std::abs(r.xx - z.yy) < tol && std::abs(r.yy - z.xx) < tol);
    QVERIFY(std::abs(r.xy + z.yx) < tol && std::abs(r.yx + z.xy) < tol);
    QVERIFY(std::abs(r.determinant() - z.determinant()) < tol);
}
