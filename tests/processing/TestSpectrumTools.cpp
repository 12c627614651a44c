// Frequency tables, calibration-table resampling, calibration, the Parzen band average and the
// running means.
#include <QtTest>
#include <cmath>
#include <complex>

#include "FrequencyTables.h"
#include "ParzenBand.h"
#include "ProcessingFixtures.h"
#include "ProcessingTests.h"
#include "SpectrumCalibration.h"
#include "SpectrumMeans.h"

using Fixtures::randomSamples;

namespace {

// Ten per decade from the decimal texts of the mantissas, 248 in place of 251.
QList<double> decimalTable(const QStringList &mantissas, int firstExponent, int lastExponent)
{
    QList<double> table;
    for (int e = firstExponent; e <= lastExponent; ++e)
        for (const QString &m : mantissas) {
            const double value = QStringLiteral("%1e%2").arg(m).arg(e).toDouble();
            table.append(value == 251.0 ? 248.0 : value);
        }
    table.append(100000.0);
    return table;
}

QList<OneFreqCheck> rows(const QVector<QVector<double>> &values)
{
    QList<OneFreqCheck> table;
    for (const QVector<double> &v : values)
        table.append({v[0], v[1], v[2]});
    return table;
}

} // namespace

class TestSpectrumTools : public QObject {
    Q_OBJECT
private slots:
    void frequencyTables()
    {
        const QStringList decade{"1.0", "1.26", "1.58", "2.0", "2.51", "3.16", "3.98", "5.01", "6.31", "7.94"};
        QCOMPARE(FrequencyTables::standardFrequencies(), decimalTable(decade, -2, 4));
        QCOMPARE(FrequencyTables::standardFrequencies().size(), 71);
        QCOMPARE(FrequencyTables::tensorFrequencies(), decimalTable(decade, 0, 4).mid(1));
        QCOMPARE(FrequencyTables::tensorFrequencies().size(), 50);
        QVERIFY(FrequencyTables::tensorFrequencies().contains(2510.0));
    }

    void frequencySelection_data()
    {
        QTest::addColumn<bool>("tensorTable");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<QList<double>>("ends");   // first, last
        QTest::addColumn<int>("count");
        QTest::newRow("station spectrum 2000 Hz") << false << 10.0 << 1000.0 << QList<double>{10, 1000} << 21;
        QTest::newRow("station spectrum 24000 Hz") << false << 1000.0 << 12000.0 << QList<double>{1000, 10000} << 11;
        QTest::newRow("tensor 24000 Hz, n 16384") << true << 1.0 << 12000.0 << QList<double>{1.26, 10000} << 40;
        QTest::newRow("tensor middle band") << true << 30.0 << 1250.0 << QList<double>{31.6, 1000} << 16;
    }
    void frequencySelection()
    {
        QFETCH(bool, tensorTable);
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(QList<double>, ends);
        QFETCH(int, count);
        const QList<double> selected = FrequencyTables::within(
            tensorTable ? FrequencyTables::tensorFrequencies() : FrequencyTables::standardFrequencies(),
            lower, upper);
        QCOMPARE(selected.size(), count);
        QCOMPARE(selected.first(), ends[0]);
        QCOMPARE(selected.last(), ends[1]);
    }

    // Values at the lines k * fs / n worked out by hand from the tables.
    void resampleTable_data()
    {
        QTest::addColumn<QList<OneFreqCheck>>("table");
        QTest::addColumn<QList<OneFreqCheck>>("expected");
        QTest::newRow("inside, then held above") << rows({{1, 2, 0.1}, {3, 4, 0.3}})
                                                 << rows({{1, 2, 0.1}, {2, 3, 0.2}, {3, 4, 0.3}, {4, 4, 0.3}});
        QTest::newRow("held below the first row") << rows({{2, 1, 0}, {4, 3, 1}})
                                                  << rows({{1, 1, 0}, {2, 1, 0}, {3, 2, 0.5}, {4, 3, 1}});
        QTest::newRow("one row") << rows({{5, 7, 0.2}}) << rows({{1, 7, 0.2}, {2, 7, 0.2}, {3, 7, 0.2}, {4, 7, 0.2}});
        QTest::newRow("no row") << QList<OneFreqCheck>() << QList<OneFreqCheck>();
    }
    void resampleTable()
    {
        QFETCH(QList<OneFreqCheck>, table);
        QFETCH(QList<OneFreqCheck>, expected);
        SpectrumCalibration::resampleCheckTable(table, 8, 8.0);
        QCOMPARE(table.size(), expected.size());
        for (int i = 0; i < table.size(); ++i) {
            QCOMPARE(table[i].freq, expected[i].freq);
            QCOMPARE(table[i].amplitude, expected[i].amplitude);
            QVERIFY(std::fabs(table[i].phase - expected[i].phase) < 1e-15);
        }
    }

    void resampleOntoLongTransform()
    {
        QList<OneFreqCheck> table = rows({{0.1, 1, 0}, {10000, 2, 1}});
        SpectrumCalibration::resampleCheckTable(table, 16384, 4096.0);
        QCOMPARE(table.size(), 8192);
        QCOMPARE(table[0].freq, 0.25);
        QCOMPARE(table[3].freq, 1.0);
        QCOMPARE(table.last().freq, 2048.0);
    }

    void calibrate_data()
    {
        QTest::addColumn<bool>("useSensor");
        QTest::addColumn<double>("amplitude");
        QTest::addColumn<double>("phase");
        QTest::newRow("gain and sensor") << true << 2.0 << 0.25;
        QTest::newRow("gain only") << false << 6.0 << 0.75;
    }
    void calibrate()
    {
        QFETCH(bool, useSensor);
        QFETCH(double, amplitude);
        QFETCH(double, phase);
        // Four lines against three-line tables: the fourth line has no table value and is dropped.
        const QList<OneFreqSpectrum> spectrum{{1, 12, 1.0}, {2, 12, 1.0}, {3, 12, 1.0}, {4, 12, 1.0}};
        const QList<OneFreqCheck> gain = rows({{1, 2, 0.25}, {2, 2, 0.25}, {3, 2, 0.25}});
        const QList<OneFreqCheck> sensor = rows({{1, 3, 0.5}, {2, 3, 0.5}, {3, 3, 0.5}});
        const QList<OneFreqSpectrum> calibrated = SpectrumCalibration::calibrateSpectrum(spectrum, sensor, gain, useSensor);
        QCOMPARE(calibrated.size(), 3);
        for (const OneFreqSpectrum &line : calibrated) {
            QCOMPARE(line.amplitude, amplitude);
            QCOMPARE(line.phase, phase);
        }
        QCOMPARE(calibrated[2].freq, 3.0);
    }

    void bandAverage_data()
    {
        QTest::addColumn<double>("f0");
        QTest::addColumn<double>("r");
        QTest::addColumn<QVector<double>>("values");
        QTest::addColumn<double>("expected");
        // Lines at 9, 10 and 11 Hz.
        QTest::newRow("neighbours at exactly the half-width are left out") << 10.0 << 0.1 << QVector<double>{5, 1, 7} << 1.0;
        // w = (sin(pi/1.5) / (pi/1.5))^4 = 0.029234; (5 w + 1 + 7 w) / (1 + 2 w).
        QTest::newRow("neighbours weighted by the kernel") << 10.0 << 0.15 << QVector<double>{5, 1, 7} << 1.2761916;
        QTest::newRow("equal values whatever the weights") << 10.3 << 0.5 << QVector<double>{3, 3, 3} << 3.0;
        QTest::newRow("empty band") << 100.0 << 0.3 << QVector<double>{5, 1, 7} << qQNaN();
    }
    void bandAverage()
    {
        QFETCH(double, f0);
        QFETCH(double, r);
        QFETCH(QVector<double>, values);
        QFETCH(double, expected);
        const double actual = ParzenBand::bandAverage(f0, {9, 10, 11}, values, r);
        if (std::isnan(expected))
            QVERIFY(std::isnan(actual));
        else
            QCLOSE(actual, expected, 1e-7);
    }

    // The running means give exactly what summing the stored list in order and dividing gives.
    void runningMeansMatchStoredSums()
    {
        const int segments = 7, lines = 33;
        QList<QVector<double>> amplitudes;
        QList<QList<OneFreqSpectrum>> spectra;
        QList<QVector<OneFreqCrossPower>> crossPowers;
        for (int s = 0; s < segments; ++s) {
            const QVector<double> a = randomSamples(lines, 10 + s), p = randomSamples(lines, 50 + s);
            const QVector<double> c = randomSamples(8 * lines, 90 + s);
            amplitudes.append(a);
            QList<OneFreqSpectrum> spectrum;
            QVector<OneFreqCrossPower> records;
            for (int j = 0; j < lines; ++j) {
                spectrum.append({j + 1.0, a[j], 3 * p[j]});
                OneFreqCrossPower record{j + 1.0, {}};
                for (int e = 0; e < 4; ++e)
                    record.crossPower.append(gsl_complex{{c[8 * j + 2 * e], c[8 * j + 2 * e + 1]}});
                records.append(record);
            }
            spectra.append(spectrum);
            crossPowers.append(records);
        }
        AmplitudeMean amplitudeMean;
        SpectrumMean spectrumMean;
        CrossPowerMean crossPowerMean;
        for (int s = 0; s < segments; ++s) {
            amplitudeMean.add(amplitudes[s]);
            spectrumMean.add(spectra[s]);
            crossPowerMean.add(crossPowers[s]);
        }
        const QVector<double> meanAmplitudes = amplitudeMean.mean();
        const QVector<OneFreqSpectrum> meanSpectrum = spectrumMean.mean();
        const QVector<OneFreqCrossPower> meanCrossPowers = crossPowerMean.mean();
        QCOMPARE(meanAmplitudes.size(), lines);
        QCOMPARE(meanCrossPowers.size(), lines);
        for (int j = 0; j < lines; ++j) {
            double amplitude = amplitudes[0][j], phase = spectra[0][j].phase;
            std::complex<double> entries[4];
            for (int e = 0; e < 4; ++e)
                entries[e] = {GSL_REAL(crossPowers[0][j].crossPower[e]), GSL_IMAG(crossPowers[0][j].crossPower[e])};
            for (int s = 1; s < segments; ++s) {
                amplitude += amplitudes[s][j];
                phase += spectra[s][j].phase;
                for (int e = 0; e < 4; ++e)
                    entries[e] += std::complex<double>{GSL_REAL(crossPowers[s][j].crossPower[e]),
                                                       GSL_IMAG(crossPowers[s][j].crossPower[e])};
            }
            QCOMPARE(meanAmplitudes[j], amplitude / segments);
            QCOMPARE(meanSpectrum[j].amplitude, amplitude / segments);
            QCOMPARE(meanSpectrum[j].phase, phase / segments);
            QCOMPARE(meanSpectrum[j].freq, j + 1.0);
            for (int e = 0; e < 4; ++e) {
                QCOMPARE(GSL_REAL(meanCrossPowers[j].crossPower[e]), entries[e].real() / segments);
                QCOMPARE(GSL_IMAG(meanCrossPowers[j].crossPower[e]), entries[e].imag() / segments);
            }
        }
    }

    // Phases are averaged as numbers: 3 and -3 radians give 0, not pi.
    void phasesAveragedWithoutUnwrapping()
    {
        SpectrumMean mean;
        mean.add({{1, 1, 3.0}});
        mean.add({{1, 1, -3.0}});
        QCOMPARE(mean.mean().first().phase, 0.0);
        QVERIFY(SpectrumMean().mean().isEmpty());
        QVERIFY(CrossPowerMean().mean().isEmpty());
    }
};

int runSpectrumToolsTests(int argc, char **argv)
{
    TestSpectrumTools test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSpectrumTools.moc"
