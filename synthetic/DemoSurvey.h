#pragma once
// The built-in demonstration survey: line 1 with three stations over layered earths, each
// recorded at 24000 Hz (30 s) and at 2400 Hz (240 s), enough for 30 segments of 16384 samples.
// Stations 1 and 2 are recorded in scalar mode (station 2's 2400 Hz recording with the low-band
// flag); station 3 in tensor mode ("矢量").

#include "LayeredEarth.h"
#include "SurveySpec.h"

namespace DemoSurvey {

// 100 ohm-m (200 m) over 10 ohm-m (300 m) over a 1000 ohm-m basement.
LayeredEarth threeLayerEarth();
SurveySpec spec();

} // namespace DemoSurvey
