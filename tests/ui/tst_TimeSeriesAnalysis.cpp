// The analyses of the time-series view against band averages and coherencies computed here,
// independently, from the windowed DFT spectra of the same segments (a direct DFT, the Parzen
// kernel written out, cross powers averaged over segments by hand).

#include <QFile>
#include <QtTest>
#include <complex>
#include <qwt_plot_curve.h>

#include "Data_RhoworksCalc.h"
#include "QwtPlotGraph.h"
#include "TimeSeriesFixture.h"

namespace {

constexpr double kPrinted = 1e-5;  // relative error of six printed digits, with room

// Per channel, per segment, the complex lines k = 1 .. n/2.
using ChannelLines = QList<QVector<cd>>;

ChannelLines linesOf(const QList<QVector<double>> &segments)
{
    ChannelLines lines;
    for (const QVector<double> &segment : segments) {
        QVector<cd> values;
        for (const OneFreqSpectrum &line : Fixtures::referenceSpectrum(segment, TimeSeriesFixture::kRate))
            values.append(Fixtures::complexOf(line));
        lines.append(values);
    }
    return lines;
}

// The phase of a line; the Nyquist line of a real series is real, so its phase is 0 or pi exactly
// (the direct DFT leaves rounding noise in its imaginary part, whose sign would turn pi into -pi).
double phaseOf(cd z)
{
    return std::fabs(z.imag()) <= 1e-9 * std::abs(z) ? std::arg(cd(z.real(), 0.0)) : std::arg(z);
}

// Amplitudes and phases of Ey, Ex and Ex2 averaged separately, as plain numbers.
ChannelLines meanElectricLines(const ChannelLines &ex, const ChannelLines &ey, const ChannelLines &ex2)
{
    ChannelLines mean;
    for (int s = 0; s < ex.size(); ++s) {
        QVector<cd> values;
        for (int k = 0; k < ex[s].size(); ++k) {
            const double amplitude = (std::abs(ey[s][k]) + std::abs(ex[s][k]) + std::abs(ex2[s][k])) / 3.0;
            const double phase = (phaseOf(ey[s][k]) + phaseOf(ex[s][k]) + phaseOf(ex2[s][k])) / 3.0;
            values.append(std::polar(amplitude, phase));
        }
        mean.append(values);
    }
    return mean;
}

double frequencyOfLine(int k) { return (k + 1) * TimeSeriesFixture::kRate / TimeSeriesFixture::kN; }

// Parzen weight of a line at f for the band around f0 of relative half-width 0.3.
double weight(double f0, double f)
{
    const double h = f0 * 0.3;
    const double d = std::fabs(f0 - f);
    if (d >= h)
        return 0.0;
    if (d == 0.0)
        return 1.0;
    const double x = d * 3.1415926 / h;
    return std::pow(std::sin(x) / x, 4);
}

// Weighted band mean at f0 of a quantity of line k.
template <class Value> Value bandMean(double f0, const std::function<Value(int)> &valueOf)
{
    Value sum = 0.0;
    double weights = 0.0;
    for (int k = 0; k < TimeSeriesFixture::kN / 2; ++k) {
        const double w = weight(f0, frequencyOfLine(k));
        sum += w * valueOf(k);
        weights += w;
    }
    return sum / weights;
}

// Segment mean of a conj(b) at line k.
cd meanProduct(const ChannelLines &a, const ChannelLines &b, int k)
{
    cd sum = 0.0;
    for (int s = 0; s < a.size(); ++s)
        sum += a[s][k] * std::conj(b[s][k]);
    return sum / double(a.size());
}

double bandAmplitude(double f0, const ChannelLines &lines)
{
    return bandMean<double>(f0, [&lines](int k) {
        double sum = 0.0;
        for (const QVector<cd> &segment : lines)
            sum += std::abs(segment[k]);
        return sum / lines.size();
    });
}

cd bandCross(double f0, const ChannelLines &a, const ChannelLines &b)
{
    return bandMean<cd>(f0, [&](int k) { return meanProduct(a, b, k); });
}

double coherency(double f0, const ChannelLines &e, const ChannelLines &h)
{
    const cd eh = bandCross(f0, e, h);
    return std::abs(eh) / std::sqrt(std::abs(bandCross(f0, e, e)) * std::abs(bandCross(f0, h, h)));
}

// The standard frequencies (ten per decade) from 1 Hz up to the highest line, 32 Hz.
QList<double> expectedTargets()
{
    const double mantissas[] = {1.0, 1.26, 1.58, 2.0, 2.51, 3.16, 3.98, 5.01, 6.31, 7.94};
    QList<double> targets;
    for (double decade : {1.0, 10.0})
        for (double m : mantissas)
            if (m * decade <= 32.0)
                targets.append(m * decade);
    return targets;
}

QList<QVector<double>> readTable(const QString &path, QString &header)
{
    QFile file(path);
    QList<QVector<double>> rows;
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return rows;
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    header = lines.value(0);
    for (int i = 1; i < lines.size(); ++i) {
        QVector<double> row;
        for (const QString &field : lines[i].split(','))
            row.append(field.toDouble());
        rows.append(row);
    }
    return rows;
}

bool agrees(double actual, double expected)
{
    return std::fabs(actual - expected) <= kPrinted * std::fabs(expected);
}

#define QAGREE(actual, expected)                                                                  \
    QVERIFY2(agrees(actual, expected),                                                            \
             qPrintable(QStringLiteral("actual %1, expected %2").arg(actual, 0, 'g', 10).arg(expected, 0, 'g', 10)))

} // namespace

class TestTimeSeriesAnalysis : public QObject {
    Q_OBJECT

private slots:
    void electricAnalysisAgreesWithIndependentBandAverages();
    void magneticCrossPowerAgreesWithIndependentBandAverage();
    void magneticAnalysisDrawsTheMagneticChannelsAndTheirCoherency();
    void pairCoherenciesBesideTheSpectra();
    void stoppedCalculatorRunKeepsItsResults();
};

void TestTimeSeriesAnalysis::electricAnalysisAgreesWithIndependentBandAverages()
{
    TimeSeriesFixture f;
    QVERIFY(f.valid && f.feedAndCalculate());
    f.dialogs.fileNames.enqueue(f.path("electric.dat"));
    f.form->action(Form_TimeSeries::ElectricAnalysisAction)->trigger();
    QCOMPARE(f.form->displayMode(), QStringLiteral("electricanalysis"));
    QString header;
    const QList<QVector<double>> rows = readTable(f.path("electric.dat"), header);
    QCOMPARE(header, QStringLiteral("Freq,Ex,Ey,Ex2,Hx,Hy,CohE0,CohE1,CohE2,CohEall"));
    const QList<double> targets = expectedTargets();
    QCOMPARE(rows.size(), targets.size());
    std::array<ChannelLines, kChannelSlotCount> lines;
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        lines[slot] = linesOf(f.segments[slot]);
    const ChannelLines meanE = meanElectricLines(lines[Slot_Ex], lines[Slot_Ey], lines[Slot_Ex2]);
    for (int r = 0; r < rows.size(); ++r) {
        const QVector<double> &row = rows[r];
        const double f0 = targets[r];
        QCOMPARE(row.size(), 10);
        QAGREE(row[0], f0);
        for (int slot = 0; slot < kChannelSlotCount; ++slot)
            QAGREE(row[1 + slot], bandAmplitude(f0, lines[slot]));
        QAGREE(row[6], coherency(f0, lines[Slot_Ex], lines[Slot_Hy]));
        QAGREE(row[7], coherency(f0, lines[Slot_Ey], lines[Slot_Hx]));
        QAGREE(row[8], coherency(f0, lines[Slot_Ex2], lines[Slot_Hy]));
        QAGREE(row[9], coherency(f0, meanE, lines[Slot_Hy]));
        for (int c = 6; c < 10; ++c)
            QVERIFY(row[c] > 0.0 && row[c] <= 1.0);
    }
}

void TestTimeSeriesAnalysis::magneticCrossPowerAgreesWithIndependentBandAverage()
{
    TimeSeriesFixture f;
    QVERIFY(f.valid && f.feedAndCalculate());
    f.dialogs.fileNames.enqueue(f.path("magnetic.dat"));
    f.form->action(Form_TimeSeries::SaveMagneticAnalysisAction)->trigger();
    QString header;
    const QList<QVector<double>> rows = readTable(f.path("magnetic.dat"), header);
    QCOMPARE(header, QStringLiteral("Freq,Pha,HxHyReal,HxHyImage"));
    const QList<double> targets = expectedTargets();
    QCOMPARE(rows.size(), targets.size());
    const ChannelLines hx = linesOf(f.segments[Slot_Hx]);
    const ChannelLines hy = linesOf(f.segments[Slot_Hy]);
    for (int r = 0; r < rows.size(); ++r) {
        const cd cross = bandCross(targets[r], hx, hy);
        QAGREE(rows[r][0], targets[r]);
        QAGREE(rows[r][1], std::fabs(std::arg(cross)) * 180.0 / 3.141592502593994);
        QAGREE(rows[r][2], cross.real());
        QAGREE(rows[r][3], cross.imag());
    }
}

void TestTimeSeriesAnalysis::magneticAnalysisDrawsTheMagneticChannelsAndTheirCoherency()
{
    TimeSeriesFixture f;
    QVERIFY(f.valid && f.feedAndCalculate());
    f.form->action(Form_TimeSeries::MagneticAnalysisAction)->trigger();
    QCOMPARE(f.form->displayMode(), QStringLiteral("magneticanalysis"));
    QCOMPARE(f.form->shownSlots(), QList<int>({Slot_Hx, Slot_Hy}));
    const ChannelLines hx = linesOf(f.segments[Slot_Hx]);
    const ChannelLines hy = linesOf(f.segments[Slot_Hy]);
    const QList<double> targets = expectedTargets();
    const QwtPlotItemList curves = f.form->coherencyPlot()->itemList(QwtPlotItem::Rtti_PlotCurve);
    QCOMPARE(curves.size(), 1);
    auto *coherencyCurve = static_cast<QwtPlotCurve *>(curves.first());
    QCOMPARE(coherencyCurve->title().text(), QStringLiteral("CohHxHy"));
    QCOMPARE(int(coherencyCurve->dataSize()), targets.size());
    for (int r = 0; r < targets.size(); ++r) {
        QCOMPARE(coherencyCurve->sample(r).x(), targets[r]);
        QCLOSE(coherencyCurve->sample(r).y(), coherency(targets[r], hx, hy), 1e-9);
    }
    const QwtPlotItemList hyCurves = f.form->channelPlot(Slot_Hy)->itemList(QwtPlotItem::Rtti_PlotCurve);
    auto *hyCurve = static_cast<QwtPlotCurve *>(hyCurves.first());
    QCOMPARE(int(hyCurve->dataSize()), targets.size());
    for (int r = 0; r < targets.size(); ++r)
        QCLOSE(hyCurve->sample(r).y(), bandAmplitude(targets[r], hy), 1e-9);
}

// In the spectrum modes the coherencies of Ex-Hy and Ey-Hx stand beside the spectra, at the
// standard frequencies the lines span.
void TestTimeSeriesAnalysis::pairCoherenciesBesideTheSpectra()
{
    TimeSeriesFixture f;
    QVERIFY(f.valid && f.feedAndCalculate());
    f.form->action(Form_TimeSeries::CalibratedAction)->trigger();
    const QwtPlotItemList curves = f.form->coherencyPlot()->itemList(QwtPlotItem::Rtti_PlotCurve);
    QCOMPARE(curves.size(), 2);
    const ChannelLines ex = linesOf(f.segments[Slot_Ex]);
    const ChannelLines ey = linesOf(f.segments[Slot_Ey]);
    const ChannelLines hx = linesOf(f.segments[Slot_Hx]);
    const ChannelLines hy = linesOf(f.segments[Slot_Hy]);
    const std::array<std::pair<const ChannelLines *, const ChannelLines *>, 2> pairs{
        {{&ex, &hy}, {&ey, &hx}}};
    for (int c = 0; c < 2; ++c) {
        auto *curve = static_cast<QwtPlotCurve *>(curves[c]);
        QCOMPARE(curve->title().text(), c == 0 ? QStringLiteral("ExHy") : QStringLiteral("EyHx"));
        // From the lowest line (0.0625 Hz) up: the standard frequencies 0.0631 .. 31.6 Hz.
        QCOMPARE(int(curve->dataSize()), 28);
        for (size_t i = 0; i < curve->dataSize(); ++i) {
            const QPointF p = curve->sample(int(i));
            QCLOSE(p.y(), coherency(p.x(), *pairs[c].first, *pairs[c].second), 1e-9);
        }
    }
    // Ey and Hx share most of their signal, Ex and Hy hardly any.
    const QPointF strong = static_cast<QwtPlotCurve *>(curves[1])->sample(20);
    const QPointF weak = static_cast<QwtPlotCurve *>(curves[0])->sample(20);
    QVERIFY2(strong.y() > 0.7 && weak.y() < 0.5, qPrintable(QString("%1 %2").arg(strong.y()).arg(weak.y())));
}

// The view's Cancel stops the calculator between segments: the stopped run reports false,
// announces nothing and leaves the results of the last finished run.
void TestTimeSeriesAnalysis::stoppedCalculatorRunKeepsItsResults()
{
    TimeSeriesFixture f;
    QVERIFY(f.valid);
    Data_RhoworksCalc calc;
    const QStringList names{"Ex", "Ey", "Ex2", "Hx", "Hy"};
    calc.setSampleList(f.descriptors(), names);
    for (int slot = 0; slot < kChannelSlotCount; ++slot)
        calc.setChannelSegments(names[slot], f.segments[slot]);
    QSignalSpy finished(&calc, &Data_RhoworksCalc::interpfinished);
    QList<int> reported;
    QVERIFY(calc.calcChannelSpectra(TimeSeriesFixture::kN, [&reported](int done, int total) {
        reported.append(done);
        return total == TimeSeriesFixture::kSegments;
    }));
    QCOMPARE(reported, QList<int>({1, 2, 3, 4, 5, 6, 7, 8}));
    QCOMPARE(finished.size(), 1);
    QList<QVector<double>> raw, calibrated;
    QVector<double> stacked;
    calc.channelResults("Hy", raw, calibrated, stacked);
    const QVector<OneFreqCrossPower> eyHx = calc.stackedCrossPowerEyHx();
    QCOMPARE(eyHx.size(), TimeSeriesFixture::kN / 2);

    for (QVector<double> &segment : f.segments[Slot_Hy])
        segment.fill(0.0);
    calc.setChannelSegments("Hy", f.segments[Slot_Hy]);
    QVERIFY(!calc.calcChannelSpectra(TimeSeriesFixture::kN, [](int done, int) { return done < 3; }));
    QCOMPARE(finished.size(), 1);
    QList<QVector<double>> rawAfter, calibratedAfter;
    QVector<double> stackedAfter;
    calc.channelResults("Hy", rawAfter, calibratedAfter, stackedAfter);
    QCOMPARE(stackedAfter, stacked);
    QCOMPARE(calc.stackedCrossPowerEyHx().size(), eyHx.size());
}

QTEST_MAIN(TestTimeSeriesAnalysis)
#include "tst_TimeSeriesAnalysis.moc"
