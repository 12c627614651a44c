// The bulk transform with shared plans against Spectrix's described transform, and the worker
// threads that run it.

#include <QAtomicInt>
#include <QRandomGenerator>
#include <QSemaphore>
#include <QThread>
#include <QtTest>
#include <cmath>

#include "DensitySpectrum.h"
#include "FftPlanCache.h"
#include "LineArgument.h"
#include "LineRotation.h"
#include "ParallelFor.h"
#include "Spectrix.h"

class TestSharedPlans : public QObject {
    Q_OBJECT
private slots:
    void linesMatchDescribedSpectrum_data();
    void linesMatchDescribedSpectrum();
    void lineArgumentMatchesAtan2_data();
    void lineArgumentMatchesAtan2();
    void lineRotationMatchesCosSin_data();
    void lineRotationMatchesCosSin();
    void onePlanPerLength();
    void nestedRunsFinishEveryJobOnce_data();
    void nestedRunsFinishEveryJobOnce();
};

void TestSharedPlans::linesMatchDescribedSpectrum_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<double>("fs");
    QTest::newRow("even, 2^k") << 1024 << 4096.0;
    QTest::newRow("odd") << 999 << 250.0;
    QTest::newRow("two samples") << 2 << 1.0;
    QTest::newRow("24 kHz, 16384") << 16384 << 24000.0;
}

// Line k - 1 is polar(amplitude, phase) of FastFFTTranform's line k of the tapered segment,
// and the same object gives the same lines for a second, different segment.
void TestSharedPlans::linesMatchDescribedSpectrum()
{
    QFETCH(int, n);
    QFETCH(double, fs);
    QRandomGenerator random(quint32(n) + 1u);
    DensitySpectrum density(n, fs);
    QVERIFY(density.isValid());
    QCOMPARE(density.lineCount(), n / 2);
    for (int round = 0; round < 2; ++round) {
        QVector<double> samples(n);
        for (double &x : samples)
            x = 100 * (random.generateDouble() - 0.5) + 20;
        Spectrix spectrix;
        const QList<OneFreqSpectrum> expected = spectrix.FastFFTTranform(spectrix.WndFunc(samples, 1, n), n, fs);
        const std::complex<double> *lines = density.transform(samples.constData());
        double largest = 0;
        for (const OneFreqSpectrum &line : expected)
            largest = std::max(largest, line.amplitude);
        for (int k = 0; k < expected.size(); ++k) {
            const std::complex<double> z = std::polar(expected[k].amplitude, expected[k].phase);
            QVERIFY2(std::abs(lines[k] - z) <= 1e-12 * largest, qPrintable(QString("line %1").arg(k + 1)));
        }
        // As records: the described lines themselves (frequency, amplitude and phase).
        const QList<OneFreqSpectrum> records = density.spectrumLines(samples.constData());
        QCOMPARE(records.size(), expected.size());
        for (int k = 0; k < expected.size(); ++k) {
            QCOMPARE(records[k].freq, expected[k].freq);
            QVERIFY(std::fabs(records[k].amplitude - expected[k].amplitude) <= 1e-12 * largest);
            QVERIFY(std::fabs(std::remainder(records[k].phase - expected[k].phase, 2 * M_PI)) <= 1e-9);
        }
        // As columns: the records' amplitudes to the bit, their phases on the same branch.
        std::vector<double> amplitudes(size_t(n / 2)), phases(size_t(n / 2));
        density.lineColumns(samples.constData(), amplitudes.data(), phases.data());
        for (int k = 0; k < records.size(); ++k) {
            QCOMPARE(amplitudes[size_t(k)], records[k].amplitude);
            QVERIFY2(std::fabs(phases[size_t(k)] - records[k].phase) <= 1e-15 * M_PI,
                     qPrintable(QString("line %1").arg(k + 1)));
        }
    }
}

void TestSharedPlans::lineArgumentMatchesAtan2_data()
{
    QTest::addColumn<double>("re");
    QTest::addColumn<double>("im");
    const double tiny = 1e-300, huge = 1e300;
    QTest::newRow("origin") << 0.0 << 0.0;
    QTest::newRow("negative zeros") << -0.0 << -0.0;
    QTest::newRow("+re axis, -0 im") << 2.0 << -0.0;
    QTest::newRow("-re axis, +0 im") << -2.0 << 0.0;
    QTest::newRow("-re axis, -0 im") << -2.0 << -0.0;
    QTest::newRow("+im axis") << 0.0 << 3.0;
    QTest::newRow("-im axis, -0 re") << -0.0 << -3.0;
    QTest::newRow("diagonal") << 1.0 << 1.0;
    QTest::newRow("third quadrant diagonal") << -5.0 << -5.0;
    QTest::newRow("just below the 0.66 turn") << 1.0 << 0.6599999999;
    QTest::newRow("just above the 0.66 turn") << -1.0 << 0.6600000001;
    QTest::newRow("steep, second quadrant") << -1e-3 << 7.0;
    QTest::newRow("flat, fourth quadrant") << 7.0 << -1e-9;
    QTest::newRow("tiny over huge") << huge << tiny;
    QTest::newRow("huge over tiny") << -tiny << -huge;
}

// Within a few units in the last place of std::atan2, on the same branch and with its signs of
// zero; the origin gives 0 like the described spectral lines. Also over a sweep of every octant.
void TestSharedPlans::lineArgumentMatchesAtan2()
{
    QFETCH(double, re);
    QFETCH(double, im);
    const double expected = (re == 0 && im == 0) ? 0.0 : std::atan2(im, re);
    const double got = LineArgument::of(re, im);
    QVERIFY2(std::fabs(got - expected) <= 4.5e-16 * std::fabs(expected)
                 && std::signbit(got) == std::signbit(expected),
             qPrintable(QString("%1 against %2").arg(got, 0, 'g', 17).arg(expected, 0, 'g', 17)));
    QRandomGenerator random(7);
    for (int i = 0; i < 100000; ++i) {
        const double a = std::ldexp(random.generateDouble() - 0.5, int(random.bounded(40)) - 20);
        const double b = std::ldexp(random.generateDouble() - 0.5, int(random.bounded(40)) - 20);
        const double want = std::atan2(b, a);
        QVERIFY2(std::fabs(LineArgument::of(a, b) - want) <= 4.5e-16 * std::fabs(want),
                 qPrintable(QString("atan2(%1, %2)").arg(b, 0, 'g', 17).arg(a, 0, 'g', 17)));
    }
}

void TestSharedPlans::lineRotationMatchesCosSin_data()
{
    QTest::addColumn<double>("x");
    QTest::newRow("zero") << 0.0;
    QTest::newRow("negative zero") << -0.0;
    QTest::newRow("pi/4, the end of the central range") << M_PI / 4;
    QTest::newRow("next to pi/2") << 1.5707963267948966;
    QTest::newRow("next to -pi") << -3.141592653589793;
    QTest::newRow("three quarter turns") << 3 * M_PI / 2 + 1e-3;
    QTest::newRow("many turns") << 1000.0 + 0.125;
    QTest::newRow("negative, many turns") << -98765.4321;
}

// Within a few units in the last place of std::cos and std::sin (absolutely, 2.3e-16 of the
// unit circle, where a value crosses zero). Also over a sweep of phases a spectrum can have.
void TestSharedPlans::lineRotationMatchesCosSin()
{
    QFETCH(double, x);
    const auto expectClose = [](double at) {
        double c = 0, s = 0;
        LineRotation::of(at, c, s);
        return std::fabs(c - std::cos(at)) <= 2.3e-16 && std::fabs(s - std::sin(at)) <= 2.3e-16;
    };
    QVERIFY(expectClose(x));
    QRandomGenerator random(11);
    for (int i = 0; i < 100000; ++i) {
        const double at = 40 * (random.generateDouble() - 0.5);
        QVERIFY2(expectClose(at), qPrintable(QString::number(at, 'g', 17)));
    }
    double c = 0, s = 0;
    LineRotation::of(std::nan(""), c, s);
    QVERIFY(std::isnan(c) && std::isnan(s));
}

void TestSharedPlans::onePlanPerLength()
{
    QCOMPARE(FftPlanCache::plan(4096).get(), FftPlanCache::plan(4096).get());
    QVERIFY(FftPlanCache::plan(4096) != FftPlanCache::plan(2048));
    QVERIFY(!FftPlanCache::plan(0));
    QVERIFY(!DensitySpectrum(1, 100).isValid());
    QVERIFY(!DensitySpectrum(64, 0).isValid());
}

void TestSharedPlans::nestedRunsFinishEveryJobOnce_data()
{
    QTest::addColumn<int>("threads");
    QTest::newRow("one thread") << 1;
    QTest::newRow("two threads") << 2;
    QTest::newRow("eight threads") << 8;
}

// Jobs that run jobs themselves (stations on workers, channels within) neither deadlock when
// every pool thread is busy nor run a job twice or not at all; the inner runs stay on the thread
// of their job, and a started task plans for one thread.
void TestSharedPlans::nestedRunsFinishEveryJobOnce()
{
    QFETCH(int, threads);
    const int machine = ParallelFor::threadCount();
    ParallelFor::setThreadCount(threads);
    QVector<QAtomicInt> runs(12 * 7);
    QAtomicInt strayInnerJobs;
    ParallelFor::run(12, [&](int outer) {
        const Qt::HANDLE outerThread = QThread::currentThreadId();
        ParallelFor::run(7, [&](int inner) {
            runs[outer * 7 + inner].fetchAndAddRelaxed(1);
            if (QThread::currentThreadId() != outerThread)
                strayInnerJobs.fetchAndAddRelaxed(1);
        });
    });
    QSemaphore taskDone;
    int threadsInTask = 0;
    ParallelFor::startJob([&] {
        threadsInTask = ParallelFor::threadsHere();
        taskDone.release();
    });
    taskDone.acquire();
    const int threadsOutside = ParallelFor::threadsHere();
    ParallelFor::setThreadCount(machine);
    for (const QAtomicInt &count : runs)
        QCOMPARE(count.loadRelaxed(), 1);
    QCOMPARE(strayInnerJobs.loadRelaxed(), 0);
    QCOMPARE(threadsInTask, 1);
    QCOMPARE(threadsOutside, threads);
}

QTEST_GUILESS_MAIN(TestSharedPlans)
#include "tst_SharedPlans.moc"
