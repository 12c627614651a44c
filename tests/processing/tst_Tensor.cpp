// Tensor processing: impedances from fields of a known tensor; count files and flat tables against
// products of direct-DFT spectra; synthetic stations against the forward model.
#include <QtTest>

#include "Data_Calc_Tensor.h"
#include "ProcessingFixtures.h"
#include "SampleRateBands.h"
#include "SurveyWriter.h"
#include "TensorMath.h"

using namespace Fixtures;

namespace {

// Channels in matrix order Ex, Ey, Hx, Hy, Ex2 (codes 1 .. 5).
const double kDipoles[] = {50.0, 60.0, 0.0, 0.0, 70.0};
constexpr int kN = 256, kSegments = 4;

QVector<qint32> countsOf(int c)
{
    QVector<qint32> counts;
    for (double v : randomSamples(kN * kSegments, 500 + c))
        counts.append(qint32(std::lround(v * 200000.0)));
    return counts;
}

bool sameMatrices(const Data_Calc_Tensor &a, const Data_Calc_Tensor &b)
{
    auto values = [](const Data_Calc_Tensor &tensor) {
        QVector<double> list;
        for (const TensorCrossPower &r : tensor.crossPowerMatrices())
            for (const QVector<gsl_complex> &row : r.matrix)
                for (gsl_complex z : row)
                    list << GSL_REAL(z) << GSL_IMAG(z);
        return list;
    };
    return values(a) == values(b);
}

TensorCrossPower record(double freq, const CMatrix &m)
{
    TensorCrossPower r{freq, QVector<QVector<gsl_complex>>(m.size())};
    for (int i = 0; i < m.size(); ++i)
        for (cd z : m[i])
            r.matrix[i].append(gsl_complex{{z.real(), z.imag()}});
    return r;
}

// Mean over magnetic fields h of v v^H with v = (Ex, Ey, Hx, Hy) and E = Z h.
CMatrix fieldMatrix(const CMatrix &z, const QVector<QVector<cd>> &fields)
{
    QList<QVector<cd>> values;
    for (const QVector<cd> &h : fields)
        values.append({z[0][0] * h[0] + z[0][1] * h[1], z[1][0] * h[0] + z[1][1] * h[1], h[0], h[1]});
    return meanProducts(values);
}
const QVector<QVector<cd>> kFields{{1.0, {0, 0.5}}, {-0.3, {1, 0.2}}, {{0.7, -0.1}, -0.4}};
const CMatrix kZ{{{1, -2}, {3, 4}}, {{-2, -2}, {0.5, 0.5}}};  // (mV/km)/nT

} // namespace

class TestTensor : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    QString path(const char *kind, int c) const { return dir.filePath(QString("%1-%2").arg(kind).arg(c)); }

    QList<MTSampleData> descriptors(int fs = 4096, int lowBand = 0) const
    {
        QList<MTSampleData> list;
        for (int c : {3, 0, 4, 1, 2})  // deliberately not in channel order; fields as declared
            list.append({c + 1, kN * kSegments, fs, 0, 0, lowBand, float(kDipoles[c]), path("gain", c),
                         path("counts", c), path("sensor", c)});
        return list;
    }

private slots:
    void initTestCase()
    {
        for (int c = 0; c < 5; ++c) {
            QVERIFY(writeCounts(path("counts", c), countsOf(c)));
            QVERIFY(writeFlatTable(path("sensor", c), 1.25 + c, 7.0 * c));
            QVERIFY(writeFlatTable(path("gain", c), 3.0 + 2 * c, -4.0 * c));
        }
        QVERIFY(writeCounts(path("counts", 9), countsOf(3).mid(0, 2 * kN + 17)));  // Hy, 2 segments
    }

    // Matrices of E = Z H give back Z, phases unfolded, values at 10 Hz worked out by hand; a
    // fifth channel in the matrix changes nothing.
    void impedanceFromKnownTensor()
    {
        CMatrix m = fieldMatrix(kZ, kFields);
        TensorImpedance four, five;
        QVERIFY(TensorMath::solveImpedance(record(10, m), four));
        const double actual[] = {four.rhoXX, four.phaseXX, four.rhoXY, four.phaseXY,
                                 four.rhoYX, four.phaseYX, four.rhoYY, four.phaseYY};
        const double expected[] = {0.1, -63.4349488, 0.5, 53.1301024, 0.16, -135, 0.01, 45};
        for (int e = 0; e < 8; e += 2) {
            QCLOSE(actual[e], expected[e], 1e-9);
            QCLOSE(actual[e + 1], expected[e + 1], 1e-7);
        }
        for (QVector<cd> &row : m)
            row.append(cd(5, -1));
        m.append(QVector<cd>(5, cd(7, 0)));
        QVERIFY(TensorMath::solveImpedance(record(10, m), five));
        QVERIFY(five.rhoXY == four.rhoXY && five.phaseYX == four.phaseYX && five.rhoYY == four.rhoYY);
    }

    void unsolvable_data()
    {
        QTest::addColumn<TensorCrossPower>("input");
        CMatrix withNan = fieldMatrix(kZ, kFields);
        withNan[3][1] = cd(qQNaN(), 0);
        const QVector<QVector<cd>> parallel{{1.0, 2.0}, {{0, 1}, {0, 2}}, {-3.0, -6.0}};  // Hy = 2 Hx
        QTest::newRow("singular magnetic part") << record(10, fieldMatrix(kZ, parallel));
        QTest::newRow("3 x 3") << record(10, CMatrix(3, QVector<cd>(3, 1.0)));
        QTest::newRow("not finite") << record(10, withNan);
        QTest::newRow("ragged") << record(10, CMatrix{{1, 2, 3, 4}, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4}});
        QTest::newRow("frequency 0") << record(0, fieldMatrix(kZ, kFields));
    }
    void unsolvable()
    {
        QFETCH(TensorCrossPower, input);
        TensorImpedance impedance{1, 2, 3, 4, 5, 6, 7, 8, 9};
        QVERIFY(!TensorMath::solveImpedance(input, impedance) && impedance.rhoXY == 5.0);  // untouched
        const TensorImpedance marked = TensorMath::impedanceOf(input);
        QVERIFY(marked.freq == input.freq && std::isnan(marked.rhoXY) && std::isnan(marked.phaseYY));
    }

    void band_data()
    {
        QTest::addColumn<QVector<double>>("row");  // fs, n, lower, upper
        QTest::newRow("500") << QVector<double>{500, 256, 1, 30};
        QTest::newRow("501, default rule") << QVector<double>{501, 256, 1, 250.5};
        QTest::newRow("502") << QVector<double>{502, 256, 30, 1250};
        QTest::newRow("4095") << QVector<double>{4095, 16384, 30, 1250};
        QTest::newRow("4096, default rule") << QVector<double>{4096, 1024, 4, 2048};
        QTest::newRow("57900, default rule") << QVector<double>{57900, 16384, 3, 28950};
        QTest::newRow("57901") << QVector<double>{57901, 16384, 1250, 28950.5};
    }
    void band()
    {
        QFETCH(QVector<double>, row);
        const TensorBand band = SampleRateBands::tensorBand(int(row[0]), int(row[1]));
        QCOMPARE(QVector<double>({band.lower, band.upper}), row.mid(2));
    }

    // Reader scale by rate, electric conversion with each dipole, calibration by channel kind
    // (sensor 1.25 + c at 7c degrees, gain 3 + 2c at -4c degrees), channel order and the mean over
    // segments; the matrices are Hermitian with real non-negative diagonals.
    void matricesFromFiles_data()
    {
        QTest::addColumn<int>("fs");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("lowBand");
        QTest::newRow("4096 Hz reads 3000/2^23") << 4096 << 3000.0 / 8388608.0 << 0;
        QTest::newRow("4095 Hz reads 2500/2^32") << 4095 << 2500.0 / 4294967296.0 << 0;
        QTest::newRow("low band: electric by gain only") << 4096 << 3000.0 / 8388608.0 << 1;
    }
    void matricesFromFiles()
    {
        QFETCH(int, fs);
        QFETCH(double, scale);
        QFETCH(int, lowBand);
        Data_Calc_Tensor tensor;
        QTest::ignoreMessage(QtDebugMsg, "first is finished");
        tensor.loadSpectra(descriptors(fs, lowBand), kN + 0.7);
        QList<QList<OneFreqSpectrum>> spectra;  // [channel][segment * kN / 2 + line]
        for (int c = 0; c < 5; ++c) {
            const bool withSensor = !(lowBand && kDipoles[c] > 0);
            spectra.append(QList<OneFreqSpectrum>());
            for (int s = 0; s < kSegments; ++s) {
                QVector<double> samples;
                for (qint32 count : countsOf(c).mid(s * kN, kN))
                    samples.append(count * scale * (kDipoles[c] > 0 ? 1000.0 / kDipoles[c] : 1.0));
                spectra[c] += referenceSpectrum(samples, fs, (3.0 + 2 * c) * (withSensor ? 1.25 + c : 1.0),
                                                (withSensor ? 3.0 * c : -4.0 * c) * M_PI / 180.0);
            }
        }
        const QVector<TensorCrossPower> matrices = tensor.crossPowerMatrices();
        QCOMPARE(matrices.size(), kN / 2);
        for (int k = 0; k < kN / 2; ++k) {
            QCOMPARE(matrices[k].freq, (k + 1) * double(fs) / kN);
            QList<QVector<cd>> values;
            for (int s = 0; s < kSegments; ++s) {
                values.append(QVector<cd>());
                for (int c = 0; c < 5; ++c)
                    values[s].append(complexOf(spectra[c][s * kN / 2 + k]));
            }
            const QString m = matrixMismatch(matrices[k].matrix, meanProducts(values), 1e-9);
            QVERIFY2(m.isEmpty(), qPrintable(QString("line %1 %2").arg(k).arg(m)));
            for (int i = 0; i < 5; ++i)
                for (int j = 0; j <= i; ++j) {
                    const gsl_complex z = matrices[k].matrix[i][j], t = matrices[k].matrix[j][i];
                    QVERIFY(GSL_REAL(z) == GSL_REAL(t) && GSL_IMAG(z) == -GSL_IMAG(t) && (i != j || GSL_REAL(z) >= 0));
                }
        }
    }

    // A channel with fewer segments (Hy, 2) limits every channel to the segments all of them have.
    void shortChannelLimitsTheSegments()
    {
        QList<MTSampleData> list = descriptors();
        Data_Calc_Tensor all, two, shortHy;
        all.loadSpectra(list, kN);
        two.loadSpectra(list, kN, 2);
        list[0].dataFile = path("counts", 9);
        shortHy.loadSpectra(list, kN);
        QVERIFY(sameMatrices(shortHy, two) && !sameMatrices(two, all));
    }

    // Reading stops at the first channel whose file fails (Hx); the channels before it remain.
    // Without Hx, or without Ey, no impedance can be formed. A calibration table that cannot be
    // loaded abandons the call: the earlier matrices stay.
    void missingChannelsAndTables()
    {
        QList<MTSampleData> unreadable = descriptors(), withoutEy = descriptors(), noTable = descriptors(2000);
        unreadable[4].dataFile = path("missing", 2);
        withoutEy.removeAt(3);
        noTable[3].gainFile = path("missing", 1);
        Data_Calc_Tensor tensor, before;
        tensor.loadSpectra(unreadable, kN);
        QCOMPARE(tensor.matrixChannels(), (QList<int>{1, 2}));
        QVERIFY(tensor.bandResults(SampleRateBands::tensorBand(4096, kN), 0.3).records.isEmpty());
        tensor.loadSpectra(withoutEy, kN);
        QCOMPARE(tensor.matrixChannels(), (QList<int>{1, 3, 4, 5}));
        QVERIFY(tensor.bandResults(SampleRateBands::tensorBand(4096, kN), 0.3).impedances.isEmpty());
        before.loadSpectra(withoutEy, kN);
        tensor.loadSpectra(noTable, kN);
        QVERIFY(sameMatrices(tensor, before));
    }

    // Lines every 16 Hz. Targets with no line within 30 % are left out; a band holding one line
    // gives that line's matrix (12.6 Hz: the 16 Hz line), which from one segment is of rank one
    // with a singular magnetic part.
    void bandSelection_data()
    {
        QTest::addColumn<int>("segments");
        QTest::addColumn<double>("upper");  // the band starts at upper / 30
        QTest::addColumn<QList<double>>("frequencies");
        QTest::newRow("1 to 30 Hz") << kSegments << 30.0 << QList<double>{12.6, 15.8, 20.0, 25.1};
        QTest::newRow("one segment, one line per band") << 1 << 30.0 << QList<double>();
        QTest::newRow("one segment, 6.67 to 200 Hz")
            << 1 << 200.0 << QList<double>{39.8, 50.1, 63.1, 79.4, 100, 126, 158, 200};
    }
    void bandSelection()
    {
        QFETCH(int, segments);
        QFETCH(double, upper);
        QFETCH(QList<double>, frequencies);
        Data_Calc_Tensor tensor;
        tensor.loadSpectra(descriptors(), kN, segments);
        const Data_Calc_Tensor::BandResults results = tensor.bandResults(TensorBand{upper / 30, upper}, 0.3);
        QList<double> actual;
        for (int i = 0; i < results.impedances.size(); ++i) {
            actual.append(results.impedances[i].freq);
            QVERIFY(results.records[i].freq == actual.last() && std::isfinite(results.impedances[i].rhoXY));
        }
        QCOMPARE(actual, frequencies);
        if (segments == kSegments)
            QCLOSE(GSL_REAL(results.records[0].matrix[2][2]), GSL_REAL(tensor.crossPowerMatrices()[0].matrix[2][2]), 1e-12);
    }

    // Synthetic stations at 24 kHz, every segment of 16384 used. Targets whose band holds at
    // least three lines (from five lines up; the taper leaks the strong low-frequency field into
    // the first lines) match the forward model within 5 % in rho = |Z|^2 0.2 / f and 2 degrees in
    // phase; a model element that vanishes stays below 1e-3 of Zxy in rho.
    void syntheticStation_data()
    {
        QTest::addColumn<bool>("general");
        QTest::newRow("one layered earth") << false;
        QTest::newRow("an earth per polarisation, axes turned 30 degrees") << true;
    }
    void syntheticStation()
    {
        QFETCH(bool, general);
        const StationModel model = general ? StationModel(LayeredEarth({{300.0, 500.0}}, 3000.0),
                                                          LayeredEarth({{30.0, 800.0}}, 3.0), 30.0)
                                           : StationModel(LayeredEarth({{100.0, 500.0}, {30.0, 3000.0}}, 300.0));
        QTemporaryDir work;
        StationPlan station;
        station.model = model;
        RecordingPlan &request = station.recordings.first();  // 24 kHz
        request.seconds = 120;
        request.seed = general ? 23 : 11;
        request.tensor = true;
        StationDescription written;
        QVERIFY(SurveyWriter(work.path()).writeStation(station, &written));
        const RecordingDescription &recording = written.recordings.first();
        QList<MTSampleData> list;
        for (const ChannelDescription &c : recording.channels)
            list.append({int(c.channel) + 1, int(recording.sampleCount), recording.sampleRate, 0, 0, 0,
                         float(c.dipole), work.filePath(c.gainTable), c.dataFile, work.filePath(c.sensorTable)});
        Data_Calc_Tensor tensor;
        tensor.loadSpectra(list, 16384, 0);
        const auto result = tensor.bandResults(SampleRateBands::tensorBand(24000, 16384), 0.3).impedances;
        QVERIFY(result.size() == 40 && result.first().freq == 1.26);
        for (const TensorImpedance &z : result) {
            const ImpedanceTensor t = model.tensor(z.freq);
            const cd m[] = {t.xx, t.xy, t.yx, t.yy};
            const double rho[] = {z.rhoXX, z.rhoXY, z.rhoYX, z.rhoYY};
            const double phase[] = {z.phaseXX, z.phaseXY, z.phaseYX, z.phaseYY};
            for (int e = 0; z.freq >= 5.0 * 24000 / 16384 && e < 4; ++e) {
                const double dRho = rho[e] / (std::norm(m[e]) * 0.2 / z.freq) - 1.0;
                const double dPhase = std::remainder(phase[e] - std::arg(m[e]) * 180 / M_PI, 360.0);
                QVERIFY2(m[e] == 0.0 ? rho[e] < 1e-3 * z.rhoXY : std::fabs(dRho) <= 0.05 && std::fabs(dPhase) <= 2.0,
                         qPrintable(QString("element %1 at %2 Hz: rho %3 (off by %4), phase off by %5 degrees")
                                        .arg(e).arg(z.freq).arg(rho[e]).arg(dRho).arg(dPhase)));
            }
        }
    }
};

int runTensorTests(int argc, char **argv)
{
    TestTensor test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Tensor.moc"
