#pragma once
// Helpers of the physical checks: synthetic recordings from the survey generator, runs of each
// method on one E/H pair of a recording, and the misfit of a curve to a model.

#include <QString>
#include <QVector>
#include <functional>

#include "LayeredEarth.h"
#include "RhoworksTestSupport.h"
#include "SurveyDescription.h"
#include "SurveySpec.h"

namespace RhoworksTest {

// One recording written by the generator into workDir.
struct SyntheticRecording {
    QString workDir;
    StationDescription station;
    RecordingDescription recording;
    bool valid = false;
};

SyntheticRecording writeSyntheticRecording(const QString &workDir, const StationModel &model,
                                           const RecordingSpec &spec);

// The files of the Ex/Hy pair of a recording (tables as absolute paths).
PairFiles exHyFiles(const SyntheticRecording &recording);

// Run options for a generated recording: its rate, its Ex dipole, the electric sensor rule.
RunOptions recordingOptions(const SyntheticRecording &recording, int n);

// The phase compression of the plain and median methods: distances from 45 degrees shrink to three
// quarters above and to one half below (raw phases under 0.01 first become 1.05).
double mappedPhase(double rawDegrees);

// Largest relative rho error and largest phase error (degrees) of the records whose frequency
// passes keep, and their RMS; count is the number of records compared.
struct Misfit {
    double maxRho = 0;
    double maxPhase = 0;
    double rmsRho = 0;     // relative
    double rmsPhase = 0;   // degrees
    int count = 0;
    QString worst;         // the record with the largest rho error, for messages
};

Misfit misfit(const QVector<OneFreqImpedance> &curve, const std::function<bool(double)> &keep,
              const std::function<double(double)> &rho, const std::function<double(double)> &phase);

QString describe(const Misfit &m);

// Misfit of a curve to a layered earth away from the band edges (from the 32nd FFT line and 16 Hz,
// four times the coil corner, up to a quarter of the rate) and from the dead frequencies; the
// phase is compared after the phase mapping when mapped.
Misfit earthMisfit(const QVector<OneFreqImpedance> &curve, const LayeredEarth &earth, bool mapped,
                   int rate, int n);
// The plain and median methods map their phases; the impedance estimators do not.
bool mapsPhase(Method method);

int runPhysicsTests(int argc, char **argv);
int runOutsideCheckTests(int argc, char **argv);
int runRobustnessTests(int argc, char **argv);

}  // namespace RhoworksTest
