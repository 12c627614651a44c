// The tensor processing's streamed matrices and impedances against the same quantities computed
// the long way: every segment of every channel read into the record lists, transformed with
// Spectrix's described transform, calibrated as amplitude and phase, and the cross-power matrix of
// each line averaged over the segments by its definition.

#include <QTemporaryDir>
#include <QtTest>
#include <complex>
#include <gsl/gsl_errno.h>

#include "Data_Calc_Tensor.h"
#include "ParallelFor.h"
#include "SpectrumCalibration.h"
#include "Spectrix.h"
#include "TensorStationFiles.h"
#include "TensorMath.h"
#include "Wavefile.h"

using cd = std::complex<double>;
using Matrices = QVector<QVector<QVector<cd>>>;  // line, row, column

namespace {

constexpr int kN = 2048;

bool isElectric(int code)
{
    return code == 1 || code == 2 || code == 5;
}

// Mean over segments of c_i conj(c_j) per line, channels in code order; empty when a file fails.
Matrices longWayMatrices(QList<MTSampleData> descriptors, int segmentLimit)
{
    std::sort(descriptors.begin(), descriptors.end(),
              [](const MTSampleData &a, const MTSampleData &b) { return a.channel < b.channel; });
    QList<QList<QList<OneFreqSpectrum>>> channels;  // channel, segment, line
    for (const MTSampleData &d : descriptors) {
        Wavefile reader;
        const double scale = d.sampleFrequency < 4096 ? 2500.0 / 4294967296.0 : 3000.0 / 8388608.0;
        QList<OneFreqCheck> sensor, gain;
        if (!reader.getTimeSeries(d.dataFile, scale, d.sampleCount, kN, segmentLimit)
            || !SpectrumCalibration::loadSensorTable(d.sensorFile, kN, d.sampleFrequency, sensor)
            || !SpectrumCalibration::loadGainTable(d.gainFile, kN, d.sampleFrequency, gain))
            return {};
        Spectrix spectrix;
        QList<QList<OneFreqSpectrum>> spectra;
        for (QVector<double> segment : reader.getTsData()) {
            if (isElectric(d.channel))
                segment = SpectrumCalibration::scaleElectric(segment, d.dipoleLength);
            const auto lines = spectrix.FastFFTTranform(spectrix.WndFunc(segment, 1, kN), kN, d.sampleFrequency);
            const bool useSensor = !(isElectric(d.channel) && d.lowBand != 0);
            spectra.append(SpectrumCalibration::calibrateSpectrum(lines, sensor, gain, useSensor));
        }
        channels.append(spectra);
    }
    const int m = channels.size();
    const int segments = channels.first().size();
    Matrices mean(kN / 2, QVector<QVector<cd>>(m, QVector<cd>(m)));
    for (int k = 0; k < kN / 2; ++k)
        for (int i = 0; i < m; ++i)
            for (int j = 0; j < m; ++j) {
                for (int s = 0; s < segments; ++s) {
                    const OneFreqSpectrum &a = channels[i][s][k], &b = channels[j][s][k];
                    mean[k][i][j] += std::polar(a.amplitude, a.phase) * std::conj(std::polar(b.amplitude, b.phase));
                }
                mean[k][i][j] /= double(segments);
            }
    return mean;
}

}  // namespace

class TestTensorStreaming : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void matchesLongWay_data();
    void matchesLongWay();

private:
    QTemporaryDir work;
    QList<MTSampleData> station;
};

void TestTensorStreaming::initTestCase()
{
    gsl_set_error_handler_off();
    StationPlan plan;
    plan.model = StationModel(LayeredEarth({{300.0, 500.0}}, 3000.0), LayeredEarth({{30.0, 800.0}}, 3.0), 30.0);
    RecordingPlan &request = plan.recordings.first();  // 24 kHz
    request.seconds = 8;
    request.seed = 5;
    QVERIFY(TensorStationFiles::write(work.path(), plan, station));
    QCOMPARE(station.size(), 5);
}

void TestTensorStreaming::matchesLongWay_data()
{
    QTest::addColumn<int>("segmentLimit");
    QTest::addColumn<int>("lowBand");
    QTest::addColumn<int>("threads");
    QTest::newRow("every segment") << 0 << 0 << 2;
    QTest::newRow("the reader's 50 segments") << 50 << 0 << 1;
    QTest::newRow("low band: electric gain only") << 0 << 1 << 3;
}

// Every element of every line's mean matrix to 1e-12 of the line's scale (sqrt of the diagonal
// elements it joins), and the band-averaged impedances to 1e-12 relative.
void TestTensorStreaming::matchesLongWay()
{
    QFETCH(int, segmentLimit);
    QFETCH(int, lowBand);
    QFETCH(int, threads);
    QList<MTSampleData> descriptors = station;
    for (MTSampleData &d : descriptors)
        d.lowBand = lowBand;
    const Matrices expected = longWayMatrices(descriptors, segmentLimit);
    QCOMPARE(expected.size(), kN / 2);

    const int machine = ParallelFor::threadCount();
    ParallelFor::setThreadCount(threads);
    Data_Calc_Tensor tensor;
    tensor.loadSpectra(descriptors, kN, segmentLimit);
    ParallelFor::setThreadCount(machine);
    const QVector<TensorCrossPower> matrices = tensor.crossPowerMatrices();
    QCOMPARE(matrices.size(), expected.size());
    QVector<TensorCrossPower> longWay = matrices;
    for (int k = 0; k < matrices.size(); ++k) {
        QCOMPARE(matrices[k].freq, (k + 1) * 24000.0 / kN);
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j) {
                const cd got(GSL_REAL(matrices[k].matrix[i][j]), GSL_IMAG(matrices[k].matrix[i][j]));
                const double scale = std::sqrt(std::abs(expected[k][i][i]) * std::abs(expected[k][j][j]));
                QVERIFY2(std::abs(got - expected[k][i][j]) <= 1e-12 * scale,
                         qPrintable(QString("line %1, element %2 %3").arg(k + 1).arg(i).arg(j)));
                GSL_SET_COMPLEX(&longWay[k].matrix[i][j], expected[k][i][j].real(), expected[k][i][j].imag());
            }
    }
    for (double f0 : tensor.tensorFrequencies(30, 10000)) {
        TensorImpedance got, want;
        QVERIFY(TensorMath::solveImpedance(TensorMath::bandAverageMatrix(f0, matrices, 0.3), got));
        QVERIFY(TensorMath::solveImpedance(TensorMath::bandAverageMatrix(f0, longWay, 0.3), want));
        const double rhoScale = want.rhoXY + want.rhoYX;
        for (auto field : {&TensorImpedance::rhoXX, &TensorImpedance::rhoXY, &TensorImpedance::rhoYX,
                           &TensorImpedance::rhoYY})
            QVERIFY2(std::fabs(got.*field - want.*field) <= 1e-12 * rhoScale, qPrintable(QString::number(f0)));
        for (auto field : {&TensorImpedance::phaseXY, &TensorImpedance::phaseYX})
            QVERIFY2(std::fabs(got.*field - want.*field) <= 1e-12 * 180, qPrintable(QString::number(f0)));
    }
}

QTEST_GUILESS_MAIN(TestTensorStreaming)
#include "tst_TensorStreaming.moc"
