// Spectrix against values it did not produce: hand values, a slow direct DFT and matrix invariants.

#include "Spectrix.h"

#include <QtTest>

#include <cmath>
#include <complex>

namespace {

const double kNaN = qQNaN();
const double kInf = qInf();
const double kHalfWeight = 16 / std::pow(M_PI, 4);  // kernel weight at hw/2: (sin(pi/2) / (pi/2))^4

gsl_complex cx(double re, double im = 0) { return gsl_complex{{re, im}}; }
using Matrix = QVector<gsl_complex>;
using Records = QVector<OneFreqCrossPower>;
const Matrix kS{cx(2), cx(0.5, -1.5), cx(0.5, 1.5), cx(3)};
const Matrix kNaNs(4, cx(kNaN, kNaN));
OneFreqCrossPower record(double freq, const Matrix &s) { return OneFreqCrossPower{freq, s}; }

// Expected rho, coherency, mapped phase and Bostick rho; the first debug line of a fallback.
struct ImpedanceCase { Matrix s; double f, rho, coherency, phase, bostickRho; QString fallbackLine = {}; };

// Within tol, or both NaN.
bool near(double a, double e, double tol) { return std::isnan(e) ? std::isnan(a) : a == e || std::fabs(a - e) <= tol; }
bool near(gsl_complex a, gsl_complex e, double t) { return near(a.dat[0], e.dat[0], t) && near(a.dat[1], e.dat[1], t); }
QString text(double v) { return QString::number(v, 'g', 17); }
QString text(gsl_complex z) { return text(GSL_REAL(z)) + ", " + text(GSL_IMAG(z)); }
#define QNEAR(actual, expected, tol) \
    QVERIFY2(near((actual), (expected), (tol)), qPrintable(#actual ": " + text(actual) + " vs " + text(expected)))

} // namespace

Q_DECLARE_METATYPE(ImpedanceCase)

class TestSpectrix : public QObject {
    Q_OBJECT
private slots:
    void matchesDirectDft_data()
    {
        QTest::addColumn<int>("n");
        for (int n : {1, 2, 3, 7, 8, 17, 127, 256, 1009})
            QTest::addRow("n %d", n) << n;
    }

    // Each line against a slow O(n^2) transform in long double, scaled to a one-sided density.
    void matchesDirectDft()
    {
        QFETCH(int, n);
        const double fs = 500, scale = std::sqrt(2 / (n * fs));
        QVector<double> x(n + 1, 1e6);  // the sample beyond n must not be read
        for (int j = 0; j < n; ++j)
            x[j] = std::sin(j * 0.7 + n) + 0.3 * std::cos(j * j * 0.013);
        const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(x, n, fs);
        QCOMPARE(spectrum.size(), n / 2);
        for (int k = 1; k <= n / 2; ++k) {
            std::complex<long double> sum = 0;
            for (int j = 0; j < n; ++j)
                sum += std::polar(1.0L, -2 * 3.14159265358979323846L * j * k / n) * static_cast<long double>(x[j]);
            const OneFreqSpectrum &line = spectrum[k - 1];
            QNEAR(line.freq, k * fs / n, 1e-12);
            QNEAR(cx(line.amplitude * std::cos(line.phase), line.amplitude * std::sin(line.phase)),
                  cx(double(sum.real()) * scale, double(sum.imag()) * scale), 1e-12 * n * scale);
        }
    }

    void edgeLengthsAndNaNs()
    {
        Spectrix spectrix;
        const QVector<double> mixed{1.5, -2, 3, 0.25};
        QCOMPARE(spectrix.WndFunc(mixed, 0, 4), mixed);  // not a taper type
        QCOMPARE(spectrix.WndFunc(mixed, 1, 0), mixed);
        // Half-cosine taper, unchanged beyond n; the eight-digit pi shows: cos(pi/2) is 2.68e-8 here.
        const QVector<double> w = spectrix.WndFunc({2, 2, 2, 2, 2, -7}, 1, 4);
        const QVector<double> expected{2, 1.7071067906, 1.0000000268, 0.2928932472, 2, -7};
        for (int i = 0; i < expected.size(); ++i)
            QNEAR(w[i], expected[i], 1e-9);
        QNEAR(spectrix.WndFunc({4, 4}, 1, 4).value(1), 3.4142135812, 1e-9);  // n beyond the samples
        for (int n : {0, -4, 8}) {
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Spectrix::FastFFTTranform"));
            QVERIFY(spectrix.FastFFTTranform(QVector<double>(5, 1.0), n, 8).isEmpty());
        }
        const QVector<double> x{1, kNaN, kInf, 1};
        QVERIFY(std::isnan(spectrix.WndFunc(x, 1, 4)[1]));
        QCOMPARE(spectrix.FastFFTTranform(x, 4, 4).size(), 2);
        for (double bad : {0.0, kNaN, kInf})  // the line coherency gives 0 in place of NaN or infinity
            QCOMPARE(spectrix.Calc_Coherency2(OneFreqSpectrum{4, bad, 1}, OneFreqSpectrum{4, 2, 1}), 0.0);
    }

    // S0 = |E|^2, S3 = |H|^2, S1 = E conj(H), S2 = conj(S1); one pair of lines is coherent.
    void crossPowers()
    {
        QVector<OneFreqSpectrum> e, h;
        for (int i = 0; i < 50; ++i) {
            e << OneFreqSpectrum{0.5 * (i + 1), 1 + std::fmod(i * 0.37, 9), std::remainder(i * 1.9, 2 * M_PI)};
            h << OneFreqSpectrum{0.5 * (i + 1), 1 + std::fmod(i * 0.71, 9), std::remainder(i * 2.3, 2 * M_PI)};
        }
        Spectrix spectrix;
        Records records = spectrix.ComputeCrossPower(e.toList(), h.toList());
        QCOMPARE(records.size(), e.size());
        for (int i = 0; i < records.size(); ++i) {
            const Matrix &s = records[i].crossPower;
            const double ae = e[i].amplitude, ah = h[i].amplitude, dphi = e[i].phase - h[i].phase;
            QCOMPARE(records[i].freq, e[i].freq);
            QNEAR(s[0], cx(ae * ae), 1e-12);
            QNEAR(s[3], cx(ah * ah), 1e-12);
            QNEAR(s[1], cx(ae * ah * std::cos(dphi), ae * ah * std::sin(dphi)), 1e-12);
            QNEAR(s[2], cx(GSL_REAL(s[1]), -GSL_IMAG(s[1])), 0.0);
            QNEAR(spectrix.Calc_Coherency2(e[i], h[i]), 1.0, 1e-12);
        }
        QVERIFY(spectrix.ComputeCrossPower(e.mid(1), h).isEmpty());
        e[1].freq = 1.0000000001;
        QTest::ignoreMessage(QtDebugMsg, "频率大小不一致!");
        records = spectrix.ComputeCrossPower(e, h);
        QVERIFY(records[1].crossPower.isEmpty() && records[2].crossPower.size() == 4);
    }

    void bandAverage_data()  // around f0 = 10 Hz with the relative half-width b
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<double>("b");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<double>("tol");
        const OneFreqCrossPower atF0 = record(10, kS);
        const Matrix infs(4, cx(kInf));
        const double w = 1 + kHalfWeight;
        QTest::newRow("lines at hw outside") << Records{record(5, infs), atF0, record(15, infs)} << 0.5 << kS << 0.0;
        const Matrix weighed{cx(2 / w), cx(0.5 / w, -1.5 / w), cx(0.5 / w, 1.5 / w), cx(3 / w)};
        QTest::newRow("line at hw/2") << Records{atF0, record(12, Matrix(4, cx(0)))} << 0.4 << weighed << 1e-7;
        QTest::newRow("mismatch records skipped") << Records{record(10, {}), record(10.5, kS)} << 0.3 << kS << 1e-14;
        QTest::newRow("empty band") << Records{record(1, kS), record(15, kS)} << 0.5 << kNaNs << 0.0;
        QTest::newRow("NaN matrix") << Records{atF0, record(10.1, kNaNs)} << 0.3 << kNaNs << 0.0;
        QTest::newRow("NaN frequency outside") << Records{atF0, record(kNaN, infs)} << 0.3 << kS << 0.0;
    }

    void bandAverage()
    {
        QFETCH(Records, records);
        QFETCH(double, b);
        QFETCH(Matrix, expected);
        QFETCH(double, tol);
        const OneFreqCrossPower average = Spectrix().OneFreqBendParzen(10, records, b);
        QCOMPARE(average.crossPower.size(), 4);
        for (int k = 0; k < 4; ++k)
            QNEAR(average.crossPower[k], expected[k], tol);
        QVERIFY(std::isnan(GSL_REAL(Spectrix().OneFreqBendParzen(kNaN, records, b).crossPower[0])));
    }

    // The value form: the same kernel, values paired with frequencies up to the shorter list.
    void valueBandAverage()
    {
        const double w = 1 + kHalfWeight;
        const Matrix values{cx(1, 2), cx(0), cx(9), cx(1e9)};
        QNEAR(Spectrix().OneFreqBendParzen(50, values, {50, 52.5, 60}, 0.1), cx(1 / w, 2 / w), 1e-7);
        QNEAR(Spectrix().OneFreqBendParzen(kNaN, {cx(1)}, {50}, 0.1), cx(kNaN, kNaN), 0.0);
    }

    void impedance_data()
    {
        QTest::addColumn<ImpedanceCase>("c");
        using C = ImpedanceCase;
        // S0 = 4, S3 = 1 (rho 0.8 at 1 Hz), |S1| = 2 (coherency 1) at 30, -60 and 120 degrees.
        const double r3 = std::sqrt(3.0), low = 23.025, b0 = 90 / low - 1;  // a folded 0 counts as 1.05
        QTest::newRow("raw 30 -> 37.5") << C{{cx(4), cx(r3, 1), cx(r3, -1), cx(1)}, 1, 0.8, 1, 37.5, 1.4 * 0.8};
        QTest::newRow("raw -60 -> 56.25") << C{{cx(4), cx(1, -r3), cx(1, r3), cx(1)}, 1, 0.8, 1, 56.25, 0.6 * 0.8};
        QTest::newRow("raw 120 folds to 60") << C{{cx(4), cx(-1, r3), cx(-1, -r3), cx(1)}, 1, 0.8, 1, 56.25, 0.48};
        QTest::newRow("10 Hz") << C{{cx(250), cx(30), cx(30), cx(5)}, 10, 1, std::sqrt(0.72), low, b0};
        QTest::newRow("raw 0, coherency 0.3") << C{{cx(1), cx(0.3), cx(0.3), cx(1)}, 1, 0.2, 0.3, low, 0.2 * b0};
        QTest::newRow("rho 0, coherency 0.25") << C{{cx(0, 1), cx(0.25), cx(0.25), cx(1)}, 2, 0, 0.25, low, 0};
        // A non-finite coherency falls back to 0.01, 45 degrees and 1 ohm-m with two debug lines.
        QTest::newRow("all NaN") << C{kNaNs, 4, 1, 0.01, 45, 1, "4 nan or inf"};
        QTest::newRow("no H power") << C{{cx(4), cx(0), cx(0), cx(0)}, 2.5e-4, 1, 0.01, 45, 1, "0.00025 nan or inf"};
        QTest::newRow("no E power") << C{{cx(0), cx(1), cx(1), cx(1)}, 1000, 1, 0.01, 45, 1, "1000 nan or inf"};
        QTest::newRow("mismatch record") << C{{}, 0.1234567, 1, 0.01, 45, 1, "0.123457 nan or inf"};
    }

    // The coherency operations agree: the same value (not finite on a fallback), a pass from 0.3 up.
    void impedance()
    {
        QFETCH(ImpedanceCase, c);
        const double coherency = Spectrix().Calc_Coherency2(record(c.f, c.s));
        QVERIFY(c.fallbackLine.isEmpty() ? near(coherency, c.coherency, 1e-15) : !std::isfinite(coherency));
        QCOMPARE(Spectrix().Calc_Coherency(record(c.f, c.s)), c.coherency >= 0.3);
        if (!c.fallbackLine.isEmpty()) {
            QTest::ignoreMessage(QtDebugMsg, qPrintable(c.fallbackLine));
            QTest::ignoreMessage(QtDebugMsg, "45 1 nan or inf ");
        }
        const OneFreqImpedance z = Spectrix().ComputeOneFreqImpeDance(record(c.f, c.s), 0);
        QNEAR(z.rho, c.rho, 1e-12);
        QNEAR(z.coherency, c.coherency, 1e-12);
        QNEAR(z.phase, c.phase, 1e-5);  // the eight-digit pi moves phases by up to about 1e-5 degrees
        QNEAR(z.bostickRho, c.bostickRho, 1e-6);
    }
};

QTEST_GUILESS_MAIN(TestSpectrix)
#include "tst_Spectrix.moc"
