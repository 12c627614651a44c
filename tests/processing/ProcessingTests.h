#pragma once
// One runner per test class of the processing suite; each returns its number of failures.

int runSpectrumToolsTests(int argc, char **argv);
int runRhoworksCalcTests(int argc, char **argv);
int runTensorMathTests(int argc, char **argv);
int runTensorProcessingTests(int argc, char **argv);
int runTensorPhysicsTests(int argc, char **argv);
int runSectionTests(int argc, char **argv);
