#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <gsl/gsl_errno.h>
#include <limits>

#include "BandedCholeskySolver.h"
#include "ConjugateGradientSolver.h"
#include "GaussianStream.h"
#include "LayerGrid.h"
#include "LayeredEarthResponse.h"
#include "NLCGIODevice.h"
#include "NLLSIODevice.h"
#include "NormalSystem.h"

namespace {

using Complex = std::complex<double>;

struct Earth {
    std::vector<double> rhos;         // ohm-m from the top, the half-space last
    std::vector<double> thicknesses;  // m, above the half-space
};

const Earth kThreeLayers{{100, 10, 1000}, {200, 300}};  // conductor 200-500 m, centre 350 m
const Earth kBackground{{100}, {}};
const Earth kBlock{{100, 5, 100}, {250, 350}};          // conductor 250-600 m

// 41 records from 0.1 Hz to 10 kHz (eight per decade), in increasing frequency, of earth with
// complex Gaussian noise of relative standard deviation noise on each part of the impedance.
QVector<OneFreqImpedance> sounding(const Earth &earth, double noise, int seed)
{
    const LayeredEarthResponse response(earth.rhos, earth.thicknesses);
    GaussianStream gauss(20240700, seed, 0);
    QVector<OneFreqImpedance> curve;
    for (int i = 0; i < 41; ++i) {
        const double f = std::pow(10.0, -1.0 + i / 8.0);
        const Complex z = response.impedance(f);
        const Complex noisy = z + noise * std::sqrt(2.0) * std::abs(z) * gauss.nextComplex();
        curve.append({0, f, 0.9, LayeredEarthResponse::apparentResistivity(noisy, f),
                      LayeredEarthResponse::phaseDegrees(noisy)});
    }
    return curve;
}

QList<QVector<OneFreqImpedance>> line(const QVector<Earth> &earths, double noise)
{
    QList<QVector<OneFreqImpedance>> curves;
    for (int s = 0; s < earths.size(); ++s)
        curves << sounding(earths[s], noise, s);
    return curves;
}

// A run of a stand-in in a fresh work folder, its input written and its output read by
// Terrascope's own inversion file classes.
struct StandInRun {
    int exitCode = -1;
    QString log;  // standard output and error
    bool outputRead = false;
    QList<DataType_ResultData> section;

    double rms() const
    {
        const auto match = QRegularExpression("final RMS misfit ([0-9.]+)").match(log);
        return match.hasMatch() ? match.captured(1).toDouble() : std::numeric_limits<double>::quiet_NaN();
    }
};

StandInRun runStandIn(const QString &method, const QList<QVector<OneFreqImpedance>> &curves)
{
    QTemporaryDir work;
    const bool nlcg = method == "nlcg";
    const QString folder = work.filePath(method), program = folder + (nlcg ? "/MTNLCG.exe" : "/MT2DACB.exe");
    QDir().mkpath(folder + "/SampleData");
    QFile::copy(nlcg ? NLCG_STANDIN : NLLS_STANDIN, program);
    QVector<double> positions;
    for (int s = 0; s < curves.size(); ++s)
        positions << 100.0 * s;
    NLCGIODevice nlcgFiles;
    NLLSIODevice nllsFiles;
    const bool written = nlcg ? nlcgFiles.writeDataFile(curves, folder + "/b-tm-1.dat")
                                    && nlcgFiles.writeModelFile(curves.size(), positions, folder + "/model-1.dat")
                                    && nlcgFiles.writeControlFile(folder + "/b_test_m.dat", 0, curves.size())
                              : nllsFiles.writeFieldData(folder + "/SampleData/curline.fdt", curves, positions);
    StandInRun run;
    if (!written)
        return run;
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, QStringList());
    process.waitForFinished(300000);
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.log = QString::fromLocal8Bit(process.readAll());
    run.outputRead = nlcg ? nlcgFiles.readModelOutput(folder + "/mod_out.dat", curves.size(), positions)
                          : nllsFiles.readResult(folder + "/SampleData/curline_TMTp.mir", positions);
    run.section = nlcg ? nlcgFiles.result() : nllsFiles.result();
    return run;
}

// The conductive layer of a column: a smooth model spreads a layer over a gradual low, so its
// extent is taken as the depths around the most conductive cell within the top depthLimit metres
// where the resistivity stays within a factor of 3 of that cell's. Depths in a column are the
// cells' bases, negative; centre is in metres, positive down.
struct Conductor {
    double centre = 0.0;
    double rho = std::numeric_limits<double>::infinity();
};

Conductor conductiveLayer(const DataType_ResultData &column, double depthLimit)
{
    const auto base = [&column](int k) { return k < 0 ? 0.0 : -column.depth[k]; };
    int lowest = 0;
    for (int k = 0; k < column.value.size() && base(k) <= depthLimit; ++k)
        if (column.value[k] < column.value[lowest])
            lowest = k;
    const double limit = 3 * column.value[lowest];
    int first = lowest, last = lowest;
    while (first > 0 && column.value[first - 1] <= limit)
        --first;
    while (last + 1 < column.value.size() && column.value[last + 1] <= limit)
        ++last;
    return {(base(first - 1) + base(last)) / 2, column.value[lowest]};
}

// The resistivity of the column's layer that holds depth (m, positive down).
double resistivityAt(const DataType_ResultData &column, double depth)
{
    for (int k = 0; k < column.value.size(); ++k)
        if (-column.depth[k] >= depth)
            return column.value[k];
    return std::numeric_limits<double>::quiet_NaN();
}

QString describe(const StandInRun &run)
{
    QStringList columns;
    for (const DataType_ResultData &column : run.section) {
        const Conductor c = conductiveLayer(column, 1500);
        columns << QString("x %1: %2 ohm-m at %3 m").arg(column.position).arg(c.rho, 0, 'g', 3).arg(c.centre);
    }
    return columns.join("; ") + "\n" + run.log;
}

} // namespace

class TestInversion : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }

    // dZ/d ln rho_j of the recursion against central differences of the impedance (step 1e-5 in
    // ln rho); over a half-space Z grows as sqrt(rho), so dZ/d ln rho = Z / 2 exactly.
    void sensitivitiesMatchDifferences_data()
    {
        QTest::addColumn<QVector<double>>("rhos");
        QTest::addColumn<QVector<double>>("thicknesses");
        QTest::addColumn<double>("f");
        QTest::newRow("half-space") << QVector<double>{40} << QVector<double>{} << 3.0;
        QTest::newRow("three layers, 0.1 Hz") << QVector<double>{100, 10, 1000} << QVector<double>{200, 300} << 0.1;
        QTest::newRow("three layers, 30 Hz") << QVector<double>{100, 10, 1000} << QVector<double>{200, 300} << 30.0;
        QTest::newRow("thick top layer, 1 kHz") << QVector<double>{5, 2000, 1} << QVector<double>{3000, 50} << 1000.0;
        QTest::newRow("five layers, 2 Hz") << QVector<double>{300, 30, 3000, 3, 100}
                                           << QVector<double>{80, 150, 400, 900} << 2.0;
    }
    void sensitivitiesMatchDifferences()
    {
        QFETCH(QVector<double>, rhos);
        QFETCH(QVector<double>, thicknesses);
        QFETCH(double, f);
        const std::vector<double> r(rhos.begin(), rhos.end()), h(thicknesses.begin(), thicknesses.end());
        std::vector<Complex> dZ;
        const Complex z = LayeredEarthResponse(r, h).impedance(f, dZ);
        QVERIFY(std::abs(z / LayeredEarthResponse(r, h).impedance(f) - 1.0) < 1e-14);
        QCOMPARE(int(dZ.size()), rhos.size());
        for (size_t j = 0; j < r.size(); ++j) {
            const double step = 1e-5;
            std::vector<double> up = r, down = r;
            up[j] *= std::exp(step);
            down[j] *= std::exp(-step);
            const Complex expected = r.size() == 1 ? z / 2.0
                                                   : (LayeredEarthResponse(up, h).impedance(f)
                                                      - LayeredEarthResponse(down, h).impedance(f)) / (2 * step);
            QVERIFY2(std::abs(dZ[j] - expected) < 1e-7 * std::abs(z),
                     qPrintable(QString("layer %1: %2%3i, expected %4%5i").arg(j).arg(dZ[j].real()).arg(dZ[j].imag(), 0, 'g', 6, QChar())
                                    .arg(expected.real()).arg(expected.imag())));
        }
    }

    // The conjugate-gradient and the banded Cholesky solutions of one system of four stations
    // with made-up Jacobians, one station without data, agree for weak and strong smoothing.
    void solversAgree_data()
    {
        QTest::addColumn<double>("lambda");
        QTest::newRow("weak smoothing") << 1e-2;
        QTest::newRow("moderate smoothing") << 1.0;
        QTest::newRow("strong smoothing") << 1e3;
    }
    void solversAgree()
    {
        QFETCH(double, lambda);
        const LayerGrid grid({20, 30, 50, 80, 130, 210, 340, 550, 890, 1440});
        NormalSystem system(4, grid, 0.7);
        for (int s : {0, 1, 3}) {
            std::vector<double> jacobian, residuals, model;
            for (int i = 0; i < 16; ++i) {
                residuals.push_back(std::sin(1.3 * i + s));
                for (int k = 0; k < grid.layerCount(); ++k)
                    jacobian.push_back(std::cos(0.7 * i * (k + 1) + s) * std::exp(-0.2 * k));
            }
            for (int k = 0; k < grid.layerCount(); ++k)
                model.push_back(1.0 + 0.1 * k);
            system.setStation(s, jacobian, residuals, model);
        }
        std::vector<double> iterative(system.size(), 0.0), direct(system.size(), 0.0);
        QVERIFY(ConjugateGradientSolver().solve(system, lambda, iterative));
        QVERIFY(BandedCholeskySolver().solve(system, lambda, direct));
        double largest = 0.0;
        for (int i = 0; i < system.size(); ++i)
            largest = std::max(largest, std::abs(direct[i]));
        for (int i = 0; i < system.size(); ++i)
            QVERIFY2(std::abs(iterative[i] - direct[i]) < 1e-6 * largest,
                     qPrintable(QString("unknown %1: %2 and %3").arg(i).arg(iterative[i]).arg(direct[i])));
    }

    void threeLayerLineIsRecovered_data()
    {
        QTest::addColumn<QString>("method");
        QTest::newRow("conjugate gradient") << "nlcg";
        QTest::newRow("least squares") << "nlls";
    }
    // Seven stations over one three-layer earth, 3 % noise: every column puts its conductive
    // layer's centre within 20 % of the conductor's, 350 m, with a lowest resistivity within a
    // factor of 2 of its 10 ohm-m, and the top layer's 100 ohm-m within a factor of 2 at 100 m;
    // the errors of 5 % and 1.5 degrees give an RMS misfit near 1.
    void threeLayerLineIsRecovered()
    {
        QFETCH(QString, method);
        const StandInRun run = runStandIn(method, line(QVector<Earth>(7, kThreeLayers), 0.03));
        QVERIFY2(run.exitCode == 0 && run.outputRead && run.section.size() == 7, qPrintable(run.log));
        QVERIFY2(run.rms() >= 0.8 && run.rms() <= 1.5, qPrintable(run.log));
        for (const DataType_ResultData &column : run.section) {
            const Conductor conductor = conductiveLayer(column, 1500);
            QVERIFY2(std::abs(conductor.centre / 350 - 1) <= 0.2 && conductor.rho >= 5 && conductor.rho <= 20,
                     qPrintable(describe(run)));
            const double top = resistivityAt(column, 100);
            QVERIFY2(top >= 50 && top <= 200, qPrintable(describe(run)));
        }
    }

    void conductiveBlockShowsUnderItsStations_data()
    {
        QTest::addColumn<QString>("method");
        QTest::newRow("conjugate gradient") << "nlcg";
        QTest::newRow("least squares") << "nlls";
    }
    // Nine stations over a 100 ohm-m earth whose middle three sit over a 5 ohm-m block from 250 to
    // 600 m (each station seeing its own column, 3 % noise): at 425 m the section is below 25
    // ohm-m under the block and within a factor of 2 of the background elsewhere.
    void conductiveBlockShowsUnderItsStations()
    {
        QFETCH(QString, method);
        QVector<Earth> earths(9, kBackground);
        earths[3] = earths[4] = earths[5] = kBlock;
        const StandInRun run = runStandIn(method, line(earths, 0.03));
        QVERIFY2(run.exitCode == 0 && run.outputRead && run.section.size() == 9, qPrintable(run.log));
        for (int s = 0; s < 9; ++s) {
            const double rho = resistivityAt(run.section[s], 425);
            const bool underBlock = s >= 3 && s <= 5;
            QVERIFY2(underBlock ? rho < 25 : rho > 50 && rho < 200,
                     qPrintable(QString("station %1: %2 ohm-m\n").arg(s + 1).arg(rho) + describe(run)));
        }
    }

    void badStationsAreLeftOut_data()
    {
        QTest::addColumn<QString>("method");
        QTest::addColumn<int>("records");      // of station 3's curve
        QTest::addColumn<int>("nonFinite");    // records of it made non-finite
        QTest::addColumn<QString>("reported"); // in the program's log; empty: the run fails
        QTest::newRow("nlcg, three records") << "nlcg" << 3 << 0 << "station 3: 3 of 3 records usable";
        QTest::newRow("nlcg, non-finite curve") << "nlcg" << 41 << 41 << "station 3: 0 of 41 records usable";
        QTest::newRow("nlls, non-finite curve") << "nlls" << 41 << 41 << "station 3: 0 of 41 records usable";
        QTest::newRow("nlcg, some non-finite records") << "nlcg" << 41 << 6 << "station 3: 35 of 41 records usable";
        QTest::newRow("nlcg, nothing usable") << "nlcg" << 41 << -1 << "";
    }
    // A left-out station's column follows its neighbours (so shows their conductor); no value of
    // the section is non-finite. With no usable station at all the program fails without output.
    void badStationsAreLeftOut()
    {
        QFETCH(QString, method);
        QFETCH(int, records);
        QFETCH(int, nonFinite);
        QFETCH(QString, reported);
        QList<QVector<OneFreqImpedance>> curves = line(QVector<Earth>(7, kThreeLayers), 0.03);
        curves[2].resize(records);
        const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
        for (int s = 0; s < curves.size(); ++s)
            for (int i = 0; i < curves[s].size(); ++i)
                if ((s == 2 && i < nonFinite) || nonFinite < 0) {
                    curves[s][i].rho = i % 2 ? nan : inf;
                    curves[s][i].phase = nan;
                }
        const StandInRun run = runStandIn(method, curves);
        if (reported.isEmpty()) {
            QVERIFY2(run.exitCode != 0 && !run.outputRead && run.log.contains("no station"), qPrintable(run.log));
            return;
        }
        QVERIFY2(run.exitCode == 0 && run.outputRead && run.section.size() == 7, qPrintable(run.log));
        QVERIFY2(run.log.contains(reported) && run.log.contains("left out") == (records - nonFinite < 5),
                 qPrintable(run.log));
        for (const DataType_ResultData &column : run.section)
            for (double rho : column.value)
                QVERIFY2(std::isfinite(rho) && rho > 0, qPrintable(describe(run)));
        const Conductor conductor = conductiveLayer(run.section[2], 1500);
        QVERIFY2(std::abs(conductor.centre / 350 - 1) <= 0.2 && conductor.rho <= 20, qPrintable(describe(run)));
    }
};

QTEST_GUILESS_MAIN(TestInversion)
#include "tst_Inversion.moc"
