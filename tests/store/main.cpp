// The test executable doubles as the child process of the reliability tests: with "--write-loop"
// it commits in a loop until killed, with "--commit-readonly" it tries one write.

#include "tst_Dore.h"

#include <QCoreApplication>
#include <QtTest>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--write-loop") == 0)
        return runWriteLoop(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && qstrcmp(argv[1], "--commit-readonly") == 0)
        return runReadOnlyCommit(QString::fromLocal8Bit(argv[2]));
    TestDore test;
    return QTest::qExec(&test, argc, argv);
}
