#pragma once
// cos(x) and sin(x) of a spectral phase, computed without a call into the maths library so that a
// loop over the lines of a spectrum vectorises: x is reduced by the nearest multiple of pi/2 (pi/2
// taken in three parts, exact products for |x| < 2^20), and the sine and cosine of what is left,
// in [-pi/4, pi/4], come from Moshier's polynomials. Within a few units in the last place of
// std::cos and std::sin for phases of any size a spectrum has (|x| < 2^20); beyond that, and for
// NaN or infinity, the result is NaN.

#include <cmath>

namespace LineRotation {

inline void of(double x, double &cosine, double &sine)
{
    constexpr double kTwoOverPi = 6.36619772367581382433e-01;
    constexpr double kPiOver2Head = 1.57079632673412561417e+00;  // 33 bits
    constexpr double kPiOver2Middle = 6.07710050630396597660e-11;
    constexpr double kPiOver2Tail = 2.02226624879595063154e-21;
    constexpr double kRoundingShift = 6755399441055744.0;  // 1.5 * 2^52: adding it rounds to integer
    const double q = (x * kTwoOverPi + kRoundingShift) - kRoundingShift;
    const double r = ((x - q * kPiOver2Head) - q * kPiOver2Middle) - q * kPiOver2Tail;
    const double z = r * r;
    const double s = r + r * z * (((((1.58962301576546568060e-10 * z - 2.50507477628578072866e-8) * z
                                      + 2.75573136213857245213e-6) * z - 1.98412698295895385996e-4) * z
                                    + 8.33333333332211858878e-3) * z - 1.66666666666666307295e-1);
    const double c = 1.0 - 0.5 * z + z * z * (((((-1.13585365213876817300e-11 * z + 2.08757008419747316778e-9) * z
                                                 - 2.75573141792967388112e-7) * z + 2.48015872888517045348e-5) * z
                                               - 1.38888888888730564116e-3) * z + 4.16666666666665929218e-2);
    // Quadrant q mod 4 by its two lowest bits: cos and sin rotate by a quarter turn each.
    const bool inRange = std::fabs(x) < 1048576.0;
    const int quadrant = inRange ? int(q) & 3 : 0;
    const double odd = (quadrant & 1) ? 1.0 : 0.0;
    const double cosBase = odd > 0 ? s : c;
    const double sinBase = odd > 0 ? c : s;
    const double nan = std::nan("");
    cosine = !inRange ? nan : (quadrant == 1 || quadrant == 2) ? -cosBase : cosBase;
    sine = !inRange ? nan : (quadrant >= 2) ? -sinBase : sinBase;
}

} // namespace LineRotation
