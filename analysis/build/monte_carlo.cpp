#include "monte_carlo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/circuit_polynomial.h"

namespace velmora {

namespace {

uint64_t Rotate(uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
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

// One part's factor: 1 + tol * u with u uniform in [-1, 1), or 1 + tol/3 * g.
double Draw(RandomState& r, double tol, Distribution shape) {
    if (shape == Distribution::Gaussian) return 1 + tol / 3 * NextGaussian(r);
    return 1 + tol * (2 * NextUniform(r) - 1);
}

bool Within(double value, double target, double limit) {
    return limit <= 0 || std::fabs(value / target - 1) <= limit;
}

bool Passes(const ResponseShape& s, const ResponseShape& target, const YieldMask& m) {
    bool ok = Within(s.Minus3dBHz, target.Minus3dBHz, m.Minus3dB);
    for (int i = 0; i < 2; ++i) {
        ok = ok && Within(s.Pairs[i].F0Hz, target.Pairs[i].F0Hz, m.F0);
        ok = ok && Within(s.Pairs[i].Q, target.Pairs[i].Q, m.Q);
    }
    if (m.PeakingDb > 0) ok = ok && std::fabs(s.PeakingDb - target.PeakingDb) <= m.PeakingDb;
    return ok;
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

double NextUniform(RandomState& r) {
    return static_cast<double>(NextBits(r) >> 11) * 0x1.0p-53;
}

double NextGaussian(RandomState& r) {
    // Box-Muller; 1 - u keeps the logarithm's argument in (0, 1].
    const double u = 1 - NextUniform(r);
    const double v = NextUniform(r);
    return std::sqrt(-2 * std::log(u)) * std::cos(2 * std::numbers::pi * v);
}

bool MaskIsEmpty(const YieldMask& m) {
    return m.Minus3dB <= 0 && m.F0 <= 0 && m.Q <= 0 && m.PeakingDb <= 0;
}

Spread SpreadOf(std::vector<double> samples) {
    Spread s;
    if (samples.empty()) return s;
    const double n = static_cast<double>(samples.size());
    double sum = 0;
    for (double x : samples)
        sum += x;
    s.Mean = sum / n;
    double squares = 0;
    for (double x : samples)
        squares += (x - s.Mean) * (x - s.Mean);
    s.StdDev = samples.size() > 1 ? std::sqrt(squares / (n - 1)) : 0;
    std::sort(samples.begin(), samples.end());
    s.Min = samples.front();
    s.Max = samples.back();
    const auto at = [&](double fraction) {
        return samples[static_cast<size_t>(std::lround(fraction * (n - 1)))];
    };
    s.Low = at(0.005);
    s.High = at(0.995);
    return s;
}

MonteCarloResult RunMonteCarlo(const MonteCarloSetup& m, const ResponseShape& target,
                               const YieldMask& mask) {
    MonteCarloResult r;
    r.Trials = m.Trials;
    RandomState random = SeedRandom(m.Seed);
    const Tolerances& tol = m.Tol;
    for (int trial = 0; trial < m.Trials; ++trial) {
        // 1. Draw every part, in a fixed order so a seed means one sequence.
        FilterParts p = m.Nominal;
        for (double* value : {&p.R1, &p.R2, &p.R3, &p.R4})
            *value *= Draw(random, tol.Resistor, tol.Shape);
        for (double* value : {&p.C1, &p.C2, &p.C3, &p.C4})
            *value *= Draw(random, tol.Capacitor, tol.Shape);
        const double rstar = m.RStar * Draw(random, tol.Resistor, tol.Shape);
        const double rkr = m.Rkr * Draw(random, tol.Resistor, tol.Shape);
        p.K = 1 + rkr / rstar;

        // 2. What this build does.
        const ResponseShape s = ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(p), p.K));
        if (!s.Valid || !s.Stable) {
            ++r.Failed;
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            r.F0Samples[i].push_back(s.Pairs[i].F0Hz);
            r.QSamples[i].push_back(s.Pairs[i].Q);
        }
        r.Minus3dBSamples.push_back(s.Minus3dBHz);
        r.PeakingSamples.push_back(s.PeakingDb);
        if (Passes(s, target, mask)) ++r.Passed;
    }
    // 3. Spreads; a failed trial counts against the yield.
    for (int i = 0; i < 2; ++i) {
        r.F0[i] = SpreadOf(r.F0Samples[i]);
        r.Q[i] = SpreadOf(r.QSamples[i]);
    }
    r.Minus3dB = SpreadOf(r.Minus3dBSamples);
    r.PeakingDb = SpreadOf(r.PeakingSamples);
    r.Yield = m.Trials > 0 ? static_cast<double>(r.Passed) / m.Trials : 0;
    return r;
}

double DrawFactor(RandomState& r, double tol, Distribution shape) {
    return Draw(r, tol, shape);
}

bool MeetsMask(const ResponseShape& shape, const ResponseShape& target, const YieldMask& mask) {
    return Passes(shape, target, mask);
}

}  // namespace velmora
