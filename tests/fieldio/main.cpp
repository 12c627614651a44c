#include <QCoreApplication>

#include "FixtureFiles.h"

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int failures = 0;
    failures += runTextFieldsTests(argc, argv);
    failures += runWavefileTests(argc, argv);
    failures += runTrimoraTests(argc, argv);
    return failures;
}
