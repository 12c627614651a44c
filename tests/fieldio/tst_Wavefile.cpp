#include <QtTest>
#include <cmath>
#include <sys/resource.h>

#include "FixtureFiles.h"
#include "Wavefile.h"

namespace {

// Counts spread over the whole int32 range, both signs (a multiplicative hash of the index).
QVector<qint32> counts(int n)
{
    QVector<qint32> values(n);
    for (int i = 0; i < n; ++i)
        values[i] = qint32(quint32(i) * 2654435761u);
    return values;
}

QByteArray asTextLines(const QVector<qint32> &values)
{
    QByteArray text = "# channel Hx\n";
    for (qint32 v : values)
        text += QByteArray::number(v) + "\n";
    return text;
}

long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

}  // namespace

class TestWavefile : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    void segments_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("total");
        QTest::addColumn<double>("sampleCount");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("expected");
        for (const QString name : {"hx.dat", "hx.TXT", "hx.csv"}) {
            const QByteArray n = name.toLatin1();
            QTest::newRow(n + " exact fit") << name << 100 << 0.0 << 25 << 4 << 4;
            QTest::newRow(n + " trailing part dropped") << name << 110 << 0.0 << 25 << 0 << 4;
            QTest::newRow(n + " count limits") << name << 100 << 0.0 << 10 << 3 << 3;
            QTest::newRow(n + " negative count means all") << name << 100 << -1.0 << 10 << -1 << 10;
            QTest::newRow(n + " sample limit") << name << 100 << 55.0 << 10 << 0 << 5;
            QTest::newRow(n + " shorter than a segment") << name << 9 << 0.0 << 10 << 0 << 0;
            QTest::newRow(n + " empty file") << name << 0 << 0.0 << 10 << 0 << 0;
            QTest::newRow(n + " segments across read chunks") << name << 200000 << 0.0 << 70001 << 0 << 2;
        }
    }
    void segments()
    {
        QFETCH(QString, name);
        QFETCH(int, total);
        QFETCH(double, sampleCount);
        QFETCH(int, length);
        QFETCH(int, count);
        QFETCH(int, expected);
        const bool text = !name.endsWith(".dat");
        const QVector<qint32> values = counts(total);
        QVERIFY(writeFixture(path(name), text ? asTextLines(values) : int32LittleEndian(values)));

        const double scale = 0.125;
        Wavefile wave;
        QVERIFY(wave.getTimeSeries(path(name), scale, sampleCount, length, count));
        const QList<QVector<double>> segments = wave.getTsData();
        QCOMPARE(segments.size(), expected);
        for (int s = 0; s < segments.size(); ++s) {
            QCOMPARE(segments[s].size(), length);
            for (int j = 0; j < length; ++j)
                QCOMPARE(segments[s][j], values[s * length + j] * 0.125);
        }
    }

    void textLayout_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QVector<double>>("samples");
        QTest::newRow("comments and blank lines") << QByteArray("# header\n1\n\n  # note\n2\n \n3\n") << QVector<double>{1, 2, 3};
        QTest::newRow("first field of a line") << QByteArray("1.5,2,3\n-2.5;7\n3e2\t9\n4|5\n5*6 7\n") << QVector<double>{1.5, -2.5, 300, 4, 5};
        QTest::newRow("leading separators") << QByteArray("  ,7\n\t8\n|9\n") << QVector<double>{7, 8, 9};
        QTest::newRow("separator-only line is blank") << QByteArray("1\n , ;\n2\n") << QVector<double>{1, 2};
        QTest::newRow("CRLF, no final break") << QByteArray("1\r\n2\r\n3") << QVector<double>{1, 2, 3};
    }
    void textLayout()
    {
        QFETCH(QByteArray, content);
        QFETCH(QVector<double>, samples);
        QVERIFY(writeFixture(path("layout.txt"), content));
        Wavefile wave;
        QVERIFY(wave.getTimeSeries(path("layout.txt"), 1.0, 0, samples.size(), 1));
        QCOMPARE(wave.getTsData(), QList<QVector<double>>{samples});
    }

    // A failed read names the file, returns false and leaves no segments of an earlier file.
    void failures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("length");
        QTest::newRow("missing binary") << "none.dat" << QByteArray() << 1.0 << 2;
        QTest::newRow("missing text") << "none.asc" << QByteArray() << 1.0 << 2;
        QTest::newRow("directory") << "folder.dat" << QByteArray() << 1.0 << 2;
        QTest::newRow("garbage line") << "bad.txt" << QByteArray("1\nabc\n3\n4\n") << 1.0 << 2;
        QTest::newRow("trailing letters") << "bad.txt" << QByteArray("1\n2\n1.5x\n4\n") << 1.0 << 2;
        QTest::newRow("nan sample") << "bad.txt" << QByteArray("1\nnan\n3\n4\n") << 1.0 << 2;
        QTest::newRow("infinite sample") << "bad.txt" << QByteArray("1\n-inf\n3\n4\n") << 1.0 << 2;
        QTest::newRow("garbage in dropped tail") << "bad.txt" << QByteArray("1\n2\nx\n") << 1.0 << 2;
        QTest::newRow("zero segment length") << "ok.dat" << int32LittleEndian({1, 2}) << 1.0 << 0;
        QTest::newRow("nan scale") << "ok.dat" << int32LittleEndian({1, 2}) << qQNaN() << 2;
    }
    void failures()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(double, scale);
        QFETCH(int, length);
        if (name.startsWith("folder"))
            QVERIFY(QDir(dir.path()).mkpath(name));
        else if (!name.startsWith("none"))
            QVERIFY(writeFixture(path(name), content));
        QVERIFY(writeFixture(path("good.dat"), int32LittleEndian({5, 6})));

        Wavefile wave;
        QVERIFY(wave.getTimeSeries(path("good.dat"), 1.0, 0, 2, 0));
        QCOMPARE(wave.getTsData().size(), 1);
        QTest::ignoreMessage(QtDebugMsg, namingFile(path(name)));
        QVERIFY(!wave.getTimeSeries(path(name), scale, 0, length, 0));
        QVERIFY(wave.getTsData().isEmpty());
    }

    // The whole counts before a partial last one are kept; the partial bytes are reported.
    void truncatedBinary()
    {
        QByteArray bytes = int32LittleEndian({-7, 8, -9, 10, 2147483647}) + QByteArray("\x01\x02", 2);
        QVERIFY(writeFixture(path("cut.dat"), bytes));
        Wavefile wave;
        QTest::ignoreMessage(QtDebugMsg, namingFile(path("cut.dat")));
        QVERIFY(wave.getTimeSeries(path("cut.dat"), 2.0, 0, 5, 0));
        QCOMPARE(wave.getTsData(), (QList<QVector<double>>{{-14, 16, -18, 20, 4294967294.0}}));
    }

    // Reading stops once the requested segments are filled: what follows is never parsed.
    void stopsAfterRequestedSegments()
    {
        QVERIFY(writeFixture(path("long.txt"), asTextLines(counts(20)) + "garbage\n"));
        Wavefile wave;
        QVERIFY(wave.getTimeSeries(path("long.txt"), 1.0, 0, 10, 2));
        QCOMPARE(wave.getTsData().size(), 2);
    }

    // One hour at 24 kHz, sparse on disk: 30 segments must come back in bounded memory.
    void longRecordingStreams()
    {
        const qint64 samples = 3600LL * 24000;
        QFile file(path("hour.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(samples * 4));
        file.close();
        const long before = peakResidentKiB();
        Wavefile wave;
        QVERIFY(wave.getTimeSeries(file.fileName(), 1.0, 0, 16384, 30));
        const long grownKiB = peakResidentKiB() - before;
        QCOMPARE(wave.getTsData().size(), 30);
        QCOMPARE(wave.getTsData().last().size(), 16384);
        QVERIFY2(grownKiB < 64 * 1024, qPrintable(QString("peak RSS grew by %1 KiB").arg(grownKiB)));
    }

    // A cosine centred on the middle sample over whole periods has zero mean and zero slope, so
    // removing the trend from cosine + line must leave the cosine (nothing when periods is 0).
    void trendRemoval_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("periods");
        QTest::addColumn<double>("offset");
        QTest::addColumn<double>("slope");
        QTest::newRow("empty") << 0 << 0 << 3.0 << 1.0;
        QTest::newRow("one sample") << 1 << 0 << 7.5 << 0.0;
        QTest::newRow("two samples") << 2 << 0 << 5.0 << -3.0;
        QTest::newRow("large offset") << 3 << 0 << 1e6 << 2.5;
        QTest::newRow("steep") << 1000 << 0 << -1e6 << 1e3;
        QTest::newRow("long, gentle") << 100000 << 0 << 12345.678 << -0.01;
        QTest::newRow("cosine, 3 periods") << 64 << 3 << 250.0 << -0.75;
        QTest::newRow("cosine, 7 periods") << 1001 << 7 << -40.0 << 0.3;
    }
    void trendRemoval()
    {
        QFETCH(int, n);
        QFETCH(int, periods);
        QFETCH(double, offset);
        QFETCH(double, slope);
        QVector<double> wave(n), trended(n);
        double largest = 1.0;
        for (int i = 0; i < n; ++i) {
            wave[i] = periods ? std::cos(2 * M_PI * periods * (i - (n - 1) / 2.0) / n) : 0.0;
            trended[i] = wave[i] + offset + slope * i;
            largest = qMax(largest, std::abs(trended[i]));
        }
        const QVector<double> rest = Wavefile().TrendElimination2(trended);
        QCOMPARE(rest.size(), n);
        for (int i = 0; i < n; ++i)
            QVERIFY2(std::abs(rest[i] - wave[i]) <= 1e-9 * largest,
                     qPrintable(QString("sample %1: %2 vs %3").arg(i).arg(rest[i]).arg(wave[i])));
    }
};

int runWavefileTests(int argc, char **argv)
{
    TestWavefile test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Wavefile.moc"
