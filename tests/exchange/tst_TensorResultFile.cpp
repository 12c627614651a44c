#include <QtTest>
#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "EDIDeviceIO.h"
#include "ScriptedOperatorDialogs.h"

namespace {

// A record whose values all differ; scale 1 puts several above a million ("e+" in the file).
TensorImpedance impedanceFor(double freq, double scale)
{
    return TensorImpedance{freq, -12.5 * scale, 3.25e6 * scale, 47.125, 1234567.0 * scale,
                           -133.75, 0.000123456 * scale, 5.5, 9.87654321e-7 * scale};
}

TensorCrossPower crossPowerFor(double freq, double scale)
{
    TensorCrossPower record{freq, QVector<QVector<gsl_complex>>(4, QVector<gsl_complex>(4))};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            record.matrix[i][j] = gsl_complex_rect((i + 1) * 1.5e6 * scale + j, -(j + 1) * 2.5e-5 * scale);
    return record;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Every number of the record read back to six significant digits (half a unit in the sixth).
void compareSixDigits(const TensorCrossPower &c, const TensorImpedance &z, double freq, double scale)
{
    const TensorImpedance e = impedanceFor(freq, scale);
    QVector<double> actual{z.freq, z.phaseXX, z.rhoXX, z.phaseXY, z.rhoXY, z.phaseYX, z.rhoYX, z.phaseYY, z.rhoYY, c.freq};
    QVector<double> expected{e.freq, e.phaseXX, e.rhoXX, e.phaseXY, e.rhoXY, e.phaseYX, e.rhoYX, e.phaseYY, e.rhoYY, freq};
    QCOMPARE(c.matrix.size(), 4);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const gsl_complex written = crossPowerFor(freq, scale).matrix[i][j];
            actual << GSL_REAL(c.matrix[i][j]) << GSL_IMAG(c.matrix[i][j]);
            expected << GSL_REAL(written) << GSL_IMAG(written);
        }
    for (int i = 0; i < actual.size(); ++i)
        QVERIFY2(std::fabs(actual[i] - expected[i]) <= 5.0000001e-6 * std::fabs(expected[i]),
                 qPrintable(QString("value %1: wrote %2, read %3").arg(i).arg(expected[i], 0, 'g', 17).arg(actual[i], 0, 'g', 17)));
}

} // namespace

class TestTensorResultFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedOperatorDialogs dialogs;

    QString base(const QString &name) const { return dir.filePath(name); }

private slots:
    void init() { dialogs.calls.clear(); }

    // The text of one record written out by hand from the layout: resistivity before phase,
    // two-space separators, four-space indent, 'g' format with six digits.
    void recordLayout()
    {
        TensorCrossPower record{1234567.0, QVector<QVector<gsl_complex>>(4, QVector<gsl_complex>(4, gsl_complex_rect(0, 0)))};
        record.matrix[0][0] = gsl_complex_rect(2.5, 0);
        record.matrix[0][3] = gsl_complex_rect(-1e-5, 123456789);
        record.matrix[3][2] = gsl_complex_rect(0.000123, -45);
        const TensorImpedance z{1234567.0, -12.5, 3.25e6, 47.125, 100, -133.75, 0.5, 5.5, 1e-7};
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.writeTensorFile({record}, {z}, base("layout"), 24000));
        QCOMPARE(readAll(base("layout.HMT")),
                 QByteArray("Freq  1.23457e+06  3.25e+06  -12.5  100  47.125  0.5  -133.75  1e-07  5.5\n"
                            "    2.5  0  0  0  0  0  -1e-05  1.23457e+08\n"
                            "    0  0  0  0  0  0  0  0\n"
                            "    0  0  0  0  0  0  0  0\n"
                            "    0  0  0  0  0.000123  -45  0  0\n"));
    }

    void roundTrip_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("ordinary values") << 1e-3;
        QTest::newRow("millions, e+ exponents") << 1.0;
        QTest::newRow("tiny, e- exponents") << 1e-9;
    }
    void roundTrip()
    {
        QFETCH(double, scale);
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.writeTensorFile({crossPowerFor(0.5, scale), crossPowerFor(12345.6789, scale)},
                                   {impedanceFor(0.5, scale), impedanceFor(12345.6789, scale)}, base("round"), 150));
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        QVERIFY(io.readTensorFile(records, impedances, base("round.LMT")));
        QCOMPARE(impedances.size(), 2);
        QCOMPARE(records.size(), 2);
        compareSixDigits(records[0], impedances[0], 0.5, scale);
        compareSixDigits(records[1], impedances[1], 12345.6789, scale);
        QVERIFY(dialogs.calls.isEmpty());
    }

    void bandExtension_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("path");
        QTest::newRow("24000 high") << 24000.0 << "tensors/12.HMT";
        QTest::newRow("4097 high") << 4097.0 << "tensors/12.HMT";
        QTest::newRow("4096 middle") << 4096.0 << "tensors/12.MMT";
        QTest::newRow("2400 middle") << 2400.0 << "tensors/12.MMT";
        QTest::newRow("501 middle") << 501.0 << "tensors/12.MMT";
        QTest::newRow("500 low") << 500.0 << "tensors/12.LMT";
        QTest::newRow("150 low") << 150.0 << "tensors/12.LMT";
    }
    void bandExtension()
    {
        QFETCH(double, rate);
        QFETCH(QString, path);
        QCOMPARE(EDIDeviceIO::tensorFilePath("tensors/12", rate), path);
    }

    // The three band files of a station read into the same lists keep their reading order;
    // writing no record truncates a file to nothing, and reading it adds nothing.
    void threeBandsConcatenate()
    {
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.writeTensorFile({crossPowerFor(1000, 1), crossPowerFor(2000, 1)},
                                   {impedanceFor(1000, 1), impedanceFor(2000, 1)}, base("12.5"), 24000));
        QVERIFY(io.writeTensorFile({crossPowerFor(100, 1)}, {impedanceFor(100, 1)}, base("12.5"), 2400));
        QVERIFY(io.writeTensorFile({crossPowerFor(3, 1)}, {impedanceFor(3, 1)}, base("12.5"), 150));
        QVERIFY(io.writeTensorFile({crossPowerFor(3, 1)}, {impedanceFor(3, 1)}, base("empty"), 150));
        QVERIFY(io.writeTensorFile({}, {}, base("empty"), 150));
        QCOMPARE(readAll(base("empty.LMT")), QByteArray());
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        for (const char *name : {"12.5.HMT", "empty.LMT", "12.5.MMT", "12.5.LMT"})
            QVERIFY(io.readTensorFile(records, impedances, base(name)));
        QList<double> frequencies;
        for (int i = 0; i < impedances.size(); ++i)
            frequencies << impedances[i].freq << records[i].freq;
        QCOMPARE(frequencies, (QList<double>{1000, 1000, 2000, 2000, 100, 100, 3, 3}));
    }

    // Failures to open reach the operator with the fixed titles and texts; lists stay as they were.
    void openFailuresAreReported()
    {
        EDIDeviceIO io(&dialogs);
        QVERIFY(!io.writeTensorFile({crossPowerFor(1, 1)}, {impedanceFor(1, 1)}, base("no-folder/tensors/12"), 24000));
        QList<TensorCrossPower> records{crossPowerFor(5, 1)};
        QList<TensorImpedance> impedances{impedanceFor(5, 1)};
        QVERIFY(!io.readTensorFile(records, impedances, base("missing.HMT")));
        QCOMPARE(dialogs.calls.size(), 2);
        QCOMPARE(dialogs.calls[0].kind, QString("critical"));
        QCOMPARE(dialogs.calls[0].title + "/" + dialogs.calls[0].text, QString("保存错误/保存数据错误"));
        QCOMPARE(dialogs.calls[1].kind, QString("critical"));
        QCOMPARE(dialogs.calls[1].title + "/" + dialogs.calls[1].text, QString("读取错误/读取数据错误"));
        QCOMPARE(records.size() + impedances.size(), 2);
    }

    // A damaged second record stops the reading there; the first record is kept whole.
    void damagedRecord_data()
    {
        QTest::addColumn<int>("keptLines");   // lines of the second record left in the file
        QTest::addColumn<QByteArray>("tail"); // text appended after them
        QTest::newRow("cut inside the frequency line") << 0 << QByteArray("Freq  2000  1  2  3");
        QTest::newRow("cut after two matrix lines") << 3 << QByteArray();
        QTest::newRow("short last matrix line") << 4 << QByteArray("    1  2  3\n");
        QTest::newRow("blank line inside a record") << 2 << QByteArray("\n    1 2 3 4 5 6 7 8\n    1 2 3 4 5 6 7 8\n");
    }
    void damagedRecord()
    {
        QFETCH(int, keptLines);
        QFETCH(QByteArray, tail);
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.writeTensorFile({crossPowerFor(1000, 1), crossPowerFor(2000, 1)},
                                   {impedanceFor(1000, 1), impedanceFor(2000, 1)}, base("cut"), 24000));
        const QList<QByteArray> lines = readAll(base("cut.HMT")).split('\n');
        QFile file(base("cut.HMT"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        for (int i = 0; i < 5 + keptLines; ++i)
            file.write(lines[i] + '\n');
        file.write(tail);
        file.close();
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("incomplete record at line 6"));
        QVERIFY(!io.readTensorFile(records, impedances, base("cut.HMT")));
        QCOMPARE(impedances.size(), 1);
        QCOMPARE(records.size(), 1);
        compareSixDigits(records[0], impedances[0], 1000, 1);
    }
};

QTEST_GUILESS_MAIN(TestTensorResultFile)
#include "tst_TensorResultFile.moc"
