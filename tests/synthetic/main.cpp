// Runs every test class of the synthetic generator in one executable.

#include <QCoreApplication>
#include <QtTest>

#include "TestEndToEnd.h"
#include "TestForwardModel.h"
#include "TestGenerator.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    TestForwardModel forwardModel;
    failures += QTest::qExec(&forwardModel, argc, argv);
    TestGenerator generator;
    failures += QTest::qExec(&generator, argc, argv);
    TestEndToEnd endToEnd;
    failures += QTest::qExec(&endToEnd, argc, argv);
    return failures == 0 ? 0 : 1;
}
