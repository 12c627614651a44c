#include <QtTest>
#include <cmath>
#include <gsl/gsl_complex_math.h>

#include "EDIDeviceIO.h"
#include "ScriptedOperatorDialogs.h"

namespace {

// A record whose values are all different, scaled so that some need exponent notation.
TensorImpedance impedanceFor(double freq, double scale)
{
    return TensorImpedance{freq, -12.5 * scale, 3.25e6 * scale, 47.125, 1234567.0 * scale,
                           -133.75, 0.000123456 * scale, 5.5, 9.87654321e-7 * scale};
}

TensorCrossPower crossPowerFor(double freq, double scale)
{
    TensorCrossPower record;
    record.freq = freq;
    record.matrix = QVector<QVector<gsl_complex>>(4, QVector<gsl_complex>(4));
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

// Six significant digits: the relative rounding error is at most half a unit in the sixth digit.
void compareSixDigits(double actual, double expected, const char *what)
{
    const double tolerance = 5.0000001e-6 * std::fabs(expected);
    QVERIFY2(std::fabs(actual - expected) <= tolerance,
             qPrintable(QString("%1: expected %2, read %3").arg(what).arg(expected, 0, 'g', 17)
                            .arg(actual, 0, 'g', 17)));
}

void compareRecord(const TensorImpedance &a, const TensorImpedance &e)
{
    const double actual[] = {a.freq, a.phaseXX, a.rhoXX, a.phaseXY, a.rhoXY, a.phaseYX, a.rhoYX, a.phaseYY, a.rhoYY};
    const double expected[] = {e.freq, e.phaseXX, e.rhoXX, e.phaseXY, e.rhoXY, e.phaseYX, e.rhoYX, e.phaseYY, e.rhoYY};
    for (int i = 0; i < 9; ++i)
        compareSixDigits(actual[i], expected[i], "impedance field");
}

void compareMatrix(const TensorCrossPower &a, const TensorCrossPower &e)
{
    QCOMPARE(a.matrix.size(), 4);
    compareSixDigits(a.freq, e.freq, "frequency");
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            compareSixDigits(GSL_REAL(a.matrix[i][j]), GSL_REAL(e.matrix[i][j]), "real part");
            compareSixDigits(GSL_IMAG(a.matrix[i][j]), GSL_IMAG(e.matrix[i][j]), "imaginary part");
        }
}

} // namespace

class TestTensorResultFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedOperatorDialogs dialogs;

    QString base(const QString &name) const { return dir.filePath(name); }

private slots:
    void init() { dialogs.calls.clear(); }

    // The exact text of one record, written out by hand from the layout: resistivity before phase,
    // two-space separators, four-space indent, 'g' format with six digits.
    void recordLayout()
    {
        TensorCrossPower record;
        record.freq = 1234567.0;
        record.matrix = QVector<QVector<gsl_complex>>(4, QVector<gsl_complex>(4, gsl_complex_rect(0, 0)));
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
        const QVector<TensorCrossPower> records{crossPowerFor(0.5, scale), crossPowerFor(12345.6789, scale)};
        const QVector<TensorImpedance> impedances{impedanceFor(0.5, scale), impedanceFor(12345.6789, scale)};
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.writeTensorFile(records, impedances, base("round"), 150));
        QList<TensorCrossPower> readRecords;
        QList<TensorImpedance> readImpedances;
        QVERIFY(io.readTensorFile(readRecords, readImpedances, base("round.LMT")));
        QCOMPARE(readImpedances.size(), 2);
        QCOMPARE(readRecords.size(), 2);
        for (int i = 0; i < 2; ++i) {
            compareRecord(readImpedances[i], impedances[i]);
            compareMatrix(readRecords[i], records[i]);
        }
        QVERIFY(dialogs.calls.isEmpty());
    }

    void bandExtension_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<QString>("extension");
        QTest::newRow("24000 high") << 24000.0 << ".HMT";
        QTest::newRow("4097 high") << 4097.0 << ".HMT";
        QTest::newRow("4096 middle") << 4096.0 << ".MMT";
        QTest::newRow("2400 middle") << 2400.0 << ".MMT";
        QTest::newRow("501 middle") << 501.0 << ".MMT";
        QTest::newRow("500 low") << 500.0 << ".LMT";
        QTest::newRow("150 low") << 150.0 << ".LMT";
    }
    void bandExtension()
    {
        QFETCH(double, rate);
        QFETCH(QString, extension);
        QDir(dir.path()).mkpath("band");
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.writeTensorFile({}, {}, base("band/7"), rate));
        QCOMPARE(QDir(base("band")).entryList(QDir::Files), QStringList{"7" + extension});
        QDir(base("band")).removeRecursively();
    }

    // The three band files of a station read into the same lists keep their reading order.
    void threeBandsConcatenate()
    {
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.writeTensorFile({crossPowerFor(1000, 1), crossPowerFor(2000, 1)},
                                   {impedanceFor(1000, 1), impedanceFor(2000, 1)}, base("12.5"), 24000));
        QVERIFY(io.writeTensorFile({crossPowerFor(100, 1)}, {impedanceFor(100, 1)}, base("12.5"), 2400));
        QVERIFY(io.writeTensorFile({crossPowerFor(3, 1)}, {impedanceFor(3, 1)}, base("12.5"), 150));
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        for (const char *extension : {".HMT", ".MMT", ".LMT"})
            QVERIFY(io.readTensorFile(records, impedances, base("12.5") + extension));
        QList<double> frequencies;
        for (const TensorImpedance &z : impedances)
            frequencies.append(z.freq);
        QCOMPARE(frequencies, (QList<double>{1000, 2000, 100, 3}));
        QCOMPARE(records.size(), 4);
        QCOMPARE(records[3].freq, 3.0);
    }

    // Writing no record truncates the file to nothing; reading it adds no record.
    void emptyFile()
    {
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.writeTensorFile({crossPowerFor(1, 1)}, {impedanceFor(1, 1)}, base("empty"), 24000));
        QVERIFY(io.writeTensorFile({}, {}, base("empty"), 24000));
        QCOMPARE(readAll(base("empty.HMT")), QByteArray());
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        QVERIFY(io.readTensorFile(records, impedances, base("empty.HMT")));
        QVERIFY(records.isEmpty() && impedances.isEmpty());
    }

    void unwritableFolderIsReported()
    {
        EDIDeviceIO io(&dialogs);
        QVERIFY(!io.writeTensorFile({crossPowerFor(1, 1)}, {impedanceFor(1, 1)},
                                    base("no-such-folder/tensors/12"), 24000));
        QCOMPARE(dialogs.calls.size(), 1);
        QCOMPARE(dialogs.calls[0].kind, QString("critical"));
        QCOMPARE(dialogs.calls[0].title, QString("保存错误"));
        QCOMPARE(dialogs.calls[0].text, QString("保存数据错误"));
    }

    void unreadableFileIsReported()
    {
        EDIDeviceIO io(&dialogs);
        QList<TensorCrossPower> records{crossPowerFor(5, 1)};
        QList<TensorImpedance> impedances{impedanceFor(5, 1)};
        QVERIFY(!io.readTensorFile(records, impedances, base("missing.HMT")));
        QCOMPARE(dialogs.callsOf("critical").size(), 1);
        QCOMPARE(dialogs.calls[0].title, QString("读取错误"));
        QCOMPARE(dialogs.calls[0].text, QString("读取数据错误"));
        QCOMPARE(records.size(), 1);
        QCOMPARE(impedances.size(), 1);
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
        QByteArray damaged;
        for (int i = 0; i < 5 + keptLines; ++i)
            damaged += lines[i] + '\n';
        QFile file(base("cut.HMT"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(damaged + tail);
        file.close();

        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("incomplete record at line 6"));
        QVERIFY(!io.readTensorFile(records, impedances, base("cut.HMT")));
        QCOMPARE(impedances.size(), 1);
        QCOMPARE(records.size(), 1);
        compareRecord(impedances[0], impedanceFor(1000, 1));
        compareMatrix(records[0], crossPowerFor(1000, 1));
    }

    // Text that is not a number reads as 0; the word "Freq" is not checked.
    void unconvertibleFieldsReadAsZero()
    {
        QFile file(base("words.HMT"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write("Hz,10;abc|2 3 4 5 6 7 8\n 1 x 3 4 5 6 7 8\n1 2 3 4 5 6 7 8\n1 2 3 4 5 6 7 8\n1 2 3 4 5 6 7 8*9\n");
        file.close();
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        EDIDeviceIO io(&dialogs);
        QVERIFY(io.readTensorFile(records, impedances, base("words.HMT")));
        QCOMPARE(impedances.size(), 1);
        QCOMPARE(impedances[0].freq, 10.0);
        QCOMPARE(impedances[0].rhoXX, 0.0);
        QCOMPARE(impedances[0].phaseXX, 2.0);
        QCOMPARE(impedances[0].phaseYY, 8.0);
        QCOMPARE(GSL_IMAG(records[0].matrix[0][0]), 0.0);
        QCOMPARE(GSL_REAL(records[0].matrix[3][3]), 7.0);
    }
};

QTEST_GUILESS_MAIN(TestTensorResultFile)
#include "tst_TensorResultFile.moc"
