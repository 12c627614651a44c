// Window tapers and the one-sided amplitude-density spectrum, checked against hand values,
// analytic signals and a slow direct DFT.

#include "SpectrixTestSupport.h"
#include "Spectrix.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QtTest>

#include <cmath>

using namespace SpectrixTest;

namespace {

// Expected amplitude of a cosine of amplitude a sitting exactly on a line: |X_k| = a n / 2.
double lineAmplitude(double a, int n, double fs)
{
    return a * n / 2 * std::sqrt(2 / (n * fs));
}

QVector<double> tone(int n, double fs, double freq, double amplitude, double phase)
{
    QVector<double> x(n);
    for (int j = 0; j < n; ++j)
        x[j] = amplitude * std::cos(2 * M_PI * freq * j / fs + phase);
    return x;
}

QVector<double> randomSamples(int n, quint32 seed)
{
    QRandomGenerator random(seed);
    QVector<double> x(n);
    for (double &v : x)
        v = random.generateDouble() * 2 - 1;
    return x;
}

} // namespace

class TestWindowFft : public QObject {
    Q_OBJECT
private slots:
    void window_data();
    void window();
    void lineFrequencies_data();
    void lineFrequencies();
    void cosineOnLine_data();
    void cosineOnLine();
    void sumOfSinesPeaksOnlyAtTheirLines();
    void flatInput_data();
    void flatInput();
    void matchesDirectDft_data();
    void matchesDirectDft();
    void shortInputGivesEmptySpectrum();
    void extraSamplesBeyondLengthAreIgnored();
    void nanSamplesDoNotCrash();
};

void TestWindowFft::window_data()
{
    QTest::addColumn<QVector<double>>("samples");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("n");
    QTest::addColumn<QVector<double>>("expected");
    QTest::addColumn<double>("tol");

    const QVector<double> mixed{1.5, -2, 3, 0.25};
    const QVector<double> ones{1, 1, 1, 1};
    QTest::newRow("type 0 unchanged") << mixed << 0 << 4 << mixed << 0.0;
    QTest::newRow("type 5 unchanged") << mixed << 5 << 4 << mixed << 0.0;
    QTest::newRow("type -1 unchanged") << mixed << -1 << 4 << mixed << 0.0;
    // Values carry the eight-digit pi: cos(pi/2) is 2.68e-8, not 0.
    QTest::newRow("type 1 half cosine")
        << ones << 1 << 4 << QVector<double>{1, 0.8535533953, 0.5000000134, 0.1464466236} << 1e-10;
    QTest::newRow("type 2 gain 1/0.54")
        << ones << 2 << 4 << QVector<double>{0, 1 / 1.08, 1 / 0.54, 1 / 1.08} << 5e-7;
    QTest::newRow("type 3 gain 1/0.42")
        << ones << 3 << 4 << QVector<double>{0, 1 / 0.84, 1 / 0.42, 1 / 0.84} << 5e-7;
    QTest::newRow("type 4 half of one plus cos squared")
        << ones << 4 << 4 << QVector<double>{1, 0.75, 0.5, 0.75} << 5e-7;
    QTest::newRow("positions beyond n pass through")
        << QVector<double>{2, 2, 2, 2, 2, -7} << 1 << 4
        << QVector<double>{2, 1.7071067906, 1.0000000268, 0.2928932472, 2, -7} << 1e-9;
    QTest::newRow("window longer than samples")
        << QVector<double>{4, 4} << 1 << 4 << QVector<double>{4, 3.4142135812} << 1e-9;
    QTest::newRow("n zero passes through") << mixed << 1 << 0 << mixed << 0.0;
    QTest::newRow("n negative passes through") << mixed << 1 << -3 << mixed << 0.0;
    QTest::newRow("empty samples") << QVector<double>{} << 1 << 4 << QVector<double>{} << 0.0;
}

void TestWindowFft::window()
{
    QFETCH(QVector<double>, samples);
    QFETCH(int, type);
    QFETCH(int, n);
    QFETCH(QVector<double>, expected);
    QFETCH(double, tol);

    const QVector<double> tapered = Spectrix().WndFunc(samples, type, n);
    QCOMPARE(tapered.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(near(tapered[i], expected[i], tol), qPrintable(mismatch(QString("w[%1]").arg(i), tapered[i], expected[i])));
}

void TestWindowFft::lineFrequencies_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("fs");
    QTest::addColumn<QVector<double>>("expected");

    QTest::newRow("n 8 fs 8") << 8 << 8.0 << QVector<double>{1, 2, 3, 4};
    QTest::newRow("n 7 fs 7") << 7 << 7.0 << QVector<double>{1, 2, 3};
    QTest::newRow("n 7 fs 14") << 7 << 14.0 << QVector<double>{2, 4, 6};
    QTest::newRow("n 2 keeps Nyquist") << 2 << 100.0 << QVector<double>{50};
    QTest::newRow("n 1 no line") << 1 << 8.0 << QVector<double>{};
    QTest::newRow("n 0 no line") << 0 << 8.0 << QVector<double>{};
    QTest::newRow("n negative no line") << -4 << 8.0 << QVector<double>{};
}

void TestWindowFft::lineFrequencies()
{
    QFETCH(int, n);
    QFETCH(double, fs);
    QFETCH(QVector<double>, expected);

    if (n < 1)
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Spectrix::FastFFTTranform"));
    const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(randomSamples(std::max(n, 0), 7), n, fs);
    QCOMPARE(spectrum.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(near(spectrum[i].freq, expected[i], 1e-12), qPrintable(mismatch("freq", spectrum[i].freq, expected[i])));
}

void TestWindowFft::cosineOnLine_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("fs");
    QTest::addColumn<int>("k");
    QTest::addColumn<double>("a");

    QTest::newRow("n 8 line 1") << 8 << 8.0 << 1 << 1.0;
    QTest::newRow("n 64 line 5") << 64 << 1000.0 << 5 << 2.5;
    QTest::newRow("odd n 63 line 10") << 63 << 24000.0 << 10 << 0.3;
    QTest::newRow("odd n 15 last line below Nyquist") << 15 << 2.0 << 7 << 1.0;
    QTest::newRow("n 1024 line 300") << 1024 << 1.0 << 300 << 7.0;
}

void TestWindowFft::cosineOnLine()
{
    QFETCH(int, n);
    QFETCH(double, fs);
    QFETCH(int, k);
    QFETCH(double, a);

    const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(tone(n, fs, k * fs / n, a, 0), n, fs);
    const double peak = lineAmplitude(a, n, fs);
    QCOMPARE(spectrum.size(), n / 2);
    for (int i = 0; i < spectrum.size(); ++i) {
        const bool onLine = i + 1 == k;
        const double expected = onLine ? peak : 0.0;
        QVERIFY2(near(spectrum[i].amplitude, expected, 1e-12 * peak), qPrintable(mismatch(QString("line %1").arg(i + 1), spectrum[i].amplitude, expected)));
        if (onLine)
            QVERIFY2(near(spectrum[i].phase, 0.0, 1e-12), qPrintable(mismatch("phase", spectrum[i].phase, 0)));
    }
}

void TestWindowFft::sumOfSinesPeaksOnlyAtTheirLines()
{
    const int n = 4096;
    const double fs = 2048;  // lines every 0.5 Hz
    struct Sine { double freq, amplitude; };
    const Sine sines[] = {{50, 3}, {123.5, 0.5}, {700, 1.2}};
    QVector<double> x(n, 0.0);
    for (const Sine &s : sines) {
        const QVector<double> part = tone(n, fs, s.freq, s.amplitude, -M_PI / 2);
        for (int j = 0; j < n; ++j)
            x[j] += part[j];
    }

    const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(x, n, fs);
    QCOMPARE(spectrum.size(), n / 2);
    const double floor = 1e-10 * lineAmplitude(3, n, fs);
    for (const OneFreqSpectrum &line : spectrum) {
        double expected = 0;
        for (const Sine &s : sines)
            expected = line.freq == s.freq ? lineAmplitude(s.amplitude, n, fs) : expected;
        QVERIFY2(near(line.amplitude, expected, floor), qPrintable(mismatch(QString("%1 Hz").arg(line.freq), line.amplitude, expected)));
        if (expected > 0)
            QVERIFY2(near(line.phase, -M_PI / 2, 1e-10), qPrintable(mismatch("sine phase", line.phase, -M_PI / 2)));
    }
}

void TestWindowFft::flatInput_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("n");

    QTest::newRow("constant even n") << 3.7 << 16;
    QTest::newRow("constant odd n") << -250.0 << 33;
    QTest::newRow("zeros even n") << 0.0 << 8;
    QTest::newRow("zeros odd n") << 0.0 << 9;
}

void TestWindowFft::flatInput()
{
    QFETCH(double, value);
    QFETCH(int, n);

    const double fs = 10;
    const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(QVector<double>(n, value), n, fs);
    QCOMPARE(spectrum.size(), n / 2);
    const double tol = 1e-13 * std::fabs(value) * n * std::sqrt(2 / (n * fs));
    for (const OneFreqSpectrum &line : spectrum) {
        QVERIFY2(near(line.amplitude, 0.0, tol), qPrintable(mismatch("amplitude", line.amplitude, 0)));
        if (value == 0)
            QCOMPARE(line.phase, 0.0);
    }
}

void TestWindowFft::matchesDirectDft_data()
{
    QTest::addColumn<int>("n");
    for (int n : {2, 3, 4, 5, 6, 7, 8, 9, 15, 16, 17, 31, 32, 100, 127, 128, 243, 256, 1000, 1009})
        QTest::newRow(qPrintable(QString("n %1").arg(n))) << n;
}

// Slow O(n^2) transform in long double as the reference for every line.
void TestWindowFft::matchesDirectDft()
{
    QFETCH(int, n);

    const double fs = 500;
    const QVector<double> x = randomSamples(n, static_cast<quint32>(n));
    const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(x, n, fs);
    QCOMPARE(spectrum.size(), n / 2);

    const double scale = std::sqrt(2 / (n * fs));
    const double tol = 1e-12 * n * scale;
    for (int k = 1; k <= n / 2; ++k) {
        long double re = 0, im = 0;
        for (int j = 0; j < n; ++j) {
            const long double angle = -2 * 3.14159265358979323846264338327950288L * j * k / n;
            re += x[j] * std::cos(angle);
            im += x[j] * std::sin(angle);
        }
        const OneFreqSpectrum &line = spectrum[k - 1];
        QVERIFY2(near(line.freq, k * fs / n, 1e-12), qPrintable(mismatch("freq", line.freq, k * fs / n)));
        const double expectedRe = static_cast<double>(re) * scale;
        const double expectedIm = static_cast<double>(im) * scale;
        const double actualRe = line.amplitude * std::cos(line.phase);
        const double actualIm = line.amplitude * std::sin(line.phase);
        QVERIFY2(near(actualRe, expectedRe, tol), qPrintable(mismatch(QString("Re line %1").arg(k), actualRe, expectedRe)));
        QVERIFY2(near(actualIm, expectedIm, tol), qPrintable(mismatch(QString("Im line %1").arg(k), actualIm, expectedIm)));
    }
}

void TestWindowFft::shortInputGivesEmptySpectrum()
{
    Spectrix spectrix;
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^Spectrix::FastFFTTranform"));
    QVERIFY(spectrix.FastFFTTranform(QVector<double>(5, 1.0), 8, 8).isEmpty());
}

void TestWindowFft::extraSamplesBeyondLengthAreIgnored()
{
    const int n = 16;
    const double fs = 16;
    QVector<double> x = tone(n, fs, 3, 2, 0);
    x << 1e6 << -1e6 << 42;

    const QList<OneFreqSpectrum> spectrum = Spectrix().FastFFTTranform(x, n, fs);
    QCOMPARE(spectrum.size(), n / 2);
    QVERIFY2(near(spectrum[2].amplitude, lineAmplitude(2, n, fs), 1e-12),
             qPrintable(mismatch("line 3", spectrum[2].amplitude, lineAmplitude(2, n, fs))));
    QVERIFY(near(spectrum[0].amplitude, 0.0, 1e-12));
}

void TestWindowFft::nanSamplesDoNotCrash()
{
    Spectrix spectrix;
    QVector<double> x(32, 1.0);
    x[5] = kNaN;
    x[6] = kInf;
    QVERIFY(std::isnan(spectrix.WndFunc(x, 1, 32)[5]));
    QCOMPARE(spectrix.FastFFTTranform(x, 32, 32).size(), 16);
}

int SpectrixTest::runWindowFftTests(int argc, char **argv)
{
    TestWindowFft test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestWindowFft.moc"
