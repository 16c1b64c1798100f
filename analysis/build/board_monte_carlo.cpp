#include "board_monte_carlo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "model/portable_math.h"
#include "response/response_shape.h"

namespace velmora {

namespace {

// Base(s) and Gain(s) of the circuit at s = j 2 pi f, each over the
// numerator so that the figures stay near one whatever the impedance level.
struct Halves {
    std::complex<double> Base, Gain;
};

Halves HalvesAt(const CircuitPolynomial& c, double hz) {
    const std::complex<double> s{0, 2 * std::numbers::pi * hz};
    std::complex<double> base = 0, gain = 0;
    for (int k = 4; k >= 0; --k) {
        base = base * s + c.Base[k];
        gain = gain * s + c.Gain[k];
    }
    return {base / c.Numerator, gain / c.Numerator};
}

// Where the technician leaves the trimmer for this build: turned up from
// its least-gain end until the reading first reaches the stated gain, at
// the quantised position nearest that point; an end stop, out of range,
// when the reading starts above it or never reaches it. Past a high-Q
// pair's resonance the reading falls again, so "first" matters.
struct Adjustment {
    double K = 0;
    bool InRange = true;
};

Adjustment Adjust(const FilterParts& parts, double rstar, double fixed, double pot, double trueGain,
                  const KTrim& trim) {
    const CircuitPolynomial c = CircuitPolynomialOf(parts);
    const auto gainOf = [&](double position) { return GainOf(fixed + position * pot, rstar); };
    if (GainAt(c, trim.TestHz, gainOf(0)) >= trueGain) return {gainOf(0), false};
    const auto k = GainForReading(c, trim.TestHz, trueGain, gainOf(0));
    const double position = k ? ((*k - 1) * rstar - fixed) / pot : 1;
    const double quantised = std::round(std::min(position, 1.0) * trim.Steps) / trim.Steps;
    return {gainOf(quantised), position <= 1};
}

}  // namespace

const char* BoardPartName(int part) {
    static const char* const kNames[] = {"R1", "R2", "R3", "R4", "C1",
                                         "C2", "C3", "C4", "R*", "RK-R"};
    return part >= 0 && part < kBoardPartCount ? kNames[part] : "?";
}

bool IsCapacitor(int part) {
    return part >= kBoardC1 && part <= kBoardC4;
}

PartTolerances EqualGrades(const Tolerances& tol) {
    PartTolerances t;
    for (int part = 0; part < kBoardPartCount; ++part)
        t.Of[part] = IsCapacitor(part) ? tol.Capacitor : tol.Resistor;
    t.Shape = tol.Shape;
    return t;
}

double GainAt(const CircuitPolynomial& c, double testHz, double k) {
    const Halves h = HalvesAt(c, testHz);
    return std::fabs(k) / Abs(h.Base + k * h.Gain);
}

std::optional<double> GainForReading(const CircuitPolynomial& c, double testHz, double gain,
                                     double fromK) {
    // k^2 = gain^2 |B + k G|^2 is a quadratic in k; its roots are where the
    // reading crosses the gain.
    const Halves h = HalvesAt(c, testHz);
    const double t2 = gain * gain;
    const double a = 1 - t2 * std::norm(h.Gain);
    const double b = -2 * t2 * (h.Base * std::conj(h.Gain)).real();
    const double cc = -t2 * std::norm(h.Base);
    double roots[2] = {NAN, NAN};
    if (std::fabs(a) < 1e-12 * (std::fabs(b) + std::fabs(cc))) {
        if (b != 0) roots[0] = -cc / b;
    } else if (const double disc = b * b - 4 * a * cc; disc >= 0) {
        const double q = -0.5 * (b + std::copysign(std::sqrt(disc), b));
        roots[0] = q / a;
        roots[1] = q != 0 ? cc / q : roots[0];
    }
    std::optional<double> first;
    for (const double r : roots)
        if (r >= fromK && (!first || r < *first)) first = r;
    return first;
}

BoardRun SimulateBoard(const BoardSetup& m, const ResponseShape& target, const YieldMask& mask,
                       bool keepSamples) {
    BoardRun r;
    r.Trials = m.Trials;
    RandomState random = SeedRandom(m.Seed);
    const PartTolerances& tol = m.Tol;
    for (int trial = 0; trial < m.Trials; ++trial) {
        FilterParts p = m.Nominal;
        double* const values[] = {&p.R1, &p.R2, &p.R3, &p.R4, &p.C1, &p.C2, &p.C3, &p.C4};
        for (int part = kBoardR1; part <= kBoardC4; ++part)
            *values[part] *= DrawFactor(random, tol.Of[part], tol.Shape);
        const double rstar = m.RStar * DrawFactor(random, tol.Of[kBoardRStar], tol.Shape);
        if (!m.Trim) {
            p.K = GainOf(m.Rkr * DrawFactor(random, tol.Of[kBoardRkr], tol.Shape), rstar);
        } else {
            const KTrim& t = *m.Trim;
            const double fixed = t.FixedOhms * DrawFactor(random, tol.Of[kBoardRkr], tol.Shape);
            const double pot = t.PotOhms * DrawFactor(random, t.PotTolerance, tol.Shape);
            // The meter reads the true gain times its error; the technician
            // stops when it reads the stated gain.
            const double trueGain = t.StatedGain / DrawFactor(random, t.Meter, tol.Shape);
            const Adjustment a = Adjust(p, rstar, fixed, pot, trueGain, t);
            p.K = a.K;
            r.OutOfRange += !a.InRange;
        }
        const ResponseShape s = ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(p), p.K));
        if (!s.Valid || !s.Stable) {
            ++r.Failed;
            continue;
        }
        if (keepSamples) {
            r.Minus3dBSamples.push_back(s.Minus3dBHz);
            r.PeakingSamples.push_back(s.PeakingDb);
        }
        if (MeetsMask(s, target, mask)) ++r.Passed;
    }
    r.Yield = m.Trials > 0 ? static_cast<double>(r.Passed) / m.Trials : 0;
    return r;
}

}  // namespace velmora
