#pragma once
// The mean electric spectrum of a segment: line by line, the amplitudes and the phases of Ey, Ex
// and Ex2 averaged separately, as plain numbers, and the complex spectrum they make, at Ex's
// frequencies. The columns are the object's own and stay valid until the next call.

#include <complex>
#include <vector>

#include "CalibratedLines.h"

class MeanElectricLines {
public:
    const CalibratedLines &of(const CalibratedLines &ex, const CalibratedLines &ey, const CalibratedLines &ex2);

private:
    std::vector<double> amplitudes, phases;
    std::vector<std::complex<double>> values;
    CalibratedLines lines;
};
