#include <QCoreApplication>
#include <gsl/gsl_errno.h>

#include "RhoworksTestSupport.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    qRegisterMetaType<RhoworksTest::Method>();
    int failures = 0;
    failures += RhoworksTest::runFrequencyTableTests(argc, argv);
    failures += RhoworksTest::runHelperTests(argc, argv);
    failures += RhoworksTest::runEstimatorTests(argc, argv);
    failures += RhoworksTest::runCurveRepairTests(argc, argv);
    failures += RhoworksTest::runPipelineTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
