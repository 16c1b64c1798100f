#include "opamp_gbw.h"

#include <cmath>
#include <numbers>

#include "model/circuit_polynomial.h"
#include "model/polynomial.h"

namespace velmora {

namespace {

constexpr double kTopGbwHz = 100e9;
constexpr double kScanStep = 1.01;

// (1 + K/A0 + s tau) Base(s) + K Gain(s), tau = K / (2 pi GBW).
Polynomial Denominator(const FilterParts& parts, double gbwHz) {
    const CircuitPolynomial c = CircuitPolynomialOf(parts);
    const double k = parts.K;
    const double alpha = 1 + k / kOpAmpOpenLoopGain;
    const double tau = k / (2 * std::numbers::pi * gbwHz);
    Polynomial d(6, 0.0);
    for (size_t i = 0; i < 5; ++i) {
        d[i] += alpha * c.Base[i] + k * c.Gain[i];
        d[i + 1] += tau * c.Base[i];
    }
    return d;
}

bool WithinLimit(const ResponseShape& s, const ResponseShape& ideal, double limit) {
    if (!s.Valid || !s.Stable) return false;
    for (int i = 0; i < 2; ++i) {
        if (!(std::fabs(s.Pairs[i].F0Hz / ideal.Pairs[i].F0Hz - 1) <= limit)) return false;
        if (!(std::fabs(s.Pairs[i].Q / ideal.Pairs[i].Q - 1) <= limit)) return false;
    }
    return true;
}

}  // namespace

ResponseShape ShapeWithGbw(const FilterParts& parts, double gbwHz) {
    return ShapeOfDenominator(Denominator(parts, gbwHz));
}

FilterParts WithInputCapacitance(FilterParts parts, const YieldOpAmp& amp) {
    if (!amp.Ideal()) parts.C4 += amp.CinF;
    return parts;
}

ResponseShape ShapeOfBoard(const FilterParts& parts, const YieldOpAmp& amp) {
    if (amp.Ideal())
        return ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(parts), parts.K));
    return ShapeWithGbw(WithInputCapacitance(parts, amp), amp.GbwHz);
}

std::complex<double> ResponseWithGbw(const FilterParts& parts, double gbwHz, double hz) {
    const CircuitPolynomial c = CircuitPolynomialOf(parts);
    const Complex s(0, 2 * std::numbers::pi * hz);
    return parts.K * c.Numerator / EvaluatePolynomial(Denominator(parts, gbwHz), s);
}

GbwLimit MinimumGbw(const FilterParts& parts, double limit) {
    GbwLimit g;
    g.Limit = limit;
    const ResponseShape ideal =
        ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(parts), parts.K));
    if (!ideal.Valid || !WithinLimit(ShapeWithGbw(parts, kTopGbwHz), ideal, limit)) return g;
    // 1. Step down until the limit breaks; the filter's own pole frequencies
    //    bound how far that can go.
    double pass = kTopGbwHz, fail = 0;
    const double floor = std::fmin(ideal.Pairs[0].F0Hz, ideal.Pairs[1].F0Hz);
    for (double gbw = kTopGbwHz / kScanStep; gbw > floor; gbw /= kScanStep) {
        if (!WithinLimit(ShapeWithGbw(parts, gbw), ideal, limit)) {
            fail = gbw;
            break;
        }
        pass = gbw;
    }
    if (fail == 0) fail = floor;
    // 2. Bisect on a log scale between the last pass and the first failure.
    while (pass / fail > 1.001) {
        const double mid = std::sqrt(pass * fail);
        (WithinLimit(ShapeWithGbw(parts, mid), ideal, limit) ? pass : fail) = mid;
    }
    g.Found = true;
    g.GbwHz = pass;
    return g;
}

}  // namespace velmora
