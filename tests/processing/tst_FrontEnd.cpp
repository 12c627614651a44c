// The regression estimator's front end against slow references and hand-worked figures: the
// tapered transform against a direct DFT, the decimation filter's response and its independence
// of how the stream is cut, the cascade's segments, the band plan of a 40000-sample 1 Hz
// recording, and the thinning of a band's rows.

#include <QtTest>
#include <cmath>
#include <complex>
#include <random>

#include "BandCoefficients.h"
#include "DecimationCascade.h"
#include "DecimationFilter.h"
#include "RegressionBandPlan.h"
#include "SegmentTransform.h"

namespace {

using cd = std::complex<double>;
constexpr double kPi = 3.14159265358979323846;

std::vector<double> gaussianSeries(int count, unsigned seed)
{
    std::mt19937 engine(seed);
    std::normal_distribution<double> normal;
    std::vector<double> x(static_cast<size_t>(count));
    for (double &v : x)
        v = normal(engine);
    return x;
}

std::vector<double> sine(int count, double cyclesPerSample, double amplitude = 1)
{
    std::vector<double> x(static_cast<size_t>(count));
    for (int t = 0; t < count; ++t)
        x[size_t(t)] = amplitude * std::sin(2 * kPi * cyclesPerSample * t);
    return x;
}

// Direct DFT of x with its least-squares line removed and a Hann taper, line k.
cd referenceLine(const std::vector<double> &x, int k)
{
    const int n = int(x.size());
    double sx = 0, st = 0, stt = 0, sxt = 0;
    for (int t = 0; t < n; ++t) {
        sx += x[size_t(t)];
        st += t;
        stt += double(t) * t;
        sxt += t * x[size_t(t)];
    }
    const double slope = (n * sxt - st * sx) / (n * stt - st * st);
    const double offset = (sx - slope * st) / n;
    cd sum = 0.0;
    for (int t = 0; t < n; ++t) {
        const double w = 0.5 - 0.5 * std::cos(2 * kPi * t / n);
        sum += (x[size_t(t)] - offset - slope * t) * w * std::polar(1.0, -2 * kPi * k * t / n);
    }
    return sum;
}

// RMS of the steady-state output of the decimation filter for a sine at f cycles per sample.
double filteredRms(double f)
{
    const std::vector<double> x = sine(8192, f);
    std::vector<double> y;
    DecimationFilter filter;
    filter.push(x.data(), int(x.size()), y);
    double sum = 0;
    for (double v : y)
        sum += v * v;
    return std::sqrt(sum / y.size());
}

}  // namespace

class TestFrontEnd : public QObject {
    Q_OBJECT
private slots:
    void transformMatchesDirectDft_data();
    void transformMatchesDirectDft();
    void transformOfSineOnALine();
    void filterPassesLowAndStopsAliases_data();
    void filterPassesLowAndStopsAliases();
    void filterOutputDoesNotDependOnChunking();
    void cascadeCutsHalfOverlappingSegments();
    void cascadeDifferencesWhenPrewhitening();
    void prewhiteningUndoneRecoversTheLine();
    void bandPlanOfAOneHertzRecording();
    void bandPlanRefusesTooShortARecording();
    void thinningKeepsAnEvenSpread();
};

void TestFrontEnd::transformMatchesDirectDft_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("withTrend");
    for (int length : {4, 16, 128, 1000})
        for (bool trend : {false, true})
            QTest::addRow("L %d%s", length, trend ? ", offset and drift" : "") << length << trend;
}

void TestFrontEnd::transformMatchesDirectDft()
{
    QFETCH(int, length);
    QFETCH(bool, withTrend);
    std::vector<double> x = gaussianSeries(length, unsigned(length));
    if (withTrend)
        for (int t = 0; t < length; ++t)
            x[size_t(t)] += 500 + 3.0 * t;
    SegmentTransform transform(length);
    QVERIFY(transform.isValid());
    std::vector<cd> lines(size_t(length / 2 + 1));
    transform.transform(x.data(), lines.data());
    for (int k = 0; k <= length / 2; ++k) {
        const cd expected = referenceLine(x, k);
        QVERIFY2(std::abs(lines[size_t(k)] - expected) < 1e-9 * (1 + std::abs(expected)),
                 qPrintable(QString("line %1: %2 vs %3").arg(k).arg(std::abs(lines[size_t(k)])).arg(std::abs(expected))));
    }
}

// A sine of amplitude A exactly on line k: the Hann taper's coherent gain is 1/2, so |X_k| = A L / 4
// and the neighbours k +- 1 carry half of that; two lines further there is nothing. (The removed
// straight line takes a trace of the sine, hence the relative tolerance of 1e-4.)
void TestFrontEnd::transformOfSineOnALine()
{
    const int length = 256, k = 20;
    const std::vector<double> x = sine(length, double(k) / length, 3.0);
    SegmentTransform transform(length);
    std::vector<cd> lines(size_t(length / 2 + 1));
    transform.transform(x.data(), lines.data());
    QVERIFY(std::fabs(std::abs(lines[k]) / (3.0 * length / 4) - 1) < 1e-4);
    QVERIFY(std::fabs(std::abs(lines[k + 1]) / (3.0 * length / 8) - 1) < 1e-4);
    QVERIFY(std::abs(lines[k + 3]) < 1e-4 * length);
}

void TestFrontEnd::filterPassesLowAndStopsAliases_data()
{
    QTest::addColumn<double>("frequency");  // cycles per input sample
    QTest::addColumn<double>("lowest");     // RMS gain bounds (RMS of a unit sine is 1/sqrt 2)
    QTest::addColumn<double>("highest");
    const double unit = 1 / std::sqrt(2.0);
    QTest::newRow("0.01") << 0.01 << 0.999 * unit << 1.001 * unit;
    QTest::newRow("0.075, the top of the bands") << 0.075 << 0.999 * unit << 1.001 * unit;
    QTest::newRow("0.18, would alias onto 0.07") << 0.18 << 0.0 << 3e-4 * unit;
    QTest::newRow("0.3") << 0.3 << 0.0 << 3e-4 * unit;
    QTest::newRow("0.45") << 0.45 << 0.0 << 3e-4 * unit;
}

void TestFrontEnd::filterPassesLowAndStopsAliases()
{
    QFETCH(double, frequency);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    const double rms = filteredRms(frequency);
    QVERIFY2(rms >= lowest && rms <= highest, qPrintable(QString("RMS %1").arg(rms, 0, 'g', 8)));
}

void TestFrontEnd::filterOutputDoesNotDependOnChunking()
{
    const std::vector<double> x = gaussianSeries(5000, 3);
    std::vector<double> whole, cut;
    DecimationFilter a, b;
    a.push(x.data(), int(x.size()), whole);
    for (size_t start = 0, size = 1; start < x.size(); start += size, size = size * 3 % 97 + 1)
        b.push(x.data() + start, int(std::min(size, x.size() - start)), cut);
    QCOMPARE(whole.size(), size_t(DecimationFilter::outputCount(5000)));
    QCOMPARE(cut, whole);
}

void TestFrontEnd::cascadeCutsHalfOverlappingSegments()
{
    const int length = 32, levels = 3;
    const std::vector<double> a = gaussianSeries(20000, 5), b = gaussianSeries(20000, 6);
    std::vector<long long> counts(levels, 0);
    bool firstLevelExact = true;
    DecimationCascade cascade(2, levels, length, false, [&](int level, long long index, const std::vector<const double *> &c) {
        QCOMPARE(index, counts[size_t(level)]);
        ++counts[size_t(level)];
        if (level == 0)
            firstLevelExact = firstLevelExact && std::equal(c[0], c[0] + length, a.begin() + index * length / 2)
                              && std::equal(c[1], c[1] + length, b.begin() + index * length / 2);
    });
    for (int start = 0; start < 20000; start += 3000)
        cascade.push({a.data() + start, b.data() + start}, std::min(3000, 20000 - start));
    QVERIFY(firstLevelExact);
    for (int level = 0; level < levels; ++level)
        QCOMPARE(counts[size_t(level)],
                 DecimationCascade::segmentCount(DecimationCascade::levelLength(20000, level), length));
    QCOMPARE(counts[0], 1249LL);  // (20000 - 32) / 16 + 1
}

void TestFrontEnd::cascadeDifferencesWhenPrewhitening()
{
    const int length = 16;
    const std::vector<double> x = gaussianSeries(200, 9);
    std::vector<std::vector<double>> segments;
    DecimationCascade cascade(1, 1, length, true, [&](int, long long, const std::vector<const double *> &c) {
        segments.emplace_back(c[0], c[0] + length);
    });
    cascade.push({x.data()}, 7);
    cascade.push({x.data() + 7}, 193);
    QCOMPARE(segments.size(), size_t(DecimationCascade::segmentCount(199, length)));
    for (size_t s = 0; s < segments.size(); ++s)
        for (int j = 0; j < length; ++j)
            QCOMPARE(segments[s][size_t(j)], x[s * 8 + size_t(j) + 1] - x[s * 8 + size_t(j)]);
}

// A sine between two lines: after differencing and dividing the difference's response out, the
// line equals the undifferenced series' line to within a few per cent (the taper multiplies the
// difference, not the series, so their leakage differs a little; every channel shares it). A
// response of the wrong sign convention would miss by tens of per cent.
void TestFrontEnd::prewhiteningUndoneRecoversTheLine()
{
    const int length = 128, k = 9;
    const std::vector<double> x = sine(length + 1, (k + 0.3) / length, 2.0);
    std::vector<double> differenced(length);
    for (int t = 0; t < length; ++t)
        differenced[size_t(t)] = x[size_t(t) + 1] - x[size_t(t)];
    SegmentTransform transform(length);
    std::vector<cd> plain(length / 2 + 1), whitened(length / 2 + 1);
    transform.transform(x.data() + 1, plain.data());
    transform.transform(differenced.data(), whitened.data());
    const cd undone = whitened[k] / DecimationCascade::prewhiteningResponse(k, length);
    QVERIFY2(std::abs(undone - plain[k]) < 0.05 * std::abs(plain[k]),
             qPrintable(QString("%1 vs %2").arg(std::abs(undone)).arg(std::abs(plain[k]))));
}

// 40000 samples at 1 Hz, L = 128, prewhitened, bands of +-25 %: the levels hold 39999, 9984, 2480
// and 604 differenced samples, that is 623, 155, 37 and 8 segments (the fifth would hold 1). The
// deepest level's lines are 1/8192 Hz apart: 0.001 Hz takes lines 7..10 there (0.00075 ..
// 0.00125 Hz; 0.000794 Hz would start below line 5) and 0.2 Hz lines 20..32 of level 0.
void TestFrontEnd::bandPlanOfAOneHertzRecording()
{
    RegressionBandSettings settings;
    settings.fs = 1;
    settings.samples = 40000;
    const RegressionBandPlan plan(settings);
    QCOMPARE(plan.levelCount(), 4);
    QCOMPARE(plan.levelSegments(0), 623LL);
    QCOMPARE(plan.levelSegments(1), 155LL);
    QCOMPARE(plan.levelSegments(2), 37LL);
    QCOMPARE(plan.levelSegments(3), 8LL);
    QCOMPARE(plan.lowestReach(), 0.001);
    QMap<double, RegressionBand> byFrequency;
    for (const RegressionBand &band : plan.bands())
        byFrequency[band.f0] = band;
    QCOMPARE(byFrequency.firstKey(), 0.001);
    QCOMPARE(byFrequency.lastKey(), 0.398);  // the table value below fs / 2
    const RegressionBand low = byFrequency.value(0.001), high = byFrequency.value(0.2);
    QCOMPARE(QList<int>({low.level, low.firstLine, low.lastLine, low.lineStride}), QList<int>({3, 7, 10, 1}));
    QCOMPARE(QList<int>({high.level, high.firstLine, high.lastLine, high.lineStride}), QList<int>({0, 20, 32, 1}));
    for (const RegressionBand &band : plan.bands())
        QVERIFY(band.firstLine >= 5 && band.lastLine <= 63 && band.lineCount() >= 4 && band.lineCount() <= 16);
}

void TestFrontEnd::bandPlanRefusesTooShortARecording()
{
    RegressionBandSettings settings;
    settings.fs = 1;
    settings.samples = 128 + 7 * 64;  // seven segments, one short of a level
    QCOMPARE(RegressionBandPlan(settings).levelCount(), 0);
    QVERIFY(RegressionBandPlan(settings).bands().empty());
    settings.samples += 1;  // the first difference costs one sample
    QCOMPARE(RegressionBandPlan(settings).levelCount(), 1);
}

void TestFrontEnd::thinningKeepsAnEvenSpread()
{
    BandCoefficients band(1, 4);
    for (long long segment = 0; segment < 13; ++segment) {
        const cd values[2] = {cd(double(segment), 0), cd(double(segment), 1)};
        if (band.wants(segment)) {
            band.append(segment, &values[0]);
            band.append(segment, &values[1]);
        }
    }
    // Held after 13 segments with room for 4: stride 4 keeps 0, 4, 8, 12.
    QCOMPARE(band.segmentStride(), 4LL);
    QCOMPARE(band.segmentCount(), 4);
    QCOMPARE(band.rowCount(), 8);
    for (int row = 0; row < band.rowCount(); ++row) {
        QCOMPARE(band.segmentOf(row), 4LL * (row / 2));
        QCOMPARE(band.value(row, 0), cd(4.0 * (row / 2), row % 2));
    }
}

QTEST_GUILESS_MAIN(TestFrontEnd)
#include "tst_FrontEnd.moc"
