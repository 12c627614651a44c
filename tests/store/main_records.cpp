// Runs the descriptor, recording table, entity and ready-project suites in one executable.

#include <QCoreApplication>

int runDescriptorTests(int argc, char **argv);
int runRecordingTableTests(int argc, char **argv);
int runEntityTests(int argc, char **argv);
int runSyntheticProjectTests(int argc, char **argv);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    return runDescriptorTests(argc, argv) + runRecordingTableTests(argc, argv)
           + runEntityTests(argc, argv) + runSyntheticProjectTests(argc, argv);
}
