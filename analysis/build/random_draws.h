// The generator behind every Monte Carlo and how one part's value is drawn
// within its tolerance.
//
// xoshiro256**, seeded through splitmix64: the same seed gives the same
// draws on every platform and compiler, which the standard library's
// distributions do not promise.
//
//   RandomState r = SeedRandom(1);
//   double f = DrawFactor(r, 0.01, Distribution::Uniform);   // in [0.99, 1.01)
#pragma once

#include <cstdint>

namespace velmora {

// Uniform draws fill +-tol evenly; Gaussian draws take tol as three
// standard deviations (99.7 % of parts inside the marking).
enum class Distribution { Uniform, Gaussian };

struct Tolerances {
    double Resistor = 0.01;  // relative: 0.01 is 1 %
    double Capacitor = 0.05;
    Distribution Shape = Distribution::Uniform;
};

struct RandomState {
    uint64_t S[4];
};
RandomState SeedRandom(uint64_t seed);
uint64_t NextBits(RandomState& r);
double NextUniform(RandomState& r);   // [0, 1)
double NextGaussian(RandomState& r);  // mean 0, standard deviation 1

// One part's factor: 1 + tol * u with u uniform in [-1, 1), or
// 1 + tol / 3 * g with g standard normal.
double DrawFactor(RandomState& r, double tol, Distribution shape);

// Generator steps one DrawFactor takes: 1 uniform, 2 Gaussian.
inline uint64_t StepsPerDraw(Distribution shape) {
    return shape == Distribution::Gaussian ? 2 : 1;
}

}  // namespace velmora
