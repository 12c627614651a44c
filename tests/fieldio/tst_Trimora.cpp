#include <QtTest>

#include "FixtureFiles.h"
#include "Trimora.h"

namespace {

// Compares frequency, amplitude and phase (radians) row by row.
void compareTable(const QList<OneFreqCheck> &actual, const QVector<QVector<double>> &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i) {
        QCOMPARE(actual[i].freq, expected[i][0]);
        QCOMPARE(actual[i].amplitude, expected[i][1]);
        QVERIFY2(qAbs(actual[i].phase - expected[i][2]) < 1e-15, qPrintable(QString("row %1").arg(i)));
    }
}

}  // namespace

class TestTrimora : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // Both kinds of table: unsorted rows, comments, mixed separators and an extra column.
    void sortedAndConverted()
    {
        const QString file = dir.filePath("Hx-1234.txt");
        QVERIFY(writeFixture(file, "# freq amp phase\n100, 2.0, 90\n\n1;0.5;-45\n  10\t1.0\t180 extra\n"));
        // Phases by hand: -45 deg = -pi/4, 180 deg = pi, 90 deg = pi/2.
        const QVector<QVector<double>> expected{{1, 0.5, -0.7853981633974483},
                                                {10, 1.0, 3.141592653589793},
                                                {100, 2.0, 1.5707963267948966}};
        Trimora sensor, gain;
        QVERIFY(sensor.getSensorDataList(file));
        compareTable(sensor.getCheckedData(), expected);
        QVERIFY(gain.getGainDataList(file));
        compareTable(gain.getCheckedData(), expected);
    }

    // A rejected table names the file and leaves the last good table in place.
    void rejected_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
        QTest::newRow("comments only") << QByteArray("# 1 1 0\n# 2 1 0\n");
        QTest::newRow("one row") << QByteArray("# one\n10 1 0\n");
        QTest::newRow("garbage field") << QByteArray("1 1 0\n10 one 0\n100 1 0\n");
        QTest::newRow("two fields") << QByteArray("1 1 0\n10 1\n100 1 0\n");
        QTest::newRow("zero amplitude") << QByteArray("1 1 0\n10 0 0\n");
        QTest::newRow("negative amplitude") << QByteArray("1 -2 0\n10 1 0\n");
        QTest::newRow("repeated frequency") << QByteArray("10 1 0\n1 1 0\n10 2 5\n");
        QTest::newRow("nan") << QByteArray("1 1 0\n10 1 nan\n");
        QTest::newRow("infinite frequency") << QByteArray("1 1 0\ninf 1 0\n");
    }
    void rejected()
    {
        QFETCH(QByteArray, content);
        const QString good = dir.filePath("good.txt");
        const QString bad = dir.filePath(QTest::currentDataTag() + QString(".txt"));
        QVERIFY(writeFixture(good, "2 4 0\n1 3 0\n"));
        if (qstrcmp(QTest::currentDataTag(), "missing") != 0)
            QVERIFY(writeFixture(bad, content));

        Trimora trimora;
        QVERIFY(trimora.getGainDataList(good));
        QTest::ignoreMessage(QtDebugMsg, namingFile(bad));
        QVERIFY(!trimora.getSensorDataList(bad));
        compareTable(trimora.getCheckedData(), {{1, 3, 0}, {2, 4, 0}});
    }
};

int runTrimoraTests(int argc, char **argv)
{
    TestTrimora test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Trimora.moc"
