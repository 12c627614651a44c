#pragma once
// The built-in demonstration survey: line 1 with seven stations over layered earths, each
// recorded at 24000 Hz (30 s) and at 2400 Hz (240 s), enough for 30 segments of 16384 samples.
// Station 3 is recorded in tensor mode ("矢量"), the others in scalar mode (station 2's 2400 Hz
// recording with the low-band flag), so that six stations carry the Ex/Hy curves a 2-D inversion
// run of the line needs; both recordings give each curve more than 41 records.

#include "LayeredEarth.h"
#include "SurveyPlan.h"

namespace DemoSurvey {

// 100 ohm-m (200 m) over 10 ohm-m (300 m) over a 1000 ohm-m basement.
LayeredEarth threeLayerEarth();
SurveyPlan survey();

} // namespace DemoSurvey
