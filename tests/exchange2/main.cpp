// One executable for the exchange suites; each class runs in turn.
#include <QCoreApplication>
#include <QtTest>
#include <gsl/gsl_errno.h>

#include "TestEdiExport.h"
#include "TestEH4Export.h"
#include "TestInversionFiles.h"
#include "TestInversionRun.h"
#include "TestLineSection.h"
#include "TestMerge.h"
#include "TestResultTables.h"
#include "TestSpectrumExport.h"

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    int failures = 0;
    TestEdiExport edi;
    failures += QTest::qExec(&edi, argc, argv);
    TestEH4Export eh4;
    failures += QTest::qExec(&eh4, argc, argv);
    TestInversionFiles inversionFiles;
    failures += QTest::qExec(&inversionFiles, argc, argv);
    TestInversionRun inversionRun;
    failures += QTest::qExec(&inversionRun, argc, argv);
    TestLineSection lineSection;
    failures += QTest::qExec(&lineSection, argc, argv);
    TestMerge merge;
    failures += QTest::qExec(&merge, argc, argv);
    TestResultTables tables;
    failures += QTest::qExec(&tables, argc, argv);
    TestSpectrumExport spectrum;
    failures += QTest::qExec(&spectrum, argc, argv);
    return failures == 0 ? 0 : 1;
}
