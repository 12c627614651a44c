#include <QCoreApplication>
#include <gsl/gsl_errno.h>

// Each runner executes one test class and returns its number of failures.
int runSpectraTests(int argc, char **argv);
int runTensorTests(int argc, char **argv);
int runSectionTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    gsl_set_error_handler_off();
    return runSpectraTests(argc, argv) + runTensorTests(argc, argv) + runSectionTests(argc, argv);
}
