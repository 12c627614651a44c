// Spectrix against values it did not produce: hand values of the tapers, analytic signals and a slow
// direct DFT for the spectrum, matrix invariants and hand-computed kernel weights for the cross powers,
// hand-computed resistivities and phases for the impedance.

#include "Spectrix.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();
// Weight of a line at half the half-width: (sin(pi/2) / (pi/2))^4.
const double kHalfWeight = 16 / std::pow(M_PI, 4);

gsl_complex cx(double re, double im = 0) { return gsl_complex{{re, im}}; }
using Matrix = QVector<gsl_complex>;
using Records = QVector<OneFreqCrossPower>;
const Matrix kS{cx(2), cx(0.5, -1.5), cx(0.5, 1.5), cx(3)};
const Matrix kOnes(4, cx(1));
const Matrix kNaNs(4, cx(kNaN, kNaN));

OneFreqCrossPower record(double freq, const Matrix &s) { return OneFreqCrossPower{freq, s}; }

// Within tol, or both NaN, or the same infinity.
bool near(double actual, double expected, double tol)
{
    if (std::isnan(actual) || std::isnan(expected))
        return std::isnan(actual) && std::isnan(expected);
    return actual == expected || std::fabs(actual - expected) <= tol;
}
bool near(gsl_complex a, gsl_complex e, double tol)
{
    return near(GSL_REAL(a), GSL_REAL(e), tol) && near(GSL_IMAG(a), GSL_IMAG(e), tol);
}
QString text(double v) { return QString::number(v, 'g', 17); }
QString text(gsl_complex z) { return QString("(%1, %2)").arg(text(GSL_REAL(z)), text(GSL_IMAG(z))); }

#define QNEAR(actual, expected, tol)                                                                    \
    QVERIFY2(near((actual), (expected), (tol)),                                                         \
             qPrintable(QString("%1: actual %2, expected %3").arg(#actual, text(actual), text(expected))))

double lineAmplitude(double a, int n, double fs) { return a * n / 2 * std::sqrt(2 / (n * fs)); }

QVector<double> tone(int n, double fs, double freq, double a, double phase)
{
    QVector<double> x(n);
    for (int j = 0; j < n; ++j)
        x[j] = a * std::cos(2 * M_PI * freq * j / fs + phase);
    return x;
}

QVector<double> randomSamples(int n)
{
    QRandomGenerator random(static_cast<quint32>(n));
    QVector<double> x(n);
    for (double &v : x)
        v = random.generateDouble() * 2 - 1;
    return x;
}

QVector<OneFreqSpectrum> randomSpectrum(int size, quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<OneFreqSpectrum> spectrum(size);
    for (int i = 0; i < size; ++i)
        spectrum[i] = {0.5 * (i + 1), random.bounded(10.0), random.bounded(2 * M_PI) - M_PI};
    return spectrum;
}

QVector<OneFreqCrossPower> crossPowers(bool listForm, const QVector<OneFreqSpectrum> &e, const QVector<OneFreqSpectrum> &h)
{
    return listForm ? Spectrix().ComputeCrossPower(e.toList(), h.toList()) : Spectrix().ComputeCrossPower(e, h);
}

// S0 = 4, S3 = 1 (rho 0.8 at 1 Hz) and |S1| = 2 (coherency 1) at the given angle.
Matrix coherentAt(double degrees)
{
    const double a = degrees * M_PI / 180;
    return {cx(4), cx(2 * std::cos(a), 2 * std::sin(a)), cx(2 * std::cos(a), -2 * std::sin(a)), cx(1)};
}

// Collects the debug lines written while it lives, exactly as written (trailing spaces included).
class MessageCapture {
public:
    MessageCapture() { previous = qInstallMessageHandler(&MessageCapture::collect); }
    ~MessageCapture() { qInstallMessageHandler(previous); }
    static QStringList lines;

private:
    static void collect(QtMsgType, const QMessageLogContext &, const QString &line) { lines.append(line); }
    QtMessageHandler previous;
};
QStringList MessageCapture::lines;

} // namespace

class ImpedanceSender : public QObject {
    Q_OBJECT
signals:
    void ExHyImpedanceChanged(QVector<OneFreqImpedance> curve);
public slots:
    void take(QVector<OneFreqImpedance> curve) { received.append(curve); }
public:
    QList<QVector<OneFreqImpedance>> received;
};

class TestSpectrix : public QObject {
    Q_OBJECT
private slots:
    void window_data()
    {
        QTest::addColumn<QVector<double>>("samples");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("n");
        QTest::addColumn<QVector<double>>("expected");
        QTest::addColumn<double>("tol");
        const QVector<double> mixed{1.5, -2, 3, 0.25}, ones{1, 1, 1, 1};
        for (int type : {0, 5, -1})
            QTest::addRow("type %d unchanged", type) << mixed << type << 4 << mixed << 0.0;
        // The eight-digit pi shows: cos(pi/2) is 2.68e-8 here, not 0.
        QTest::newRow("type 1") << ones << 1 << 4 << QVector<double>{1, 0.8535533953, 0.5000000134, 0.1464466236} << 1e-10;
        QTest::newRow("type 2") << ones << 2 << 4 << QVector<double>{0, 1 / 1.08, 1 / 0.54, 1 / 1.08} << 5e-7;
        QTest::newRow("type 3") << ones << 3 << 4 << QVector<double>{0, 1 / 0.84, 1 / 0.42, 1 / 0.84} << 5e-7;
        QTest::newRow("type 4") << ones << 4 << 4 << QVector<double>{1, 0.75, 0.5, 0.75} << 5e-7;
        QTest::newRow("beyond n passes through") << QVector<double>{2, 2, 2, 2, 2, -7} << 1 << 4
                                                 << QVector<double>{2, 1.7071067906, 1.0000000268, 0.2928932472, 2, -7} << 1e-9;
        QTest::newRow("n beyond samples") << QVector<double>{4, 4} << 1 << 4 << QVector<double>{4, 3.4142135812} << 1e-9;
        QTest::newRow("n 0") << mixed << 1 << 0 << mixed << 0.0;
        QTest::newRow("n negative") << mixed << 1 << -3 << mixed << 0.0;
    }

    void window()
    {
        QFETCH(QVector<double>, samples);
        QFETCH(int, type);
        QFETCH(int, n);
        QFETCH(QVector<double>, expected);
        QFETCH(double, tol);
        const QVector<double> w = Spectrix().WndFunc(samples, type, n);
        QCOMPARE(w.size(), expected.size());
        for (int i = 0; i < w.size(); ++i)
            QNEAR(w[i], expected[i], tol);
    }

    void matchesDirectDft_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("fs");
        QTest::newRow("n 8 fs 8: lines 1..4 Hz") << 8 << 8.0;
        QTest::newRow("n 7 fs 7: lines 1..3 Hz") << 7 << 7.0;
        QTest::newRow("n 1: no line") << 1 << 8.0;
        for (int n : {2, 3, 5, 6, 9, 16, 17, 31, 100, 127, 243, 256, 1000, 1009})
            QTest::addRow("n %d", n) << n << 500.0;
    }

    // Each line against a slow O(n^2) transform in long double.
    void matchesDirectDft()
    {
        QFETCH(int, n);
        QFETCH(double, fs);
        const QVector<double> x = randomSamples(n);
        const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(x, n, fs);
        QCOMPARE(spectrum.size(), n / 2);
        const double scale = std::sqrt(2 / (n * fs));
        for (int k = 1; k <= n / 2; ++k) {
            long double re = 0, im = 0;
            for (int j = 0; j < n; ++j) {
                const long double angle = -2 * 3.14159265358979323846264338327950288L * j * k / n;
                re += x[j] * std::cos(angle);
                im += x[j] * std::sin(angle);
            }
            const OneFreqSpectrum &line = spectrum[k - 1];
            QNEAR(line.freq, k * fs / n, 1e-12);
            const gsl_complex expected = cx(static_cast<double>(re) * scale, static_cast<double>(im) * scale);
            QNEAR(cx(line.amplitude * std::cos(line.phase), line.amplitude * std::sin(line.phase)), expected, 1e-12 * n * scale);
        }
    }

    void tonesPeakAtTheirLines_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("fs");
        QTest::addColumn<int>("cosineLine");
        QTest::addColumn<int>("sineLine");
        QTest::newRow("n 8") << 8 << 8.0 << 1 << 3;
        QTest::newRow("n 15, up to the last line") << 15 << 2.0 << 7 << 2;
        QTest::newRow("n 63") << 63 << 24000.0 << 10 << 31;
        QTest::newRow("n 4096") << 4096 << 2048.0 << 247 << 1400;
    }

    // A cosine of amplitude 3 and a sine of amplitude 0.5, each exactly on a line: peaks of amplitude
    // times n/2 times the density scale, phases 0 and -pi/2, nothing elsewhere.
    void tonesPeakAtTheirLines()
    {
        QFETCH(int, n);
        QFETCH(double, fs);
        QFETCH(int, cosineLine);
        QFETCH(int, sineLine);
        QVector<double> x = tone(n, fs, cosineLine * fs / n, 3, 0);
        const QVector<double> sine = tone(n, fs, sineLine * fs / n, 0.5, -M_PI / 2);
        for (int j = 0; j < n; ++j)
            x[j] += sine[j];
        const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(x, n, fs);
        const double tol = 1e-12 * lineAmplitude(3, n, fs);
        for (int k = 1; k <= n / 2; ++k)
            QNEAR(spectrum[k - 1].amplitude, lineAmplitude(k == cosineLine ? 3 : k == sineLine ? 0.5 : 0, n, fs), tol);
        QNEAR(spectrum[cosineLine - 1].phase, 0.0, 1e-11);
        QNEAR(spectrum[sineLine - 1].phase, -M_PI / 2, 1e-11);
    }

    void flatInputHasNoLines_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("n");
        QTest::newRow("constant, even n") << 3.7 << 16;
        QTest::newRow("constant, odd n") << -250.0 << 33;
        QTest::newRow("zeros, even n") << 0.0 << 8;
        QTest::newRow("zeros, odd n") << 0.0 << 9;
    }

    void flatInputHasNoLines()
    {
        QFETCH(double, value);
        QFETCH(int, n);
        const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(QVector<double>(n, value), n, 10);
        QCOMPARE(spectrum.size(), n / 2);
        for (const OneFreqSpectrum &line : spectrum) {
            QNEAR(line.amplitude, 0.0, 1e-13 * std::fabs(value) * n);
            if (value == 0)
                QCOMPARE(line.phase, 0.0);
        }
    }

    void unsafeLengthsAndNaNs()
    {
        Spectrix spectrix;
        const QRegularExpression message("^Spectrix::FastFFTTranform");
        for (int n : {0, -4, 8}) {
            QTest::ignoreMessage(QtDebugMsg, message);
            QVERIFY(spectrix.FastFFTTranform(QVector<double>(5, 1.0), n, 8).isEmpty());
        }
        QVector<double> x = tone(16, 16, 3, 2, 0);
        x << 1e6 << -1e6;  // samples beyond n are not read
        QNEAR(spectrix.FastFFTTranform(x, 16, 16)[2].amplitude, lineAmplitude(2, 16, 16), 1e-12);
        x[5] = kNaN;
        x[6] = kInf;
        QVERIFY(std::isnan(spectrix.WndFunc(x, 1, 16)[5]));
        QCOMPARE(spectrix.FastFFTTranform(x, 16, 16).size(), 8);
    }

    void crossPowerIsHermitian_data()
    {
        QTest::addColumn<bool>("listForm");
        QTest::newRow("list") << true;
        QTest::newRow("vector") << false;
    }

    void crossPowerIsHermitian()
    {
        QFETCH(bool, listForm);
        const QVector<OneFreqSpectrum> e = randomSpectrum(50, 1), h = randomSpectrum(50, 2);
        const QVector<OneFreqCrossPower> records = crossPowers(listForm, e, h);
        QCOMPARE(records.size(), e.size());
        for (int i = 0; i < records.size(); ++i) {
            const Matrix &s = records[i].crossPower;
            const double ae = e[i].amplitude, ah = h[i].amplitude, dphi = e[i].phase - h[i].phase, tol = 1e-12;
            QCOMPARE(records[i].freq, e[i].freq);
            QNEAR(s[0], cx(ae * ae), tol);
            QNEAR(s[3], cx(ah * ah), tol);
            QNEAR(s[1], cx(ae * ah * std::cos(dphi), ae * ah * std::sin(dphi)), tol);
            QNEAR(s[2], cx(GSL_REAL(s[1]), -GSL_IMAG(s[1])), 0.0);
        }
        for (const OneFreqCrossPower &same : crossPowers(listForm, e, e)) {
            for (int k = 1; k < 4; ++k)
                QNEAR(same.crossPower[k], same.crossPower[0], 1e-12);
            QNEAR(Spectrix().Calc_Coherency2(same), 1.0, 1e-12);
        }
    }

    void crossPowerMismatches()
    {
        QVERIFY(crossPowers(true, randomSpectrum(10, 4), randomSpectrum(11, 5)).isEmpty());
        QVERIFY(crossPowers(false, randomSpectrum(11, 4), randomSpectrum(10, 5)).isEmpty());
        QVector<OneFreqSpectrum> e = randomSpectrum(5, 6), h = randomSpectrum(5, 7);
        e[1].freq = 1.0000000001;
        e[3].freq = h[3].freq = kNaN;
        QTest::ignoreMessage(QtDebugMsg, "频率大小不一致!");
        QTest::ignoreMessage(QtDebugMsg, "频率大小不一致!");
        const QVector<OneFreqCrossPower> records = Spectrix().ComputeCrossPower(e, h);
        QCOMPARE(records.size(), 5);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(records[i].crossPower.size(), i == 1 || i == 3 ? 0 : 4);
    }

    void bandAverage_data()
    {
        QTest::addColumn<Records>("records");
        QTest::addColumn<double>("b");
        QTest::addColumn<Matrix>("expected");
        QTest::addColumn<double>("tol");
        const OneFreqCrossPower atF0 = record(10, kS);  // every row averages around f0 = 10 Hz
        const double w = 1 + kHalfWeight;
        QTest::newRow("only the line at f0: weight 1") << Records{record(8, kOnes), atF0, record(12, kOnes)} << 0.1 << kS << 0.0;
        QTest::newRow("lines at exactly hw are outside")
            << Records{record(5, Matrix(4, cx(kInf))), atF0, record(15, Matrix(4, cx(kInf)))} << 0.5 << kS << 0.0;
        QTest::newRow("line at hw/2 weighs 16/pi^4")
            << Records{atF0, record(12, Matrix(4, cx(0)))} << 0.4
            << Matrix{cx(2 / w), cx(0.5 / w, -1.5 / w), cx(0.5 / w, 1.5 / w), cx(3 / w)} << 1e-7;
        // (sin(0.999 pi) / (0.999 pi))^4 = 1.004e-12: selected, with a weight close to 0.
        QTest::newRow("line at 0.999 hw")
            << Records{record(10, kOnes), record(14.995, Matrix(4, cx(1e12)))} << 0.5 << Matrix(4, cx(2.00407)) << 1e-4;
        QTest::newRow("equal matrices stay")
            << Records{record(9, kS), record(9.7, kS), atF0, record(11.5, kS)} << 0.2 << kS << 1e-14;
        QTest::newRow("mismatch records skipped") << Records{record(10, {}), record(10.5, kS)} << 0.3 << kS << 1e-14;
        QTest::newRow("empty band") << Records{record(1, kS), record(15, kS)} << 0.5 << kNaNs << 0.0;
        QTest::newRow("zero width") << Records{atF0} << 0.0 << kNaNs << 0.0;
        QTest::newRow("no records") << Records{} << 0.3 << kNaNs << 0.0;
        QTest::newRow("NaN matrix") << Records{atF0, record(10.1, kNaNs)} << 0.3 << kNaNs << 0.0;
        QTest::newRow("NaN frequency outside") << Records{atF0, record(kNaN, kOnes)} << 0.3 << kS << 0.0;
    }

    void bandAverage()
    {
        QFETCH(Records, records);
        QFETCH(double, b);
        QFETCH(Matrix, expected);
        QFETCH(double, tol);
        const OneFreqCrossPower average = Spectrix().OneFreqBendParzen(10, records, b);
        QCOMPARE(average.freq, 10.0);
        QCOMPARE(average.crossPower.size(), 4);
        for (int k = 0; k < 4; ++k)
            QNEAR(average.crossPower[k], expected[k], tol);
    }

    void valueBandAverage_data()
    {
        QTest::addColumn<Matrix>("values");
        QTest::addColumn<QVector<double>>("freqs");
        QTest::addColumn<double>("f0");
        QTest::addColumn<gsl_complex>("expected");
        const double w = 1 + kHalfWeight;
        QTest::newRow("only the value at f0")
            << Matrix{cx(9), cx(1, -2), cx(9)} << QVector<double>{40, 50, 60} << 50.0 << cx(1, -2);
        QTest::newRow("value at hw/2") << Matrix{cx(1, 2), cx(0)} << QVector<double>{50, 52.5} << 50.0 << cx(1 / w, 2 / w);
        QTest::newRow("values at the edges") << Matrix{cx(1), cx(1)} << QVector<double>{45, 55} << 50.0 << cx(kNaN, kNaN);
        QTest::newRow("fewer frequencies") << Matrix{cx(3, 4), cx(1e9)} << QVector<double>{50} << 50.0 << cx(3, 4);
        QTest::newRow("NaN target") << Matrix{cx(3, 4)} << QVector<double>{50} << kNaN << cx(kNaN, kNaN);
    }

    void valueBandAverage()
    {
        QFETCH(Matrix, values);
        QFETCH(QVector<double>, freqs);
        QFETCH(double, f0);
        QFETCH(gsl_complex, expected);
        QNEAR(Spectrix().OneFreqBendParzen(f0, values, freqs, 0.1), expected, 1e-7);
    }

    void recordCoherency_data()
    {
        QTest::addColumn<OneFreqCrossPower>("r");
        QTest::addColumn<double>("coherency");
        QTest::addColumn<bool>("passes");
        QTest::newRow("exactly 0.3 passes") << record(1, {cx(1), cx(0.3), cx(0.3), cx(1)}) << 0.3 << true;
        QTest::newRow("0.2999 fails") << record(1, {cx(1), cx(0.2999), cx(0.2999), cx(1)}) << 0.2999 << false;
        QTest::newRow("complex") << record(1, {cx(4), cx(3, -4.5), cx(3, 4.5), cx(9)}) << std::sqrt(29.25 / 36) << true;
        QTest::newRow("no H power: NaN") << record(1, {cx(4), cx(0), cx(0), cx(0)}) << kNaN << false;
        QTest::newRow("no E power: infinite") << record(1, {cx(0), cx(1), cx(1), cx(1)}) << kInf << false;
        QTest::newRow("mismatch record: NaN") << record(1, {}) << kNaN << false;
    }

    void recordCoherency()
    {
        QFETCH(OneFreqCrossPower, r);
        QFETCH(double, coherency);
        QFETCH(bool, passes);
        QNEAR(Spectrix().Calc_Coherency2(r), coherency, 1e-15);
        QCOMPARE(Spectrix().Calc_Coherency(r), passes);
    }

    void lineCoherency_data()
    {
        QTest::addColumn<OneFreqSpectrum>("e");
        QTest::addColumn<OneFreqSpectrum>("h");
        QTest::addColumn<double>("coherency");
        QTest::newRow("one pair is coherent") << OneFreqSpectrum{4, 3.5, 2.9} << OneFreqSpectrum{4, 0.01, -1.2} << 1.0;
        QTest::newRow("silent E") << OneFreqSpectrum{4, 0, 1} << OneFreqSpectrum{4, 2, 1} << 0.0;
        QTest::newRow("silent H") << OneFreqSpectrum{4, 2, 1} << OneFreqSpectrum{4, 0, 1} << 0.0;
        QTest::newRow("NaN amplitude") << OneFreqSpectrum{4, kNaN, 1} << OneFreqSpectrum{4, 2, 1} << 0.0;
        QTest::newRow("infinite amplitude") << OneFreqSpectrum{4, 2, 0} << OneFreqSpectrum{4, kInf, 0} << 0.0;
    }

    void lineCoherency()
    {
        QFETCH(OneFreqSpectrum, e);
        QFETCH(OneFreqSpectrum, h);
        QFETCH(double, coherency);
        QNEAR(Spectrix().Calc_Coherency2(e, h), coherency, 1e-12);
        QCOMPARE(Spectrix().Calc_Coherency(e, h), coherency > 0);
    }

    void impedance_data()
    {
        QTest::addColumn<Matrix>("s");
        QTest::addColumn<double>("f");
        QTest::addColumn<double>("rho");
        QTest::addColumn<double>("coherency");
        QTest::addColumn<double>("phase");
        QTest::addColumn<double>("bostickRho");
        const double low = 23.025;
        QTest::newRow("[4,2,2,1] at 1 Hz: raw 0 -> 23.025")
            << Matrix{cx(4), cx(2), cx(2), cx(1)} << 1.0 << 0.8 << 1.0 << low << (90 / low - 1) * 0.8;
        QTest::newRow("E leads by 90 -> 78.75") << coherentAt(90) << 1.0 << 0.8 << 1.0 << 78.75 << 0.8 / 7;
        QTest::newRow("raw 180 folds to 0") << coherentAt(180) << 1.0 << 0.8 << 1.0 << low << (90 / low - 1) * 0.8;
        QTest::newRow("raw 45 stays") << coherentAt(45) << 1.0 << 0.8 << 1.0 << 45.0 << 0.8;
        QTest::newRow("raw 30 -> 37.5") << coherentAt(30) << 1.0 << 0.8 << 1.0 << 37.5 << 1.4 * 0.8;
        QTest::newRow("raw -60 -> 56.25") << coherentAt(-60) << 1.0 << 0.8 << 1.0 << 56.25 << 0.6 * 0.8;
        QTest::newRow("raw 120 folds to 60") << coherentAt(120) << 1.0 << 0.8 << 1.0 << 56.25 << 0.6 * 0.8;
        QTest::newRow("10 Hz, coherency 0.85")
            << Matrix{cx(250), cx(30), cx(30), cx(5)} << 10.0 << 1.0 << std::sqrt(0.72) << low << 90 / low - 1;
        QTest::newRow("rho 0: no Bostick") << Matrix{cx(0, 1), cx(0.5), cx(0.5), cx(1)} << 2.0 << 0.0 << 0.5 << low << 0.0;
    }

    void impedance()
    {
        QFETCH(Matrix, s);
        QFETCH(double, f);
        QFETCH(double, rho);
        QFETCH(double, coherency);
        QFETCH(double, phase);
        QFETCH(double, bostickRho);
        const OneFreqImpedance z = Spectrix().ComputeOneFreqImpeDance(record(f, s), 0);
        QCOMPARE(z.freq, f);
        QNEAR(z.rho, rho, 1e-12);
        QNEAR(z.coherency, coherency, 1e-12);
        QNEAR(z.phase, phase, 1e-5);  // the eight-digit pi moves phases by up to about 1e-5 degrees
        QNEAR(z.bostickRho, bostickRho, 1e-6);
        QNEAR(z.bostickDepth, 356 * std::sqrt(rho / f), 1e-9);
    }

    void fallback_data()
    {
        QTest::addColumn<Matrix>("s");
        QTest::addColumn<double>("f");
        QTest::addColumn<QString>("frequencyLine");
        QTest::newRow("all NaN") << kNaNs << 4.0 << "4 nan or inf";
        QTest::newRow("no H power") << Matrix{cx(4), cx(0), cx(0), cx(0)} << 0.123456789 << "0.123457 nan or inf";
        QTest::newRow("no E power") << Matrix{cx(0), cx(0), cx(0), cx(1)} << 1000.0 << "1000 nan or inf";
        QTest::newRow("infinite entries") << Matrix(4, cx(kInf, kInf)) << 2.0 << "2 nan or inf";
        QTest::newRow("mismatch record") << Matrix{} << 2.5e-4 << "0.00025 nan or inf";
    }

    void fallback()
    {
        QFETCH(Matrix, s);
        QFETCH(double, f);
        QFETCH(QString, frequencyLine);
        MessageCapture::lines.clear();
        OneFreqImpedance z;
        {
            MessageCapture capture;
            z = Spectrix().ComputeOneFreqImpeDance(record(f, s), 0);
        }
        QCOMPARE(MessageCapture::lines, QStringList({frequencyLine, "45 1 nan or inf "}));
        QCOMPARE(z.coherency, 0.01);
        QCOMPARE(z.phase, 45.0);
        QCOMPARE(z.rho, 1.0);
        QNEAR(z.bostickRho, 1.0, 1e-15);
        QNEAR(z.bostickDepth, 356 / std::sqrt(f), 1e-9);
    }

    void tagIsWidenedFloat()
    {
        QCOMPARE(Spectrix().ComputeOneFreqImpeDance(record(1, kS), 0.1f).tag, 0.100000001490116119384765625);
    }

    void curveTravelsThroughQueuedSignal()
    {
        registerSpectralMetaTypes();
        QCOMPARE(QMetaType::type("QVector<OneFreqImpedance>"), qMetaTypeId<QVector<OneFreqImpedance>>());
        ImpedanceSender sender;
        QVERIFY(connect(&sender, SIGNAL(ExHyImpedanceChanged(QVector<OneFreqImpedance>)), &sender,
                        SLOT(take(QVector<OneFreqImpedance>)), Qt::QueuedConnection));
        const QVector<OneFreqImpedance> curve{{0.25, 1, 0.9, 100, 45, 100, 3560}, {0, 10, kNaN, 1, 45, 1, 112.5},
                                              {-1, 1e4, 0.01, kInf, 78.75, 0, 0}};
        emit sender.ExHyImpedanceChanged(curve);
        QVERIFY(sender.received.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(sender.received.size(), 1);
        QCOMPARE(sender.received[0].size(), curve.size());
        // Byte for byte, NaN included: curves are stored as runs of raw 56-byte records.
        QVERIFY(std::memcmp(sender.received[0].constData(), curve.constData(), sizeof(OneFreqImpedance) * curve.size()) == 0);
    }
};

QTEST_GUILESS_MAIN(TestSpectrix)
#include "tst_Spectrix.moc"
