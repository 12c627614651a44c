// Cross-power matrices, their band average and the impedance tensor, against matrices built
// from fields with a known tensor and against a plain sum of per-segment products.
#include <QtTest>
#include <complex>

#include "ProcessingFixtures.h"
#include "ProcessingTests.h"
#include "TensorBand.h"
#include "TensorMath.h"
#include "TensorMatrixStack.h"

using cd = std::complex<double>;
using CMatrix = QVector<QVector<cd>>;
Q_DECLARE_METATYPE(CMatrix)

namespace {

cd fromGsl(gsl_complex z) { return {GSL_REAL(z), GSL_IMAG(z)}; }

TensorCrossPower record(double freq, const CMatrix &m)
{
    TensorCrossPower r{freq, {}};
    for (const QVector<cd> &row : m) {
        r.matrix.append(QVector<gsl_complex>());
        for (cd z : row)
            r.matrix.last().append(gsl_complex{{z.real(), z.imag()}});
    }
    return r;
}

// Sum over the magnetic fields h of v v^H with v = (Ex, Ey, Hx, Hy) and E = Z h.
CMatrix fieldMatrix(const CMatrix &z, const QVector<QVector<cd>> &fields)
{
    CMatrix m(4, QVector<cd>(4));
    for (const QVector<cd> &h : fields) {
        const cd v[] = {z[0][0] * h[0] + z[0][1] * h[1], z[1][0] * h[0] + z[1][1] * h[1], h[0], h[1]};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                m[i][j] += v[i] * std::conj(v[j]);
    }
    return m;
}

const QVector<QVector<cd>> kFields{{1.0, {0, 0.5}}, {-0.3, {1, 0.2}}, {{0.7, -0.1}, -0.4}};
const QVector<QVector<cd>> kParallelFields{{1.0, 2.0}, {{0, 1}, {0, 2}}, {-3.0, -6.0}};  // Hy = 2 Hx

CMatrix randomMatrix(int size, unsigned seed)
{
    const QVector<double> v = Fixtures::randomSamples(2 * size * size, seed);
    CMatrix m(size, QVector<cd>(size));
    for (int i = 0; i < size * size; ++i)
        m[i / size][i % size] = {v[2 * i], v[2 * i + 1]};
    return m;
}

} // namespace

class TestTensorMath : public QObject {
    Q_OBJECT
private slots:
    // Running sum of the upper triangle against the plain mean of every c_i conj(c_j): Hermitian,
    // with real non-negative diagonals; one segment gives that segment's matrices.
    void stackMatchesPlainMean_data()
    {
        QTest::addColumn<int>("segments");
        QTest::newRow("one segment") << 1;
        QTest::newRow("four segments") << 4;
    }
    void stackMatchesPlainMean()
    {
        QFETCH(int, segments);
        const int channels = 5, lines = 17;
        TensorMatrixStack stack(channels);
        QVector<CMatrix> sums(lines, CMatrix(channels, QVector<cd>(channels)));
        for (int s = 0; s < segments; ++s) {
            QList<QList<OneFreqSpectrum>> spectra;
            for (int c = 0; c < channels; ++c) {
                const QVector<double> a = Fixtures::randomSamples(2 * lines, 7 * s + c);
                spectra.append(QList<OneFreqSpectrum>());
                for (int k = 0; k < lines; ++k)
                    spectra[c].append({0.25 * (k + 1) + c, 1.0 + a[k], 3.0 * a[lines + k]});
            }
            stack.add(spectra);
            for (int k = 0; k < lines; ++k)
                for (int i = 0; i < channels; ++i)
                    for (int j = 0; j < channels; ++j)
                        sums[k][i][j] += std::polar(spectra[i][k].amplitude, spectra[i][k].phase)
                                         * std::conj(std::polar(spectra[j][k].amplitude, spectra[j][k].phase));
        }
        const QVector<TensorCrossPower> mean = stack.mean();
        QCOMPARE(mean.size(), lines);
        for (int k = 0; k < lines; ++k) {
            QCOMPARE(mean[k].freq, 0.25 * (k + 1));
            QCOMPARE(mean[k].matrix.size(), channels);
            for (int i = 0; i < channels; ++i) {
                QVERIFY(GSL_IMAG(mean[k].matrix[i][i]) == 0.0 && GSL_REAL(mean[k].matrix[i][i]) >= 0.0);
                for (int j = 0; j < channels; ++j) {
                    QVERIFY(std::abs(fromGsl(mean[k].matrix[i][j]) - sums[k][i][j] / double(segments)) < 1e-13);
                    QVERIFY(fromGsl(mean[k].matrix[j][i]) == std::conj(fromGsl(mean[k].matrix[i][j])));
                }
            }
        }
    }

    // Records at 9, 10 and 11 Hz (and a 3 x 3 one at 12 Hz, left out for its size).
    void bandAverageMatrix_data()
    {
        QTest::addColumn<double>("f0");
        QTest::addColumn<double>("r");
        QTest::addColumn<double>("neighbourWeight");  // -1: empty band
        QTest::newRow("neighbours at exactly the half-width left out") << 10.0 << 0.1 << 0.0;
        // (sin(pi / 1.5) / (pi / 1.5))^4
        QTest::newRow("kernel weights") << 10.0 << 0.15 << 0.0292339929366588;
        QTest::newRow("no line in the band") << 30.0 << 0.2 << -1.0;
    }
    void bandAverageMatrix()
    {
        QFETCH(double, f0);
        QFETCH(double, r);
        QFETCH(double, neighbourWeight);
        const CMatrix a = randomMatrix(4, 1), b = randomMatrix(4, 2), c = randomMatrix(4, 3);
        const TensorCrossPower result = TensorMath::bandAverageMatrix(
            f0, {record(9, a), record(10, b), record(11, c), record(12, randomMatrix(3, 4))}, r);
        QCOMPARE(result.freq, f0);
        if (neighbourWeight < 0) {
            QVERIFY(result.matrix.isEmpty());
            return;
        }
        QCOMPARE(result.matrix.size(), 4);
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) {
                const cd expected = (neighbourWeight * (a[i][j] + c[i][j]) + b[i][j]) / (1 + 2 * neighbourWeight);
                QVERIFY(std::abs(fromGsl(result.matrix[i][j]) - expected) < 1e-9);
            }
    }

    // Matrices of E = Z H give back Z: apparent resistivity |Z|^2 0.2 / f and phase arg Z in
    // degrees without folding; Z in (mV/km)/nT at 10 Hz, values worked out by hand. A fifth
    // channel in row and column 4 changes nothing.
    void impedanceFromKnownTensor_data()
    {
        QTest::addColumn<CMatrix>("z");
        QTest::addColumn<QVector<double>>("expected");  // rho, phase of xx, xy, yx, yy
        QTest::newRow("one-dimensional") << CMatrix{{0.0, {3, 4}}, {{-2, -2}, 0.0}}
                                         << QVector<double>{0, 0, 0.5, 53.1301024, 0.16, -135, 0, 0};
        QTest::newRow("general") << CMatrix{{{1, -2}, {3, 4}}, {{-2, -2}, {0.5, 0.5}}}
                                 << QVector<double>{0.1, -63.4349488, 0.5, 53.1301024, 0.16, -135, 0.01, 45};
    }
    void impedanceFromKnownTensor()
    {
        QFETCH(CMatrix, z);
        QFETCH(QVector<double>, expected);
        CMatrix m = fieldMatrix(z, kFields);
        TensorImpedance four, five;
        QVERIFY(TensorMath::solveImpedance(record(10, m), four));
        const double actual[] = {four.rhoXX, four.phaseXX, four.rhoXY, four.phaseXY,
                                 four.rhoYX, four.phaseYX, four.rhoYY, four.phaseYY};
        for (int e = 0; e < 4; ++e) {
            if (expected[2 * e] == 0.0) {
                QVERIFY(actual[2 * e] < 1e-20);
                continue;
            }
            QCLOSE(actual[2 * e], expected[2 * e], 1e-9);
            QCLOSE(actual[2 * e + 1], expected[2 * e + 1], 1e-7);
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
        const CMatrix z{{0.0, {3, 4}}, {{-2, -2}, 0.0}};
        CMatrix withNan = fieldMatrix(z, kFields);
        withNan[3][1] = cd(qQNaN(), 0);
        QTest::newRow("singular magnetic part") << record(10, fieldMatrix(z, kParallelFields));
        QTest::newRow("all zero") << record(10, CMatrix(4, QVector<cd>(4)));
        QTest::newRow("3 x 3") << record(10, randomMatrix(3, 5));
        QTest::newRow("not finite") << record(10, withNan);
        QTest::newRow("ragged") << record(10, CMatrix{{1, 2, 3, 4}, {1, 2}, {1, 2, 3, 4}, {1, 2, 3, 4}});
        QTest::newRow("frequency 0") << record(0, fieldMatrix(z, kFields));
    }
    void unsolvable()
    {
        QFETCH(TensorCrossPower, input);
        TensorImpedance impedance{1, 2, 3, 4, 5, 6, 7, 8, 9};
        QVERIFY(!TensorMath::solveImpedance(input, impedance));
        QCOMPARE(impedance.rhoXY, 5.0);
        const TensorImpedance marked = TensorMath::impedanceOf(input);
        QVERIFY(marked.freq == input.freq && std::isnan(marked.rhoXY) && std::isnan(marked.phaseYY));
    }

    void band_data()
    {
        QTest::addColumn<int>("fs");
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::newRow("500") << 500 << 256 << 1.0 << 30.0;
        QTest::newRow("501, default rule") << 501 << 256 << 1.0 << 250.5;
        QTest::newRow("502") << 502 << 256 << 30.0 << 1250.0;
        QTest::newRow("4095") << 4095 << 16384 << 30.0 << 1250.0;
        QTest::newRow("4096, default rule") << 4096 << 1024 << 4.0 << 2048.0;
        QTest::newRow("24000, n 16384") << 24000 << 16384 << 1.0 << 12000.0;
        QTest::newRow("57900, default rule") << 57900 << 16384 << 3.0 << 28950.0;
        QTest::newRow("57901") << 57901 << 16384 << 1250.0 << 28950.5;
    }
    void band()
    {
        QFETCH(int, fs);
        QFETCH(int, n);
        QFETCH(double, lower);
        QFETCH(double, upper);
        const TensorBand band = TensorBand::forRecording(fs, n);
        QCOMPARE(band.lower, lower);
        QCOMPARE(band.upper, upper);
    }
};

int runTensorMathTests(int argc, char **argv)
{
    TestTensorMath test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestTensorMath.moc"
