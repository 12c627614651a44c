#include "SpectrixTestSupport.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += SpectrixTest::runWindowFftTests(argc, argv);
    failures += SpectrixTest::runCrossPowerTests(argc, argv);
    failures += SpectrixTest::runImpedanceTests(argc, argv);
    failures += SpectrixTest::runRecordTests(argc, argv);
    return failures == 0 ? 0 : 1;
}
