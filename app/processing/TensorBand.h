#pragma once
// The frequency band a recording's tensor curve covers (SampleRateBands::tensorBand chooses it).

struct TensorBand {
    double lower = 0.0;  // Hz
    double upper = 0.0;  // Hz
};
