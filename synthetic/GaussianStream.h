#pragma once
// Reproducible standard normal numbers: std::mt19937_64 with a Box-Muller transform of our own, so
// the same seed gives the same numbers with every standard library. Each (seed, block, stream)
// triple gets its own independent generator, so blocks can be made in any order.

#include <complex>
#include <cstdint>
#include <random>

class GaussianStream {
public:
    GaussianStream(std::uint64_t seed, std::uint64_t block, std::uint64_t stream);

    // A complex normal value with independent parts of variance 1/2 (E|z|^2 = 1).
    std::complex<double> nextComplex();

private:
    double nextUniformOpen();  // in (0, 1]

    std::mt19937_64 engine;
};
