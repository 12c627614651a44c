#pragma once
// What the regression estimator reads and how: the channel files of one recording (electric
// outputs, one or two magnetic inputs, optionally the magnetic channels of a synchronous remote
// station), their calibration tables, and the settings of the front end and of the regression.

#include <QList>
#include <QString>
#include <functional>

#include "RegressionBandPlan.h"
#include "RobustRegression.h"

// One channel: its time-series file and the tables removed from its spectrum, exactly as the
// stacking estimators remove them (amplitude divided, phase subtracted, gain table first; the
// sensor table only when applySensor).
struct RegressionChannel {
    QString dataFile;
    QString sensorFile;
    QString gainFile;
    bool applySensor = true;
    double countScale = 1.0;   // mV per recorder count
    double unitFactor = 1.0;   // samples in mV times this: 1000 / dipole (m) gives mV/km for E
};

struct RegressionRequest {
    double fs = 0;                         // Hz
    long long sampleLimit = 0;             // samples read per channel; <= 0 reads whole files
    QList<RegressionChannel> outputs;      // Ex, Ey, Ex2 ... (at least one)
    QList<RegressionChannel> inputs;       // Hx, Hy (two: tensor), or one H (scalar)
    QList<RegressionChannel> references;   // remote Hx, Hy (or H): empty, or one per input
    RegressionBandSettings bands;          // fs and samples are filled in from the files
    RobustRegressionSettings robust;
    int maxRowsPerBand = 16384;            // memory bound of a band (BandCoefficients)
    // Called with the fraction of samples read (0 .. 1); returning false cancels the run.
    std::function<bool(double)> progress;
};

// The result of one output frequency: one fit per output channel, in the request's order; fit
// element i belongs to input i.
struct RegressionEstimate {
    double freq = 0;   // Hz
    int level = 0;     // decimation level the band came from
    QList<RegressionFit> fits;
};
