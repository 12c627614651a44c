#include <QCoreApplication>
#include <QtTest>
#include <gsl/gsl_errno.h>

#include "TestHubExchange.h"
#include "TestHubFlow.h"
#include "TestTree.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    TestTree tree;
    TestHubFlow flow;
    int failures = QTest::qExec(&tree, argc, argv);
    failures += QTest::qExec(&flow, argc, argv);
    TestHubExchange exchange;
    failures += QTest::qExec(&exchange, argc, argv);
    return failures;
}
