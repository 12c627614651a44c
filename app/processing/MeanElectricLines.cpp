#include "MeanElectricLines.h"

#include <algorithm>

#include "LineRotation.h"

namespace {

// A 256-bit version is chosen at load time where the processor has it (the same operations, so the
// same numbers).
__attribute__((target_clones("avx2", "default")))
void averageLines(int count, const double *__restrict exA, const double *__restrict exP,
                  const double *__restrict eyA, const double *__restrict eyP,
                  const double *__restrict ex2A, const double *__restrict ex2P,
                  double *__restrict amplitude, double *__restrict phase, double *__restrict value)
{
    for (int i = 0; i < count; ++i) {
        const double a = (eyA[i] + exA[i] + ex2A[i]) / 3.0;
        const double p = (eyP[i] + exP[i] + ex2P[i]) / 3.0;
        double c, s;
        LineRotation::of(p, c, s);
        amplitude[i] = a;
        phase[i] = p;
        value[2 * i] = a * c;
        value[2 * i + 1] = a * s;
    }
}

} // namespace

const CalibratedLines &MeanElectricLines::of(const CalibratedLines &ex, const CalibratedLines &ey,
                                             const CalibratedLines &ex2)
{
    const int count = std::min({ex.count, ey.count, ex2.count});
    amplitudes.resize(size_t(count));
    phases.resize(size_t(count));
    values.resize(size_t(count));
    averageLines(count, ex.amplitudes, ex.phases, ey.amplitudes, ey.phases, ex2.amplitudes, ex2.phases,
                 amplitudes.data(), phases.data(), reinterpret_cast<double *>(values.data()));
    lines = CalibratedLines{count, ex.fs, ex.frequencies, amplitudes.data(), phases.data(), values.data()};
    return lines;
}
