#pragma once
// The impedance tensor of one frequency as apparent resistivity (ohm-m) and phase (degrees, -180
// to 180) of each element, in the order the processing and the result files use.

#include <QMetaType>

struct TensorImpedance {
    double freq = 0.0;    // Hz
    double phaseXX = 0.0;
    double rhoXX = 0.0;
    double phaseXY = 0.0;
    double rhoXY = 0.0;
    double phaseYX = 0.0;
    double rhoYX = 0.0;
    double phaseYY = 0.0;
    double rhoYY = 0.0;
};

Q_DECLARE_METATYPE(TensorImpedance)
