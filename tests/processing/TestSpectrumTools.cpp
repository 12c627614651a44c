// Frequency tables, calibration-table resampling and the running means.
#include <QtTest>
#include <complex>

#include "FrequencyTables.h"
#include "ProcessingFixtures.h"
#include "ProcessingTests.h"
#include "SpectrumCalibration.h"
#include "SpectrumMeans.h"

namespace {

// Ten per decade from the decimal texts of the mantissas, 248 in place of 251.
QList<double> decimalTable(int firstExponent)
{
    QList<double> table;
    for (int e = firstExponent; e <= 4; ++e)
        for (const char *m : {"1.0", "1.26", "1.58", "2.0", "2.51", "3.16", "3.98", "5.01", "6.31", "7.94"}) {
            const double value = QStringLiteral("%1e%2").arg(m).arg(e).toDouble();
            table.append(value == 251.0 ? 248.0 : value);
        }
    return table << 100000.0;
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
        QCOMPARE(FrequencyTables::standardFrequencies(), decimalTable(-2));
        QCOMPARE(FrequencyTables::standardFrequencies().size(), 71);
        QCOMPARE(FrequencyTables::tensorFrequencies(), decimalTable(0).mid(1));
        QCOMPARE(FrequencyTables::tensorFrequencies().size(), 50);
        QCOMPARE(FrequencyTables::within(FrequencyTables::tensorFrequencies(), 1.0, 12000.0).size(), 40);
    }

    // Values at the lines k * fs / n = 1, 2, 3, 4 Hz worked out by hand from the tables.
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

    // The running means give exactly what summing the stored list in order and dividing gives;
    // phases are averaged as numbers (3 and -3 radians give 0, not pi).
    void runningMeansMatchStoredSums()
    {
        const int segments = 7, lines = 33;
        CrossPowerMean crossPowers;
        SpectrumMean spectra;
        QVector<std::complex<double>> sums(4 * lines);
        for (int s = 0; s < segments; ++s) {
            const QVector<double> c = Fixtures::randomSamples(8 * lines, 90 + s);
            QVector<OneFreqCrossPower> records;
            for (int j = 0; j < lines; ++j) {
                records.append(OneFreqCrossPower{j + 1.0, {}});
                for (int e = 0; e < 4; ++e) {
                    records[j].crossPower.append(gsl_complex{{c[8 * j + 2 * e], c[8 * j + 2 * e + 1]}});
                    sums[4 * j + e] += std::complex<double>(c[8 * j + 2 * e], c[8 * j + 2 * e + 1]);
                }
            }
            crossPowers.add(records);
            spectra.add({{1, 1, s % 2 ? -3.0 : 3.0}});
        }
        const QVector<OneFreqCrossPower> mean = crossPowers.mean();
        QCOMPARE(mean.size(), lines);
        for (int j = 0; j < lines; ++j)
            for (int e = 0; e < 4; ++e) {
                QCOMPARE(GSL_REAL(mean[j].crossPower[e]), sums[4 * j + e].real() / segments);
                QCOMPARE(GSL_IMAG(mean[j].crossPower[e]), sums[4 * j + e].imag() / segments);
            }
        QCOMPARE(spectra.mean().first().phase, 3.0 / segments);
        QVERIFY(CrossPowerMean().mean().isEmpty());
    }
};

int runSpectrumToolsTests(int argc, char **argv)
{
    TestSpectrumTools test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestSpectrumTools.moc"
