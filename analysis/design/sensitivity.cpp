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

// a = quotient * (s^2 + b s + c) + r1 s + r0.
Polynomial DivideByPair(Polynomial a, double b, double c, double& r1, double& r0) {
    Polynomial quotient(a.size() > 2 ? a.size() - 2 : 0, 0.0);
    for (size_t k = a.size(); k-- > 2;) {
        quotient[k - 2] = a[k];
        a[k - 1] -= b * a[k];
        a[k - 2] -= c * a[k];
    }
    r1 = a.size() > 1 ? a[1] : 0;
    r0 = a.empty() ? 0 : a[0];
    return quotient;
}

// How the factor s^2 + b s + c of D that holds one pair moves, x db/dx and
// x dc/dx, from x dD/dx. With D = F R, a change dD = dF R + F dR leaves
// dD mod F = (db s + dc) R mod F: two linear equations in db and dc whose
// determinant is the resultant of F and R. They stay well posed when the
// pair's two poles meet (a double real pole, AF = 2), where the motion of
// each pole alone, -(x dD/dx)(p) / D'(p), runs off to infinity and the two
// cancel only to the few digits the poles are known to.
struct FactorMotion {
    double B = 0, C = 0;
};

FactorMotion MotionOfFactor(const Polynomial& d, const Polynomial& partial, double b, double c) {
    double u1 = 0, u0 = 0, m1 = 0, m0 = 0, unused = 0;
    DivideByPair(DivideByPair(d, b, c, unused, unused), b, c, u1, u0);  // R mod F
    DivideByPair(partial, b, c, m1, m0);
    // (db s + dc)(u1 s + u0) mod F = (db (u0 - u1 b) + dc u1) s + (dc u0 - db u1 c).
    const double det = (u0 - u1 * b) * u0 + u1 * u1 * c;
    return {(m1 * u0 - u1 * m0) / det, ((u0 - u1 * b) * m0 + u1 * c * m1) / det};
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
    Polynomial d = IdealDenominator(CircuitPolynomialOf(e), e.K);
    double extra = 0;
    const std::vector<PoleCouple> couples = CouplePoles(PolynomialRoots(d), &extra);
    if (couples.size() != 2) return s;

    // Monic, so that the remainders stay near the scale of the poles.
    const double lead = d.back();
    for (double& c : d)
        c /= lead;
    for (int part = 0; part < kPartCount; ++part) {
        Polynomial partial = ScaledPartial(e, part);
        for (double& c : partial)
            c /= lead;
        for (size_t i = 0; i < 2; ++i) {
            // f0^2 = c and Q = f0 / b for the pair's factor s^2 + b s + c, so
            // S(f0) = (x dc/dx) / 2c and S(Q) = S(f0) - (x db/dx) / b.
            const double b = -(couples[i].P + couples[i].Q).real();
            const double c = (couples[i].P * couples[i].Q).real();
            const FactorMotion m = MotionOfFactor(d, partial, b, c);
            s.F0[i][part] = 0.5 * m.C / c;
            s.Q[i][part] = s.F0[i][part] - m.B / b;
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
