#include "board_monte_carlo.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "block_runner.h"
#include "model/portable_math.h"
#include "response/response_shape.h"

namespace velmora {

namespace {

// Base(s) and Gain(s) of the circuit at s = j 2 pi f, each over the
// numerator so that the figures stay near one whatever the impedance level.
// With a single-pole op-amp the denominator (1 + K/A0 + s K / (2 pi GBW))
// Base + K Gain is still Base + K Gain', Gain' = Gain + Base (1/A0 + s /
// (2 pi GBW)): the reading stays |K| / |Base + K Gain'|, a quadratic
// crossing in K as with an ideal amplifier.
struct Halves {
    std::complex<double> Base, Gain;
};

Halves HalvesAt(const CircuitPolynomial& c, double hz, double gbwHz) {
    const std::complex<double> s{0, 2 * std::numbers::pi * hz};
    std::complex<double> base = 0, gain = 0;
    for (int k = 4; k >= 0; --k) {
        base = base * s + c.Base[k];
        gain = gain * s + c.Gain[k];
    }
    if (gbwHz > 0) gain += base * (1 / kOpAmpOpenLoopGain + s / (2 * std::numbers::pi * gbwHz));
    return {base / c.Numerator, gain / c.Numerator};
}

}  // namespace

TrimSetting SetTrimmer(const DrawnBoard& d, const KTrim& trim) {
    return SetTrimmer(d, CircuitPolynomialOf(WithInputCapacitance(d.Parts, d.Amp)), trim);
}

TrimSetting SetTrimmer(const DrawnBoard& d, const CircuitPolynomial& c, const KTrim& trim) {
    const auto kAt = [&](int i) { return GainOf(d.Rkr + d.Pot * i / trim.Steps, d.RStar); };
    const Halves h = HalvesAt(c, trim.TestHz, d.Amp.GbwHz);
    const auto reaches = [&](int i) {
        const double k = kAt(i);
        return std::fabs(k) / std::abs(h.Base + k * h.Gain) * d.Meter >= trim.StatedGain;
    };
    if (reaches(0)) return {kAt(0), 0, false};
    // The reading's first crossing, solved, says where to start looking;
    // the positions from just below it are then read as the technician
    // reads them, so that rounding never skips the first one that reaches.
    const auto k = GainForReading(c, trim.TestHz, trim.StatedGain / d.Meter, kAt(0), d.Amp.GbwHz);
    const double crossing =
        k && d.Pot > 0 ? (RkrFor(*k, d.RStar) - d.Rkr) / d.Pot * trim.Steps : trim.Steps + 1.0;
    const int from =
        std::max(1, static_cast<int>(std::floor(std::min(crossing, trim.Steps + 1.0))));
    for (int i = from; i <= trim.Steps; ++i)
        if (reaches(i)) return {kAt(i), i, true};
    return {kAt(trim.Steps), trim.Steps, false};
}

double GainAt(const CircuitPolynomial& c, double testHz, double k, double gbwHz) {
    const Halves h = HalvesAt(c, testHz, gbwHz);
    return std::fabs(k) / Abs(h.Base + k * h.Gain);
}

std::optional<double> GainForReading(const CircuitPolynomial& c, double testHz, double gain,
                                     double fromK, double gbwHz) {
    // k^2 = gain^2 |B + k G|^2 is a quadratic in k; its roots are where the
    // reading crosses the gain.
    const Halves h = HalvesAt(c, testHz, gbwHz);
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
    struct Tally {
        int Passed = 0, Failed = 0, OutOfRange = 0;
        std::vector<double> Minus3dB, Peaking;  // empty unless kept
    };
    const KTrim* trim = m.Trim ? &*m.Trim : nullptr;
    FilterParts nominal = m.Nominal.Parts;
    nominal.K = GainOf(m.Nominal.Rkr, m.Nominal.RStar);
    const QuarticShaper shaper(
        ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(nominal), nominal.K)));
    const ShapeParts parts = PartsRead(mask, keepSamples);
    const auto run = [&](int count, RandomState random, Tally& t) {
        for (int trial = 0; trial < count; ++trial) {
            const DrawnBoard d = DrawBoard(random, m.Nominal, m.Tol, trim);
            const CircuitPolynomial c = CircuitPolynomialOf(WithInputCapacitance(d.Parts, d.Amp));
            double k = d.Parts.K;
            bool setAside = false;
            if (trim) {
                const TrimSetting s = SetTrimmer(d, c, *trim);
                k = s.K;
                setAside = !s.InRange;
                t.OutOfRange += setAside;
            }
            // The quartic's fast shape for an ideal op-amp; a real one adds
            // its own pole, solved in full.
            ResponseShape s;
            if (!d.Amp.Ideal()) {
                FilterParts p = d.Parts;
                p.K = k;
                s = ShapeOfBoard(p, d.Amp);
            } else {
                double den[5];
                for (int i = 0; i < 5; ++i)
                    den[i] = c.Base[i] + k * c.Gain[i];
                s = shaper.Shape(den, parts);
            }
            if (!s.Valid || !s.Stable) {
                ++t.Failed;
                continue;
            }
            if (keepSamples) {
                t.Minus3dB.push_back(s.Minus3dBHz);
                t.Peaking.push_back(s.PeakingDb);
            }
            if (!setAside && MeetsMask(s, target, mask)) ++t.Passed;
        }
    };
    BoardRun r;
    r.Trials = m.Trials;
    RunBlocks<Tally>(m.Trials, m.Seed,
                     StepsPerBoard(m.Tol.Shape, trim != nullptr, !m.Nominal.Amp.Ideal()), run,
                     [&r](const Tally& t) {
                         r.Passed += t.Passed, r.Failed += t.Failed, r.OutOfRange += t.OutOfRange;
                         for (const double v : t.Minus3dB)
                             r.Minus3dBSamples.Add(v);
                         for (const double v : t.Peaking)
                             r.PeakingSamples.Add(v);
                     });
    r.Yield = m.Trials > 0 ? static_cast<double>(r.Passed) / m.Trials : 0;
    return r;
}

}  // namespace velmora
