#include "sensitivity.h"

#include <cmath>

#include "model/circuit_polynomial.h"
#include "response/response_shape.h"

namespace velmora {

namespace {

constexpr const char* kNames[kPartCount] = {"R1", "R2", "R3", "R4", "C1", "C2", "C3", "C4", "K"};

// x * dD/dx as a polynomial. Every coefficient is affine in each element, so
// the terms that hold x are D minus D with x set to zero.
Polynomial ScaledPartial(const CircuitElements& e, int part) {
    const CircuitPolynomial full = CircuitPolynomialOf(e);
    if (part == kPartK) {
        Polynomial d(full.Gain, full.Gain + 5);
        for (double& c : d)
            c *= e.K;
        return d;
    }
    CircuitElements without = e;
    if (part <= kPartR4)
        without.G[part - kPartR1] = 0;
    else
        without.C[part - kPartC1] = 0;
    const Polynomial a = IdealDenominator(full, e.K);
    const Polynomial b = IdealDenominator(CircuitPolynomialOf(without), e.K);
    Polynomial d(5);
    for (size_t k = 0; k < 5; ++k)
        d[k] = a[k] - b[k];
    // A resistor is the reciprocal of its conductance: S(y, R) = -S(y, G).
    if (part <= kPartR4)
        for (double& c : d)
            c = -c;
    return d;
}

}  // namespace

const char* PartName(int part) {
    return part >= 0 && part < kPartCount ? kNames[part] : "?";
}

double& PartValue(FilterParts& p, int part) {
    double* values[kPartCount] = {&p.R1, &p.R2, &p.R3, &p.R4, &p.C1, &p.C2, &p.C3, &p.C4, &p.K};
    return *values[part];
}

PoleSensitivities SensitivitiesOf(const FilterParts& parts) {
    PoleSensitivities s;
    const CircuitElements e = ElementsOf(parts);
    const Polynomial d = IdealDenominator(CircuitPolynomialOf(e), e.K);
    const Polynomial slope = Derivative(d);
    double extra = 0;
    const std::vector<PoleCouple> couples = CouplePoles(PolynomialRoots(d), &extra);
    if (couples.size() != 2) return s;

    for (int part = 0; part < kPartCount; ++part) {
        const Polynomial partial = ScaledPartial(e, part);
        for (size_t i = 0; i < 2; ++i) {
            const PoleCouple& c = couples[i];
            // 1. Relative motion of each pole: x dp/dx = -(x dD/dx)(p) / D'(p).
            const Complex dp = -EvaluatePolynomial(partial, c.P) / EvaluatePolynomial(slope, c.P);
            const Complex dq = -EvaluatePolynomial(partial, c.Q) / EvaluatePolynomial(slope, c.Q);
            // 2. f0^2 = p*q and Q = f0 / -(p + q), so
            //    S(f0) = (dp/p + dq/q) / 2 and S(Q) = S(f0) - (dp + dq) / (p + q).
            const double sf0 = 0.5 * (dp / c.P + dq / c.Q).real();
            s.F0[i][part] = sf0;
            s.Q[i][part] = sf0 - (dp + dq).real() / (c.P + c.Q).real();
        }
    }
    s.Pairs[0] = couples[0].Pair;
    s.Pairs[1] = couples[1].Pair;
    s.Valid = true;
    return s;
}

double WorstSensitivity(const PoleSensitivities& s) {
    double worst = 0;
    for (int i = 0; i < 2; ++i)
        for (int part = 0; part < kPartCount; ++part)
            worst = std::fmax(worst, std::fmax(std::fabs(s.F0[i][part]), std::fabs(s.Q[i][part])));
    return worst;
}

}  // namespace velmora
