#include <QCoreApplication>
#include <gsl/gsl_errno.h>

#include "ProcessingTests.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    int failures = 0;
    failures += runSpectrumToolsTests(argc, argv);
    failures += runRhoworksCalcTests(argc, argv);
    failures += runTensorMathTests(argc, argv);
    failures += runTensorProcessingTests(argc, argv);
    failures += runTensorPhysicsTests(argc, argv);
    failures += runSectionTests(argc, argv);
    return failures;
}
