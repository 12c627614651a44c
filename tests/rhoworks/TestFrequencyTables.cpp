// The output frequency tables against tables built here from the rounded mantissas of each
// decade (the familiar 1.00, 1.26, 1.58, ... series), with the 248 Hz line of the 10-per-decade
// tables.

#include <QtTest>
#include <cmath>

#include "Rhoworks.h"
#include "RhoworksTestSupport.h"

using namespace RhoworksTest;

namespace {

// Mantissas (hundredths) of 10^(j/N) rounded to three significant digits, j = 0..N-1.
QVector<int> mantissas(int linesPerDecade)
{
    switch (linesPerDecade) {
    case 10: return {100, 126, 158, 200, 251, 316, 398, 501, 631, 794};
    case 12: return {100, 121, 147, 178, 215, 261, 316, 383, 464, 562, 681, 825};
    case 15: return {100, 117, 136, 158, 185, 215, 251, 293, 341, 398, 464, 541, 631, 736, 858};
    default: return {100, 112, 126, 141, 158, 178, 200, 224, 251, 282,
                     316, 355, 398, 447, 501, 562, 631, 708, 794, 891};
    }
}

// 10^(k/N) for k = kFirst..kLast from the mantissa row, 248 for 10^2.4 when N = 10.
QList<double> expectedTable(int linesPerDecade, int kFirst, int kLast)
{
    const QVector<int> row = mantissas(linesPerDecade);
    QList<double> table;
    for (int k = kFirst; k <= kLast; ++k) {
        const int decade = int(std::floor(double(k) / linesPerDecade));
        const int j = k - decade * linesPerDecade;
        const bool exception = linesPerDecade == 10 && k == 24;
        table << (exception ? 248 : row[j]) * std::pow(10.0, decade - 2);
    }
    return table;
}

void compareTables(const QList<double> &actual, const QList<double> &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i)
        QVERIFY2(near(actual[i], expected[i], 1e-12),
                 qPrintable(mismatch(QString::number(i), actual[i], expected[i])));
}

}  // namespace

class TestFrequencyTables : public QObject {
    Q_OBJECT
private slots:
    void wholeTables_data();
    void wholeTables();
    void boundsAreInclusive_data();
    void boundsAreInclusive();
    void powerLinesAreExactTableMembers_data();
    void powerLinesAreExactTableMembers();
};

void TestFrequencyTables::wholeTables_data()
{
    QTest::addColumn<int>("mode");  // -1: the two-argument table
    QTest::addColumn<int>("linesPerDecade");
    QTest::addColumn<int>("kFirst");
    QTest::addColumn<int>("kLast");
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("first");
    QTest::addColumn<double>("last");
    QTest::newRow("two-argument") << -1 << 10 << 1 << 50 << 50 << 1.26 << 100000.0;
    QTest::newRow("mode 0") << 0 << 10 << -30 << 63 << 94 << 0.001 << 2000000.0;
    QTest::newRow("mode 1") << 1 << 12 << 1 << 60 << 60 << 1.21 << 100000.0;
    QTest::newRow("mode 2") << 2 << 15 << 1 << 75 << 75 << 1.17 << 100000.0;
    QTest::newRow("mode 3") << 3 << 20 << 1 << 100 << 100 << 1.12 << 100000.0;
}

void TestFrequencyTables::wholeTables()
{
    QFETCH(int, mode);
    QFETCH(int, linesPerDecade);
    QFETCH(int, kFirst);
    QFETCH(int, kLast);
    QFETCH(int, count);
    QFETCH(double, first);
    QFETCH(double, last);
    Rhoworks rhoworks;
    const QList<double> table = mode < 0 ? rhoworks.GenerateFreqList(0, 1e9)
                                         : rhoworks.GenerateFreqList(0, 1e9, mode);
    QCOMPARE(table.size(), count);
    QCOMPARE(table.first(), first);
    QCOMPARE(table.last(), last);
    compareTables(table, expectedTable(linesPerDecade, kFirst, kLast));
    // 248 replaces 251 only in the 10-per-decade tables; 251000 stays wherever it occurs.
    QCOMPARE(table.contains(248.0), linesPerDecade == 10);
    QCOMPARE(table.contains(251.0), linesPerDecade == 15 || linesPerDecade == 20);
    if (mode == 0)
        QVERIFY(table.contains(251000.0));
}

void TestFrequencyTables::boundsAreInclusive_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("fmin");
    QTest::addColumn<double>("fmax");
    QTest::addColumn<QList<double>>("expected");
    QTest::newRow("two-argument 100..1000")
        << -1 << 100.0 << 1000.0
        << QList<double>{100, 126, 158, 200, 248, 316, 398, 501, 631, 794, 1000};
    QTest::newRow("mode 3 40..60") << 3 << 40.0 << 60.0 << QList<double>{44.7, 50.1, 56.2};
    QTest::newRow("mode 0 10..512") << 0 << 10.0 << 512.0
        << QList<double>{10, 12.6, 15.8, 20, 25.1, 31.6, 39.8, 50.1, 63.1, 79.4, 100, 126, 158,
                         200, 248, 316, 398, 501};
    QTest::newRow("just above a value") << 0 << 10.000001 << 12.6 << QList<double>{12.6};
    QTest::newRow("mode 9") << 9 << 1.0 << 10.0 << QList<double>{};
    QTest::newRow("inverted bounds") << 0 << 100.0 << 10.0 << QList<double>{};
}

void TestFrequencyTables::boundsAreInclusive()
{
    QFETCH(int, mode);
    QFETCH(double, fmin);
    QFETCH(double, fmax);
    QFETCH(QList<double>, expected);
    Rhoworks rhoworks;
    const QList<double> table = mode < 0 ? rhoworks.GenerateFreqList(fmin, fmax)
                                         : rhoworks.GenerateFreqList(fmin, fmax, mode);
    compareTables(table, expected);
}

void TestFrequencyTables::powerLinesAreExactTableMembers_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QList<double>>("powerLines");
    QTest::newRow("mode 0") << 0 << QList<double>{39.8, 50.1, 63.1, 126, 158, 200};
    QTest::newRow("mode 1") << 1 << QList<double>{38.3, 46.4, 56.2, 68.1, 121, 147, 178, 215};
    QTest::newRow("mode 2") << 2 << QList<double>{39.8, 46.4, 54.1, 63.1, 136, 158, 185, 215};
    QTest::newRow("mode 3") << 3 << QList<double>{39.8, 44.7, 50.1, 56.2, 63.1, 126, 141, 158, 178, 200};
}

// The power-line repair finds its records by exact equality, so each listed value must be a
// bit-exact entry of its mode's table.
void TestFrequencyTables::powerLinesAreExactTableMembers()
{
    QFETCH(int, mode);
    QFETCH(QList<double>, powerLines);
    Rhoworks rhoworks;
    const QList<double> table = rhoworks.GenerateFreqList(0, 1e9, mode);
    for (double f : powerLines)
        QVERIFY2(table.contains(f), qPrintable(QString::number(f)));
}

namespace RhoworksTest {
int runFrequencyTableTests(int argc, char **argv)
{
    TestFrequencyTables test;
    return QTest::qExec(&test, argc, argv);
}
}  // namespace RhoworksTest

#include "TestFrequencyTables.moc"
