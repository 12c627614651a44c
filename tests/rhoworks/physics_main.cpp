#include <QCoreApplication>
#include <gsl/gsl_errno.h>

#include "PhysicsSupport.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    qRegisterMetaType<RhoworksTest::Method>();
    int failures = 0;
    failures += RhoworksTest::runPhysicsTests(argc, argv);
    failures += RhoworksTest::runOutsideCheckTests(argc, argv);
    failures += RhoworksTest::runRobustnessTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
