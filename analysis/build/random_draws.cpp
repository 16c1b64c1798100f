#include "random_draws.h"

#include "model/portable_math.h"

#include <cmath>
#include <numbers>

namespace velmora {

namespace {

uint64_t Rotate(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

RandomState SeedRandom(uint64_t seed) {
    RandomState r;
    for (uint64_t& word : r.S) {
        seed += 0x9E3779B97F4A7C15ull;
        uint64_t z = seed;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        word = z ^ (z >> 31);
    }
    return r;
}

uint64_t NextBits(RandomState& r) {
    const uint64_t result = Rotate(r.S[1] * 5, 7) * 9;
    const uint64_t t = r.S[1] << 17;
    r.S[2] ^= r.S[0];
    r.S[3] ^= r.S[1];
    r.S[1] ^= r.S[2];
    r.S[0] ^= r.S[3];
    r.S[2] ^= t;
    r.S[3] = Rotate(r.S[3], 45);
    return result;
}

double NextUniform(RandomState& r) {
    return static_cast<double>(NextBits(r) >> 11) * 0x1.0p-53;
}

double NextGaussian(RandomState& r) {
    // Box-Muller; 1 - u keeps the logarithm's argument in (0, 1].
    const double u = 1 - NextUniform(r);
    const double v = NextUniform(r);
    return std::sqrt(-2 * Log(u)) * CosTwoPi(v);
}

double DrawFactor(RandomState& r, double tol, Distribution shape) {
    if (shape == Distribution::Gaussian) return 1 + tol / 3 * NextGaussian(r);
    return 1 + tol * (2 * NextUniform(r) - 1);
}

}  // namespace velmora
