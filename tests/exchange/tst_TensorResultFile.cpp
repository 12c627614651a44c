// Tensor result files: the record layout, bands by sampling rate, the round trip, and failures
// reported to the operator or stopping the reading.
#include <QtTest>
#include <gsl/gsl_complex_math.h>

#include "EDIDeviceIO.h"
#include "ScriptedOperatorDialogs.h"

class TestTensorResultFile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    ScriptedOperatorDialogs dialogs;
    EDIDeviceIO io{&dialogs};

    QByteArray readAll(const QString &name) const
    {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Records whose values all differ: several above a million ("e+" in the file), several small.
    bool write(const QString &name, const QVector<double> &frequencies, double rate)
    {
        QVector<TensorCrossPower> records;
        QVector<TensorImpedance> impedances;
        for (double f : frequencies) {
            records << TensorCrossPower{f, QVector<QVector<gsl_complex>>(4, QVector<gsl_complex>(4))};
            for (int i = 0; i < 16; ++i)
                records.last().matrix[i / 4][i % 4] = gsl_complex_rect((i / 4 + 1) * 1.5e6 + i % 4, -(i % 4 + 1) * 2.5e-5);
            impedances << TensorImpedance{f, -12.5, 3.25e6, 47.125, 1234567.0, -133.75, 0.000123456, 5.5, 9.87654321e-7};
        }
        return io.writeTensorFile(records, impedances, dir.filePath(name), rate);
    }
    // The text of the records read, written again.
    QByteArray rewritten(const QList<TensorCrossPower> &records, const QList<TensorImpedance> &impedances)
    {
        return io.writeTensorFile(records.toVector(), impedances.toVector(), dir.filePath("again"), 24000)
            ? readAll("again.HMT") : QByteArray();
    }

private slots:
    // One record written out by hand: resistivity before phase, two-space separators, four-space
    // indent, 'g' format with six digits.
    void recordLayout()
    {
        QVERIFY(write("layout", {1234567}, 24000));
        QCOMPARE(readAll("layout.HMT"),
                 QByteArray("Freq  1.23457e+06  3.25e+06  -12.5  1.23457e+06  47.125  0.000123456  -133.75  9.87654e-07  5.5\n"
                            "    1.5e+06  -2.5e-05  1.5e+06  -5e-05  1.5e+06  -7.5e-05  1.5e+06  -0.0001\n"
                            "    3e+06  -2.5e-05  3e+06  -5e-05  3e+06  -7.5e-05  3e+06  -0.0001\n"
                            "    4.5e+06  -2.5e-05  4.5e+06  -5e-05  4.5e+06  -7.5e-05  4.5e+06  -0.0001\n"
                            "    6e+06  -2.5e-05  6e+06  -5e-05  6e+06  -7.5e-05  6e+06  -0.0001\n"));
    }

    // Above 4096 Hz the high band, 501 to 4096 Hz the middle, below the low one. The three band
    // files read into the same lists keep their order, and every value reads back to the six
    // digits written: writing the lists again gives the files back.
    void threeBandsRoundTrip()
    {
        QVERIFY(write("12", {1000, 12345.6789}, 4097) && write("12", {100}, 501) && write("12", {0.5}, 500));
        QVERIFY(write("13", {1}, 4096) && QFile::exists(dir.filePath("13.MMT")));
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        for (const char *name : {"12.HMT", "12.MMT", "12.LMT"})
            QVERIFY(io.readTensorFile(records, impedances, dir.filePath(name)));
        QCOMPARE(records.size(), 4);
        QVERIFY(records[1].freq == 12345.7 && impedances[1].rhoXX == 3.25e6 && impedances[3].freq == 0.5);
        QCOMPARE(rewritten(records, impedances), readAll("12.HMT") + readAll("12.MMT") + readAll("12.LMT"));
    }

    // Failures to open reach the operator with the fixed titles and texts; the lists stay as they were.
    void openFailuresAreReported()
    {
        QVERIFY(!write("no-folder/tensors/12", {1}, 24000));
        QList<TensorCrossPower> records{TensorCrossPower()};
        QList<TensorImpedance> impedances{TensorImpedance()};
        QVERIFY(!io.readTensorFile(records, impedances, dir.filePath("missing.HMT")));
        QCOMPARE(dialogs.boxes(), QString("critical:保存错误:保存数据错误|critical:读取错误:读取数据错误"));
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
        QTest::newRow("a megabyte matrix line of one field") << 1 << QByteArray(1 << 20, '9') + "\n";
    }
    // Values that are no ordinary numbers are read as the numbers they spell; the file is whole.
    void unusualNumbers()
    {
        QFile file(dir.filePath("odd.HMT"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Freq  4.9e-324  nan  inf  -inf  1e308  -0  1e400  2  3\n"
                   + QByteArray("    1 2 3 4 5 6 7 nan\n").repeated(4));
        file.close();
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        QVERIFY(io.readTensorFile(records, impedances, file.fileName()));
        QVERIFY(records.size() == 1 && impedances.size() == 1);
        const TensorImpedance &z = impedances.first();
        QVERIFY(z.freq == 4.9e-324 && std::isnan(z.rhoXX) && z.phaseXX == qInf() && z.rhoXY == -qInf());
        QVERIFY(z.phaseXY == 1e308 && z.rhoYY == 2 && z.phaseYY == 3);
        QVERIFY(std::isnan(GSL_IMAG(records.first().matrix[3][3])));
    }
    void damagedRecord()
    {
        QFETCH(int, keptLines);
        QFETCH(QByteArray, tail);
        QVERIFY(write("cut", {1000, 2000}, 24000));
        const QList<QByteArray> lines = readAll("cut.HMT").split('\n');
        QFile file(dir.filePath("cut.HMT"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.mid(0, 5 + keptLines).join('\n') + '\n' + tail);
        file.close();
        QList<TensorCrossPower> records;
        QList<TensorImpedance> impedances;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("incomplete record at line 6"));
        QVERIFY(!io.readTensorFile(records, impedances, file.fileName()));
        QCOMPARE(rewritten(records, impedances), lines.mid(0, 5).join('\n') + '\n');
    }
};

QTEST_GUILESS_MAIN(TestTensorResultFile)
#include "tst_TensorResultFile.moc"
