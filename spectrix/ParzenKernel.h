#pragma once
// The Parzen-type kernel of every band average: a target frequency f0 and a half-width hw select
// the frequencies strictly inside (f0 - hw, f0 + hw) and weight them by (sin(u) / u)^4 with
// u = |f0 - f| * pi / hw (1 at f0). Spectrix's band averages use it, and so does every other band
// average of the system (tensor matrices, amplitude spectra).

#include "SpectrixExport.h"

namespace ParzenKernel {

// Whether f lies strictly inside the band of half-width hw around f0.
SPECTRIX_EXPORT bool inside(double f0, double f, double hw);
// Kernel weight of a frequency f: 0 at or beyond hw, 1 at f0.
SPECTRIX_EXPORT double weight(double f0, double f, double hw);

} // namespace ParzenKernel
