#include "trim.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/portable_math.h"

namespace velmora {

namespace {

// DC first: on a tie the technician needs no generator.
constexpr double kTestFractions[] = {0, 0.5, 0.7, 0.8, 0.9, 1.0, 1.1, 1.25};

// The fraction of builds the range must cover, split over its two ends.
constexpr double kUncovered = 0.003;

double RoundToDigits(double value, int digits) {
    if (!(value > 0) || !std::isfinite(value)) return value;
    const double unit = PowerOfTen(DecimalExponent(value) - (digits - 1));
    return std::round(value / unit) * unit;
}

// The largest member of the series not above limit; 0 when there is none
// above a millionth of it.
double SeriesFloor(double limit, ESeries series) {
    if (!(limit > 0) || !std::isfinite(limit)) return 0;
    const int digits = SeriesDigits(series);
    double best = 0;
    for (int decade = -6; decade <= 1; ++decade) {
        const double unit = PowerOfTen(DecimalExponent(limit) + decade - (digits - 1));
        for (int mantissa : SeriesMantissas(series)) {
            const double v = SnapToSeries(mantissa * unit, series);
            if (v <= limit * (1 + 1e-12)) best = std::max(best, v);
        }
    }
    return best;
}

// Trimmers come in 1, 2, 5 steps: the smallest reaching `need`.
double TrimmerAtLeast(double need) {
    double value = 10;
    for (int k = 0; k < 18 && value < need; ++k)
        value = RoundToDigits(value * (k % 3 == 1 ? 2.5 : 2), 1);
    return value;
}

double Quantile(std::vector<double> v, double fraction) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const auto at = static_cast<size_t>(std::lround(fraction * static_cast<double>(v.size() - 1)));
    return v[at];
}

// The fixed part and the trimmer for the builds' needs of the target's gain
// at testHz (pilot draws of o.PilotTrials).
KTrim FitTrimRange(const SnappedBuild& b, const PartTolerances& tol, double testHz,
                   double statedGain, const TrimOptions& o) {
    KTrim t;
    t.TestHz = testHz;
    t.StatedGain = statedGain;
    t.Steps = o.Steps;
    t.Meter = o.Meter;
    t.PotTolerance = o.PotTolerance;
    // The RK-R each pilot build needs, drawn as SimulateBoard draws it.
    std::vector<double> needs;
    RandomState random = SeedRandom(o.Seed);
    const BoardNominal nominal{b.Built, b.RStar, 0, o.Amp};
    for (int trial = 0; trial < o.PilotTrials; ++trial) {
        const DrawnBoard d = DrawBoard(random, nominal, tol, &t);
        if (const auto k = GainForReading(CircuitPolynomialOf(WithInputCapacitance(d.Parts, d.Amp)),
                                          testHz, statedGain / d.Meter, 1, d.Amp.GbwHz))
            needs.push_back(RkrFor(*k, d.RStar));
    }
    const double low = Quantile(needs, kUncovered / 2);
    const double high = Quantile(needs, 1 - kUncovered / 2);
    const double fixedTol = tol.Of[kBoardRkr];
    t.FixedOhms = SeriesFloor(low / (1 + fixedTol), o.FixedSeries.value_or(ESeries::E24));
    t.PotOhms = TrimmerAtLeast((high - t.FixedOhms * (1 - fixedTol)) / (1 - t.PotTolerance));
    return t;
}

}  // namespace

BoardSetup SetupOf(const SnappedBuild& b, const PartTolerances& tol, int trials, uint64_t seed,
                   const std::optional<KTrim>& trim, const YieldOpAmp& amp) {
    BoardSetup s;
    s.Nominal = {b.Built, b.RStar, trim ? trim->FixedOhms : b.RkrBuilt, amp};
    s.Tol = tol;
    s.Trials = trials;
    s.Seed = seed;
    s.Trim = trim;
    return s;
}

double TargetGainAt(const SnappedBuild& b, double hz) {
    return GainAt(CircuitPolynomialOf(b.Ideal), hz, b.Ideal.K);
}

double StatedGainFor(const SnappedBuild& b, const KTrim& t, const YieldOpAmp& amp) {
    const CircuitPolynomial c = CircuitPolynomialOf(WithInputCapacitance(b.Built, amp));
    const double target = TargetGainAt(b, t.TestHz);
    const auto k = GainForReading(c, t.TestHz, target, 1, amp.GbwHz);
    if (!k || !(t.PotOhms > 0)) return target;
    const double halfStep = t.PotOhms / (2.0 * t.Steps * b.RStar);
    const double stated = GainAt(c, t.TestHz, *k - halfStep, amp.GbwHz);
    return stated > 0 && std::isfinite(stated) ? stated : target;
}

double LowestK(const SnappedBuild& b, const KTrim& t) {
    return GainOf(t.FixedOhms, b.RStar);
}

double HighestK(const SnappedBuild& b, const KTrim& t) {
    return GainOf(t.FixedOhms + t.PotOhms, b.RStar);
}

KTrim FitTrim(const SnappedBuild& b, const PartTolerances& tol, double testHz,
              const TrimOptions& o) {
    // As printed for the technician: four digits of gain. The reading to
    // stop at depends on the trimmer's step, and the range on that reading:
    // fitted for the target's gain first, then for the reading it gives.
    KTrim t = FitTrimRange(b, tol, testHz, RoundToDigits(TargetGainAt(b, testHz), 4), o);
    t = FitTrimRange(b, tol, testHz, RoundToDigits(StatedGainFor(b, t, o.Amp), 4), o);
    t.StatedGain = RoundToDigits(StatedGainFor(b, t, o.Amp), 4);
    return t;
}

TrimDesign DesignTrim(const SnappedBuild& b, const PartTolerances& tol, const ResponseShape& target,
                      const YieldMask& mask, const TrimOptions& o) {
    TrimDesign best;
    best.PilotYield = -1;
    for (const double fraction : kTestFractions) {
        // As printed for the technician: three digits of frequency, four of gain.
        const double hz = RoundToDigits(fraction * target.Minus3dBHz, 3);
        const double gain = TargetGainAt(b, hz);
        if (!(gain > 0) || !std::isfinite(gain)) continue;
        const KTrim trim = FitTrim(b, tol, hz, o);
        const BoardRun run =
            SimulateBoard(SetupOf(b, tol, o.PilotTrials, o.Seed, trim, o.Amp), target, mask);
        if (run.OutOfRange == run.Trials || !(run.Yield > best.PilotYield)) continue;
        best.Trim = trim;
        best.TestFraction = fraction;
        best.PilotYield = run.Yield;
        best.Reachable = true;
    }
    return best;
}

double BuildYield(const SnappedBuild& b, const PartTolerances& tol, const ResponseShape& target,
                  const YieldMask& mask, bool trimmed, const TrimOptions& o, int trials) {
    std::optional<KTrim> trim;
    if (trimmed) {
        const TrimDesign t = DesignTrim(b, tol, target, mask, o);
        if (!t.Reachable) return 0;
        trim = t.Trim;
    }
    return SimulateBoard(SetupOf(b, tol, trials, o.Seed, trim, o.Amp), target, mask).Yield;
}

}  // namespace velmora
