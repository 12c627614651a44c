#include "GaussianStream.h"

#include <cmath>

namespace {

// SplitMix64 finaliser: spreads nearby seeds over the whole state space.
std::uint64_t mix(std::uint64_t x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

const double twoPi = 2.0 * std::acos(-1.0);

} // namespace

GaussianStream::GaussianStream(std::uint64_t seed, std::uint64_t block, std::uint64_t stream)
    : engine(mix(mix(mix(seed) ^ block) ^ (stream << 32)))
{
}

double GaussianStream::nextUniformOpen()
{
    return ((engine() >> 11) + 1) * (1.0 / 9007199254740992.0);
}

std::complex<double> GaussianStream::nextComplex()
{
    // Box-Muller with radius sqrt(-ln u1) gives two normals of variance 1/2 each.
    const double radius = std::sqrt(-std::log(nextUniformOpen()));
    const double angle = twoPi * nextUniformOpen();
    return std::polar(radius, angle);
}
