// The readers against fixture files written byte by byte, the trend removal against hand-made lines.

#include <QtTest>
#include <cmath>
#include <sys/resource.h>

#include "Trimora.h"
#include "Wavefile.h"

namespace {

using Samples = QVector<double>;
using Segments = QList<Samples>;

// Little-endian int32 counts, byte by byte (independent of the reader's conversion).
QByteArray int32LittleEndian(const QVector<qint32> &values)
{
    QByteArray bytes;
    for (qint32 v : values)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(char((quint32(v) >> shift) & 0xff));
    return bytes;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class TestFieldio : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString &name) const { return dir.filePath(name); }

private slots:
    // Each row reads a file after a good one: its segments, or false, a debug line naming the file and
    // no segments left. Hand-written rows ask for one segment of all samples (what follows is never
    // parsed); generated rows cut counts spread over the whole int32 range, at 0.125 mV per count.
    void read_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<double>("scale");
        QTest::addColumn<Samples>("cut");  // sample count, segment length, segment count
        QTest::addColumn<bool>("ok");
        QTest::addColumn<Segments>("segments");
        const auto row = [](const char *tag, QString name, QByteArray content, double scale, int n, Samples samples) {
            const bool ok = !samples.isEmpty();
            QTest::newRow(tag) << name << content << scale << Samples{0, double(n), ok ? 1.0 : 0.0} << ok
                               << (ok ? Segments{samples} : Segments());
        };
        const auto generated = [](QString name, const char *what, int total, Samples cut, int expected) {
            QVector<qint32> values(total);
            QByteArray text = "# channel Hx\n";
            Samples scaled;
            for (int i = 0; i < total; ++i) {
                text += QByteArray::number(values[i] = qint32(quint32(i) * 2654435761u)) + "\n";
                scaled << values[i] * 0.125;
            }
            Segments segments;
            for (int s = 0; s < expected; ++s)
                segments << scaled.mid(s * int(cut[1]), int(cut[1]));
            QTest::newRow(qPrintable(name + what)) << name << (name.endsWith(".dat") ? int32LittleEndian(values) : text)
                                                   << 0.125 << cut << true << segments;
        };
        for (const QString name : {"hx.dat", "hx.TXT", "hx.csv"}) {
            generated(name, " trailing part dropped", 110, {0, 25, 0}, 4);
            generated(name, " count limits", 100, {0, 10, 3}, 3);
            generated(name, " sample limit", 100, {55, 10, 0}, 5);
            generated(name, " shorter than a segment", 9, {0, 10, 0}, 0);
            generated(name, " segments across read chunks", 200000, {0, 70001, 0}, 2);
        }
        row("comments, blanks, CRLF, no final break", "a.txt", "# h\r\n1\r\n\r\n # c\n2\n , ;\n3", 1, 3, {1, 2, 3});
        row("first field", "a.txt", "1.5,2,3\n  ,-2.5;7\n3e2\t9\n|4|5\n", 1, 4, {1.5, -2.5, 300, 4});
        row("garbage after the segment", "a.txt", "1\n2\ngarbage\n", 1, 2, {1, 2});
        row("missing", "none.dat", QByteArray(), 1, 2, {});
        row("garbage line", "bad.txt", "1\n1.5x\n3\n4\n", 1, 2, {});
        row("nan sample", "bad.txt", "1\nnan\n3\n4\n", 1, 2, {});
        row("inf sample", "bad.txt", "1\n-inf\n", 1, 2, {});
        row("sample beyond double", "bad.txt", "1\n1e400\n", 1, 2, {});
        row("a megabyte of digits", "bad.txt", "1\n" + QByteArray(1 << 20, '9') + "\n", 1, 2, {});
        row("denormal samples", "a.txt", "4.9e-324\n-2.2e-308\n", 1, 2, {4.9e-324, -2.2e-308});
        row("a megabyte of blanks before the sample", "a.txt", "1\n" + QByteArray(1 << 20, ' ') + "2\n", 1, 2, {1, 2});
        for (const char *empty : {"empty.txt", "empty.dat"})  // readable, shorter than a segment
            QTest::newRow(empty) << empty << QByteArray("") << 1.0 << Samples{0, 2, 0} << true << Segments();
        row("garbage in dropped tail", "bad.txt", "1\n2\nx\n", 1, 2, {});
        row("zero segment length", "ok.dat", int32LittleEndian({1, 2}), 1, 0, {});
        row("nan scale", "ok.dat", int32LittleEndian({1, 2}), qQNaN(), 2, {});
        // The whole counts before a partial last one are kept, and the partial bytes reported.
        row("partial last count", "cut.dat", int32LittleEndian({-7, 8, -9, 10, 2147483647}) + QByteArray("\x01\x02", 2),
            2, 5, {-14, 16, -18, 20, 4294967294.0});
    }
    void read()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(double, scale);
        QFETCH(Samples, cut);
        QFETCH(bool, ok);
        QFETCH(Segments, segments);
        if (!content.isNull())
            QVERIFY(write(path(name), content));
        QVERIFY(write(path("good.dat"), int32LittleEndian({5, 6})));
        Wavefile wave;
        QVERIFY(wave.getTimeSeries(path("good.dat"), 1.0, 0, 2, 0));
        if (!ok || name == "cut.dat")
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QRegularExpression::escape(path(name))));
        QCOMPARE(wave.getTimeSeries(path(name), scale, cut[0], int(cut[1]), int(cut[2])), ok);
        QCOMPARE(wave.getTsData(), segments);
    }

    // One hour at 24 kHz, sparse on disk: 30 segments must come back in bounded memory.
    void longRecordingStreams()
    {
        QFile file(path("hour.dat"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(3600LL * 24000 * 4));
        file.close();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const long before = usage.ru_maxrss;  // peak resident size, KiB
        Wavefile wave;
        QVERIFY(wave.getTimeSeries(file.fileName(), 1.0, 0, 16384, 30));
        getrusage(RUSAGE_SELF, &usage);
        const long grownKiB = usage.ru_maxrss - before;
        QCOMPARE(wave.getTsData().size(), 30);
        QVERIFY2(grownKiB < 64 * 1024, qPrintable(QString("peak RSS grew by %1 KiB").arg(grownKiB)));
    }

    // From n = 8 on, three periods of a cosine centred on the middle sample ride on the line: they have
    // zero mean and zero slope, so removing the trend must leave them.
    void trendRemoval_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<double>("offset");
        QTest::addColumn<double>("slope");
        QTest::newRow("empty") << 0 << 3.0 << 1.0;
        QTest::newRow("one sample") << 1 << 7.5 << 0.0;
        QTest::newRow("two samples") << 2 << 5.0 << -3.0;
        QTest::newRow("steep, large offset") << 1001 << -1e6 << 1e3;
        QTest::newRow("long, gentle") << 100000 << 12345.678 << -0.01;
    }
    void trendRemoval()
    {
        QFETCH(int, n);
        QFETCH(double, offset);
        QFETCH(double, slope);
        Samples wave(n), trended(n);
        double largest = 1.0;
        for (int i = 0; i < n; ++i) {
            wave[i] = n >= 8 ? std::cos(2 * M_PI * 3 * (i - (n - 1) / 2.0) / n) : 0.0;
            trended[i] = wave[i] + offset + slope * i;
            largest = qMax(largest, std::abs(trended[i]));
        }
        const Samples rest = Wavefile().TrendElimination2(trended);
        QCOMPARE(rest.size(), n);
        for (int i = 0; i < n; ++i)
            QVERIFY2(std::abs(rest[i] - wave[i]) <= 1e-9 * largest, qPrintable(QString::number(i)));
    }

    // An empty table means rejected: the load names the file and the last good table stays.
    void calibration_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QVector<OneFreqCheck>>("table");
        const QVector<OneFreqCheck> rejected;
        QTest::newRow("unsorted, comments, mixed separators, extra column")
            << QByteArray("# freq amp phase\n100, 2.0, 90\n\n1;0.5;-45\n  10\t1.0\t180 extra\n")
            << QVector<OneFreqCheck>{{1, 0.5, -M_PI / 4}, {10, 1.0, M_PI}, {100, 2.0, M_PI / 2}};
        QTest::newRow("missing") << QByteArray() << rejected;
        QTest::newRow("empty") << QByteArray("") << rejected;
        QTest::newRow("one row") << QByteArray("# one\n10 1 0\n") << rejected;
        QTest::newRow("garbage field") << QByteArray("1 1 0\n10 one 0\n100 1 0\n") << rejected;
        QTest::newRow("two fields") << QByteArray("1 1 0\n10 1\n100 1 0\n") << rejected;
        QTest::newRow("zero amplitude") << QByteArray("1 1 0\n10 0 0\n") << rejected;
        QTest::newRow("repeated frequency") << QByteArray("10 1 0\n1 1 0\n10 2 5\n") << rejected;
        QTest::newRow("nan") << QByteArray("1 1 0\n10 1 nan\n") << rejected;
        QTest::newRow("inf amplitude") << QByteArray("1 1 0\n10 inf 0\n") << rejected;
        QTest::newRow("frequency beyond double") << QByteArray("1 1 0\n1e400 1 0\n") << rejected;
        QTest::newRow("a megabyte line") << QByteArray("1 1 0\n" + QByteArray(1 << 20, '7') + " 1 0\n") << rejected;
        QTest::newRow("denormal frequency and phase")
            << QByteArray("4.9e-324 1 4.9e-324\n1 2 0\n") << QVector<OneFreqCheck>{{4.9e-324, 1, 0}, {1, 2, 0}};
        QTest::newRow("cut inside a row") << QByteArray("1 1 0\n10 1") << rejected;
    }
    void calibration()
    {
        QFETCH(QByteArray, content);
        QFETCH(QVector<OneFreqCheck>, table);
        const QString file = path(QTest::currentDataTag() + QString(".txt"));
        if (!content.isNull())
            QVERIFY(write(file, content));
        QVERIFY(write(path("good.txt"), "2 4 0\n1 3 0\n"));
        const QVector<OneFreqCheck> expected = table.isEmpty() ? QVector<OneFreqCheck>{{1, 3, 0}, {2, 4, 0}} : table;
        Trimora trimora;
        QVERIFY(trimora.getGainDataList(path("good.txt")));  // sorted by frequency
        if (table.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression(QRegularExpression::escape(file)));
        QCOMPARE(trimora.getSensorDataList(file), !table.isEmpty());
        QCOMPARE(trimora.lastError().isEmpty(), !table.isEmpty());
        const QList<OneFreqCheck> actual = trimora.getCheckedData();
        QCOMPARE(actual.size(), expected.size());
        for (int i = 0; i < actual.size(); ++i) {
            QCOMPARE(actual[i].freq, expected[i].freq);
            QCOMPARE(actual[i].amplitude, expected[i].amplitude);
            QVERIFY(qAbs(actual[i].phase - expected[i].phase) < 1e-15);
        }
    }
};

QTEST_GUILESS_MAIN(TestFieldio)
#include "tst_Fieldio.moc"
