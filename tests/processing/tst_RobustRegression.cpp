// Robust regression of one band against known tensors: Gaussian rows give the tensor and a
// jackknife error that matches the least-squares theory; outliers in E, a few huge magnetic rows
// and noise in the local H (with a clean remote reference) leave the estimate near the truth
// where least squares is not; degenerate rows are refused.

#include <QtTest>
#include <cmath>
#include <complex>
#include <random>

#include "BandCoefficients.h"
#include "RobustRegression.h"

namespace {

using cd = std::complex<double>;

// Channels of a row: 0 E, 1 Hx, 2 Hy, 3 remote Hx, 4 remote Hy.
struct BandCase {
    cd zx{0.3, -0.2}, zy{7.0, 7.0};      // E = zx Hx + zy Hy + noise
    int segments = 200;
    int linesPerSegment = 4;
    double eNoise = 1.0;                  // RMS of the complex noise of E
    double hNoise = 0.0;                  // RMS of local H noise the remote does not see
    double outlierShare = 0.0;            // share of segments whose E carries 1000x noise
    int hugeMagneticRows = 0;             // rows with 1000x H and an E of a wrong tensor
    unsigned seed = 1;
};

cd complexNormal(std::mt19937 &engine, double rms)
{
    std::normal_distribution<double> normal(0.0, rms / std::sqrt(2.0));
    return {normal(engine), normal(engine)};
}

BandCoefficients makeBand(const BandCase &c)
{
    std::mt19937 engine(c.seed);
    std::uniform_real_distribution<double> uniform;
    BandCoefficients band(5, 1 << 20);
    int huge = c.hugeMagneticRows;
    for (int s = 0; s < c.segments; ++s) {
        const bool outlier = uniform(engine) < c.outlierShare;
        for (int line = 0; line < c.linesPerSegment; ++line) {
            const cd hx = complexNormal(engine, 10), hy = complexNormal(engine, 10);
            cd row[5] = {c.zx * hx + c.zy * hy + complexNormal(engine, c.eNoise * (outlier ? 1000 : 1)),
                         hx + complexNormal(engine, c.hNoise), hy + complexNormal(engine, c.hNoise), hx, hy};
            if (huge > 0 && line == 0) {
                --huge;
                row[1] *= 1000.0;
                row[2] *= 1000.0;
                row[0] = -c.zy * row[1] + c.zx * row[2];  // a different tensor entirely
            }
            band.append(s, row);
        }
    }
    return band;
}

RegressionFit fitOf(const BandCase &c, bool remote = false)
{
    return RobustRegression::fit(makeBand(c), 0, {1, 2}, remote ? std::vector<int>{3, 4} : std::vector<int>{});
}

// Least squares with unit weights, for comparison.
cd leastSquaresZy(const BandCase &c)
{
    RobustRegressionSettings plain;
    plain.maxHuberIterations = 0;
    plain.biweightIterations = 0;
    plain.leverageKappa = 1e300;
    return RobustRegression::fit(makeBand(c), 0, {1, 2}, {}, plain).z[1];
}

double relativeError(cd estimate, cd truth)
{
    return std::abs(estimate - truth) / std::abs(truth);
}

}  // namespace

class TestRobustRegression : public QObject {
    Q_OBJECT
private slots:
    void gaussianRowsGiveTheTensor();
    void jackknifeErrorMatchesTheory();
    void resistsContamination_data();
    void resistsContamination();
    void scalarInputIsOneElement();
    void slopeGivesTheBandCentre();
    void degenerateRowsAreRefused_data();
    void degenerateRowsAreRefused();
};

void TestRobustRegression::gaussianRowsGiveTheTensor()
{
    const BandCase c;
    const RegressionFit fit = fitOf(c);
    QVERIFY(fit.valid);
    QCOMPARE(fit.rows, 800);
    QCOMPARE(fit.segments, 200);
    // SNR 100 in amplitude per input: the elements are known to about 0.1 / sqrt(800) per part.
    QVERIFY2(std::abs(fit.z[0] - c.zx) < 0.03 && std::abs(fit.z[1] - c.zy) < 0.03,
             qPrintable(QString("zx %1%2i, zy %3%4i").arg(fit.z[0].real()).arg(fit.z[0].imag(), 0, 'g', 4, QChar('+'))
                            .arg(fit.z[1].real()).arg(fit.z[1].imag())));
    QVERIFY(fit.coherency > 0.99 && fit.coherency <= 1);
}

// For independent rows, least squares gives var(z_k) = sigma^2 [(X^H X)^-1]_kk, here about
// sigma^2 / (100 N) per element for N rows with H of RMS 10 and unit E noise: per real part
// sqrt(1 / (800 * 100) / 2); the robust fit gives up about a tenth of that efficiency on Gaussian
// rows. Over 40 bands the reported error's mean must lie within 25 % of it and the spread of the
// estimates must match the error reported.
void TestRobustRegression::jackknifeErrorMatchesTheory()
{
    const double theory = std::sqrt(1.0 / (800 * 100) / 2);
    double sumError = 0, sumSquaredDeviation = 0;
    const int bands = 40;
    for (int b = 0; b < bands; ++b) {
        BandCase c;
        c.seed = 100 + unsigned(b);
        const RegressionFit fit = fitOf(c);
        sumError += fit.standardError[1];
        sumSquaredDeviation += std::norm(fit.z[1] - c.zy) / 2;
    }
    const double meanError = sumError / bands, observed = std::sqrt(sumSquaredDeviation / bands);
    QVERIFY2(std::fabs(meanError / theory - 1) < 0.25,
             qPrintable(QString("jackknife %1, theory %2").arg(meanError).arg(theory)));
    QVERIFY2(observed / meanError > 0.75 && observed / meanError < 1.33,
             qPrintable(QString("observed spread %1, reported %2").arg(observed).arg(meanError)));
}

void TestRobustRegression::resistsContamination_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("robustLimit");   // relative error of zy
    QTest::addColumn<double>("plainAtLeast");  // least squares at least this far off
    QTest::newRow("a tenth of segments with 1000x noise in E") << 0 << 0.01 << 0.03;
    QTest::newRow("five rows of huge H with another tensor") << 1 << 0.01 << 0.5;
    QTest::newRow("noise in local H, clean remote reference") << 2 << 0.03 << 0.06;
}

void TestRobustRegression::resistsContamination()
{
    QFETCH(int, kind);
    QFETCH(double, robustLimit);
    QFETCH(double, plainAtLeast);
    BandCase c;
    c.seed = 7;
    c.outlierShare = kind == 0 ? 0.1 : 0.0;
    c.hugeMagneticRows = kind == 1 ? 5 : 0;
    c.hNoise = kind == 2 ? 3.0 : 0.0;  // H of RMS 10 with noise of RMS 3: least squares 8 % low
    const RegressionFit fit = fitOf(c, kind == 2);
    const double robust = relativeError(fit.z[1], c.zy), plain = relativeError(leastSquaresZy(c), c.zy);
    QVERIFY2(fit.valid && robust < robustLimit && plain > plainAtLeast,
             qPrintable(QString("robust %1, least squares %2").arg(robust).arg(plain)));
}

void TestRobustRegression::scalarInputIsOneElement()
{
    BandCase c;
    c.zx = 0;
    const RegressionFit fit = RobustRegression::fit(makeBand(c), 0, {2}, {});
    QVERIFY(fit.valid);
    QCOMPARE(fit.inputCount, 1);
    QVERIFY(relativeError(fit.z[0], c.zy) < 0.01);
    QVERIFY(fit.standardError[0] > 0 && fit.standardError[0] < 0.01);
}

// Four lines at ln(f / f0) = -0.2 .. 0.2 where the element grows by 30 % per unit of ln f and the
// magnetic power falls by e^-4 across the band: a fit without slope returns the element of a
// frequency well below f0 (more than 2 % low), the slope fit the element at f0.
void TestRobustRegression::slopeGivesTheBandCentre()
{
    std::mt19937 engine(11);
    const cd zy(7.0, 7.0);
    const double offsets[4] = {-0.2, -0.0667, 0.0667, 0.2};
    BandCoefficients band(3, 1 << 20);
    for (int s = 0; s < 100; ++s) {
        for (double x : offsets) {
            const cd hy = complexNormal(engine, 10 * std::exp(-5 * x));
            const cd row[3] = {zy * (1 + 0.3 * x) * hy + complexNormal(engine, 0.1), complexNormal(engine, 1), hy};
            band.append(s, row, x);
        }
    }
    RobustRegressionSettings flat;
    flat.fitSlope = false;
    const RegressionFit withSlope = RobustRegression::fit(band, 0, {2}, {});
    const RegressionFit without = RobustRegression::fit(band, 0, {2}, {}, flat);
    QVERIFY(withSlope.valid && without.valid);
    QVERIFY2(relativeError(withSlope.z[0], zy) < 0.003 && relativeError(without.z[0], zy) > 0.02,
             qPrintable(QString("with slope %1, without %2").arg(relativeError(withSlope.z[0], zy))
                            .arg(relativeError(without.z[0], zy))));
}

void TestRobustRegression::degenerateRowsAreRefused_data()
{
    QTest::addColumn<int>("segments");
    QTest::addColumn<int>("lines");
    QTest::addColumn<bool>("identicalInputs");
    QTest::newRow("two segments") << 2 << 8 << false;
    QTest::newRow("seven rows for two unknowns") << 7 << 1 << false;
    QTest::newRow("Hx equal to Hy") << 50 << 4 << true;
}

void TestRobustRegression::degenerateRowsAreRefused()
{
    QFETCH(int, segments);
    QFETCH(int, lines);
    QFETCH(bool, identicalInputs);
    BandCase c;
    c.segments = segments;
    c.linesPerSegment = lines;
    const RegressionFit fit = RobustRegression::fit(makeBand(c), 0, {1, identicalInputs ? 1 : 2}, {});
    QVERIFY(!fit.valid);
}

QTEST_GUILESS_MAIN(TestRobustRegression)
#include "tst_RobustRegression.moc"
