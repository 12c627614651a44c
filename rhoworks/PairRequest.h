#pragma once
// The parameters of one computation of the resistivity pipeline (Rhoworks::compute): the four
// methods' common parameter list as one value.

#include <QList>
#include <QString>
#include <functional>

#include "SpectralRecords.h"

struct PairRequest {
    QString eFile;
    QString hFile;
    double fs = 0.0;            // sampling frequency, Hz
    double readerValue = 0.0;   // forwarded to the reader as its sample count
    float dipoleLength = 0.0f;  // m; used in single precision
    QString eSensorFile;
    QString hSensorFile;
    QString eGainFile;
    QString hGainFile;
    bool useESensor = true;
    int n = 0;                  // segment length = FFT length
    int segmentCount = 0;       // forwarded to the reader; <= 0 reads all
    bool removeTrend = false;
    int freqMode = 0;
    const char *caller = "";    // method name for debug lines; compute sets it per estimator
    // Asked before each segment pair with the fraction of pairs done; false stops the computation,
    // which then fails and keeps the previous curve. Unset: runs to the end.
    std::function<bool(double fraction)> keepGoing;
};

// Sensor and gain tables of both channels, resampled onto the FFT lines.
struct CalibrationTables {
    QList<OneFreqCheck> eSensor;
    QList<OneFreqCheck> hSensor;
    QList<OneFreqCheck> eGain;
    QList<OneFreqCheck> hGain;
};
