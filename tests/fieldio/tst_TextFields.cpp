#include <QtTest>

#include "FixtureFiles.h"
#include "TextFields.h"

class TestTextFields : public QObject {
    Q_OBJECT
private slots:
    void split_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("maxFields");
        QTest::addColumn<QStringList>("fields");
        const QStringList none;
        QTest::newRow("every separator") << "a,b*c;d\te|f g" << -1 << QStringList{"a", "b", "c", "d", "e", "f", "g"};
        QTest::newRow("runs and ends") << ",, ;;1.5||-2e-3** \t" << -1 << QStringList{"1.5", "-2e-3"};
        QTest::newRow("empty line") << "" << -1 << none;
        QTest::newRow("only separators") << " \t,;|* " << -1 << none;
        QTest::newRow("dash dot colon kept") << "a-b.c:d" << -1 << QStringList{"a-b.c:d"};
        QTest::newRow("ideographic space") << QString("1") + QChar(0x3000) + "2" << -1 << QStringList{"1", "2"};
        QTest::newRow("first field only") << "x y z" << 1 << QStringList{"x"};
        QTest::newRow("two of many") << ",x,,y,z" << 2 << QStringList{"x", "y"};
        QTest::newRow("limit above count") << "x y" << 5 << QStringList{"x", "y"};
    }
    void split()
    {
        QFETCH(QString, line);
        QFETCH(int, maxFields);
        QFETCH(QStringList, fields);
        QCOMPARE(splitTextFields(line, maxFields), fields);
    }
};

int runTextFieldsTests(int argc, char **argv)
{
    TestTextFields test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_TextFields.moc"
