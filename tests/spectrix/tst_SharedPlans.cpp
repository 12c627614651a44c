// The bulk transform with shared plans against Spectrix's described transform, and the worker
// threads that run it.

#include <QAtomicInt>
#include <QRandomGenerator>
#include <QtTest>
#include <cmath>

#include "DensitySpectrum.h"
#include "FftPlanCache.h"
#include "ParallelFor.h"
#include "Spectrix.h"

class TestSharedPlans : public QObject {
    Q_OBJECT
private slots:
    void linesMatchDescribedSpectrum_data();
    void linesMatchDescribedSpectrum();
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
    }
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
// every pool thread is busy nor run a job twice or not at all.
void TestSharedPlans::nestedRunsFinishEveryJobOnce()
{
    QFETCH(int, threads);
    const int machine = ParallelFor::threadCount();
    ParallelFor::setThreadCount(threads);
    QVector<QAtomicInt> runs(12 * 7);
    ParallelFor::run(12, [&](int outer) {
        ParallelFor::run(7, [&](int inner) { runs[outer * 7 + inner].fetchAndAddRelaxed(1); });
    });
    ParallelFor::setThreadCount(machine);
    for (const QAtomicInt &count : runs)
        QCOMPARE(count.loadRelaxed(), 1);
}

QTEST_GUILESS_MAIN(TestSharedPlans)
#include "tst_SharedPlans.moc"
