#include <QtTest>

#include "FixtureFiles.h"
#include "Trimora.h"

namespace {

using Loader = bool (Trimora::*)(const QString &);

QList<OneFreqCheck> table(std::initializer_list<OneFreqCheck> rows)
{
    return QList<OneFreqCheck>(rows);
}

void compareTables(const QList<OneFreqCheck> &actual, const QList<OneFreqCheck> &expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i) {
        QCOMPARE(actual[i].freq, expected[i].freq);
        QCOMPARE(actual[i].amplitude, expected[i].amplitude);
        QVERIFY2(qAbs(actual[i].phase - expected[i].phase) < 1e-15,
                 qPrintable(QString("row %1 phase %2 vs %3").arg(i).arg(actual[i].phase).arg(expected[i].phase)));
    }
}

}  // namespace

Q_DECLARE_METATYPE(Loader)

class TestTrimora : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

    void addLoaderColumn()
    {
        QTest::addColumn<Loader>("loader");
    }

private slots:
    void sortedAndConverted_data()
    {
        addLoaderColumn();
        QTest::newRow("sensor") << Loader(&Trimora::getSensorDataList);
        QTest::newRow("gain") << Loader(&Trimora::getGainDataList);
    }
    void sortedAndConverted()
    {
        QFETCH(Loader, loader);
        const QString file = dir.filePath("Hx-1234.txt");
        QVERIFY(writeFixture(file, "# freq amp phase\n100, 2.0, 90\n\n1;0.5;-45\n  10\t1.0\t180 extra\n"));
        Trimora trimora;
        QVERIFY((trimora.*loader)(file));
        // Phases by hand: -45 deg = -pi/4, 180 deg = pi, 90 deg = pi/2.
        compareTables(trimora.getCheckedData(), table({{1, 0.5, -0.7853981633974483},
                                                       {10, 1.0, 3.141592653589793},
                                                       {100, 2.0, 1.5707963267948966}}));
    }

    // A rejected table names the file and leaves the last good table in place.
    void rejected_data()
    {
        addLoaderColumn();
        QTest::addColumn<QByteArray>("content");
        const Loader sensor = &Trimora::getSensorDataList;
        const Loader gain = &Trimora::getGainDataList;
        QTest::newRow("missing") << sensor << QByteArray();
        QTest::newRow("empty") << gain << QByteArray("");
        QTest::newRow("comments only") << sensor << QByteArray("# 1 1 0\n# 2 1 0\n");
        QTest::newRow("one row") << gain << QByteArray("# one\n10 1 0\n");
        QTest::newRow("garbage field") << sensor << QByteArray("1 1 0\n10 one 0\n100 1 0\n");
        QTest::newRow("two fields") << gain << QByteArray("1 1 0\n10 1\n100 1 0\n");
        QTest::newRow("zero amplitude") << sensor << QByteArray("1 1 0\n10 0 0\n");
        QTest::newRow("negative amplitude") << gain << QByteArray("1 -2 0\n10 1 0\n");
        QTest::newRow("repeated frequency") << sensor << QByteArray("10 1 0\n1 1 0\n10 2 5\n");
        QTest::newRow("nan") << gain << QByteArray("1 1 0\n10 1 nan\n");
        QTest::newRow("infinite frequency") << sensor << QByteArray("1 1 0\ninf 1 0\n");
    }
    void rejected()
    {
        QFETCH(Loader, loader);
        QFETCH(QByteArray, content);
        const QString good = dir.filePath("good.txt");
        const QString bad = dir.filePath(QTest::currentDataTag() + QString(".txt"));
        QVERIFY(writeFixture(good, "2 4 0\n1 3 0\n"));
        if (qstrcmp(QTest::currentDataTag(), "missing") != 0)
            QVERIFY(writeFixture(bad, content));

        Trimora trimora;
        QVERIFY((trimora.*loader)(good));
        QTest::ignoreMessage(QtDebugMsg, namingFile(bad));
        QVERIFY(!(trimora.*loader)(bad));
        compareTables(trimora.getCheckedData(), table({{1, 3, 0}, {2, 4, 0}}));
    }
};

int runTrimoraTests(int argc, char **argv)
{
    TestTrimora test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Trimora.moc"
