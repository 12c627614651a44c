#pragma once
// The built-in demonstration survey: one line, one station over a three-layer earth
// (100 ohm-m, 10 ohm-m, 1000 ohm-m basement), recorded at 24000 Hz and at 1024 Hz for a minute each.

#include "LayeredEarth.h"
#include "SurveySpec.h"

namespace DemoSurvey {

LayeredEarth threeLayerEarth();
SurveySpec spec();

} // namespace DemoSurvey
