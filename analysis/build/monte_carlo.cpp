#include "monte_carlo.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>

#include "model/circuit_polynomial.h"
#include "response/quartic_shape.h"

namespace velmora {

namespace {

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

// Trials are run in blocks, each from the generator state the trials before
// it leave, so a seed gives the same builds in the same order however many
// threads share the blocks.
constexpr int kBlock = 8192;

struct BlockTally {
    int Failed = 0, Passed = 0;
    std::vector<double> F0[2], Q[2], Minus3dB, Peaking;  // empty unless kept
};

class TrialRunner {
public:
    TrialRunner(const MonteCarloSetup& m, const ResponseShape& target, const YieldMask& mask,
                bool keep)
        : m_(m),
          target_(target),
          mask_(mask),
          keep_(keep),
          shaper_(
              ShapeOfDenominator(IdealDenominator(CircuitPolynomialOf(m.Nominal), m.Nominal.K))),
          parts_(keep                ? ShapeParts::All
                 : mask.Minus3dB > 0 ? (mask.PeakingDb > 0 ? ShapeParts::All : ShapeParts::Minus3dB)
                 : mask.PeakingDb > 0 ? ShapeParts::Peaking
                                      : ShapeParts::PolesOnly) {}

    void Run(int count, RandomState random, BlockTally& t) const {
        if (keep_) {
            for (std::vector<double>* v :
                 {&t.F0[0], &t.F0[1], &t.Q[0], &t.Q[1], &t.Minus3dB, &t.Peaking})
                v->reserve(static_cast<size_t>(count));
        }
        const PartTolerances tol = EqualGrades(m_.Tol);
        const BoardNominal nominal{m_.Nominal, m_.RStar, m_.Rkr};
        for (int trial = 0; trial < count; ++trial) {
            // 1. Draw every part, in a fixed order so a seed means one sequence.
            const FilterParts p = DrawBoard(random, nominal, tol).Parts;

            // 2. What this build does.
            const CircuitPolynomial c = CircuitPolynomialOf(p);
            double d[5];
            for (int k = 0; k < 5; ++k)
                d[k] = c.Base[k] + p.K * c.Gain[k];
            const ResponseShape s = shaper_.Shape(d, parts_);
            if (!s.Valid || !s.Stable) {
                ++t.Failed;
                continue;
            }
            if (keep_) {
                for (int i = 0; i < 2; ++i) {
                    t.F0[i].push_back(s.Pairs[i].F0Hz);
                    t.Q[i].push_back(s.Pairs[i].Q);
                }
                t.Minus3dB.push_back(s.Minus3dBHz);
                t.Peaking.push_back(s.PeakingDb);
            }
            if (Passes(s, target_, mask_)) ++t.Passed;
        }
    }

private:
    const MonteCarloSetup& m_;
    const ResponseShape& target_;
    const YieldMask& mask_;
    bool keep_;
    QuarticShaper shaper_;
    ShapeParts parts_;
};

std::vector<BlockTally> RunBlocks(const MonteCarloSetup& m, const ResponseShape& target,
                                  const YieldMask& mask, bool keep) {
    const int trials = std::max(m.Trials, 0);
    const int blocks = (trials + kBlock - 1) / kBlock;
    std::vector<RandomState> starts(static_cast<size_t>(blocks));
    RandomState random = SeedRandom(m.Seed);
    const uint64_t steps = StepsPerBoard(m.Tol.Shape, false) * kBlock;
    for (RandomState& start : starts) {
        start = random;
        for (uint64_t k = 0; k < steps; ++k)
            NextBits(random);
    }
    std::vector<BlockTally> tallies(static_cast<size_t>(blocks));
    const TrialRunner runner(m, target, mask, keep);
    std::atomic<int> next{0};
    const auto work = [&] {
        for (int b = next++; b < blocks; b = next++)
            runner.Run(std::min(kBlock, trials - b * kBlock), starts[static_cast<size_t>(b)],
                       tallies[static_cast<size_t>(b)]);
    };
    const int workers =
        std::min(blocks, std::max(1, static_cast<int>(std::thread::hardware_concurrency())));
    std::vector<std::thread> threads;
    for (int k = 1; k < workers; ++k)
        threads.emplace_back(work);
    work();
    for (std::thread& thread : threads)
        thread.join();
    return tallies;
}

}  // namespace

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
    // The order statistics a full sort would give, without the sort: after
    // the two selections the least lies before Low and the greatest after High.
    const auto low = samples.begin() + std::lround(0.005 * (n - 1));
    const auto high = samples.begin() + std::lround(0.995 * (n - 1));
    std::nth_element(samples.begin(), low, samples.end());
    if (high > low) std::nth_element(low + 1, high, samples.end());
    s.Low = *low;
    s.High = *high;
    s.Min = *std::min_element(samples.begin(), low + 1);
    s.Max = *std::max_element(high, samples.end());
    return s;
}

MonteCarloResult RunMonteCarlo(const MonteCarloSetup& m, const ResponseShape& target,
                               const YieldMask& mask) {
    MonteCarloResult r;
    r.Trials = m.Trials;
    std::vector<BlockTally> tallies = RunBlocks(m, target, mask, true);
    size_t kept = 0;
    for (const BlockTally& t : tallies)
        kept += t.Minus3dB.size();
    const auto gather = [&](std::vector<double>& all, auto member) {
        all.reserve(kept);
        for (BlockTally& t : tallies) {
            std::vector<double>& part = member(t);
            all.insert(all.end(), part.begin(), part.end());
            std::vector<double>().swap(part);
        }
    };
    for (const BlockTally& t : tallies)
        r.Failed += t.Failed, r.Passed += t.Passed;
    for (int i = 0; i < 2; ++i) {
        gather(r.F0Samples[i], [i](BlockTally& t) -> std::vector<double>& { return t.F0[i]; });
        gather(r.QSamples[i], [i](BlockTally& t) -> std::vector<double>& { return t.Q[i]; });
    }
    gather(r.Minus3dBSamples, [](BlockTally& t) -> std::vector<double>& { return t.Minus3dB; });
    gather(r.PeakingSamples, [](BlockTally& t) -> std::vector<double>& { return t.Peaking; });
    // Spreads, half of them on a second thread when there are many samples;
    // a failed trial counts against the yield.
    const auto someSpreads = [&r](int half) {
        r.F0[half] = SpreadOf(r.F0Samples[half]);
        r.Q[half] = SpreadOf(r.QSamples[half]);
        if (half == 0)
            r.Minus3dB = SpreadOf(r.Minus3dBSamples);
        else
            r.PeakingDb = SpreadOf(r.PeakingSamples);
    };
    if (kept > 4 * kBlock && std::thread::hardware_concurrency() > 1) {
        std::thread other(someSpreads, 1);
        someSpreads(0);
        other.join();
    } else {
        someSpreads(0);
        someSpreads(1);
    }
    r.Yield = m.Trials > 0 ? static_cast<double>(r.Passed) / m.Trials : 0;
    return r;
}

YieldCount CountYield(const MonteCarloSetup& m, const ResponseShape& target,
                      const YieldMask& mask) {
    YieldCount y;
    y.Trials = m.Trials;
    for (const BlockTally& t : RunBlocks(m, target, mask, false))
        y.Failed += t.Failed, y.Passed += t.Passed;
    y.Yield = m.Trials > 0 ? static_cast<double>(y.Passed) / m.Trials : 0;
    return y;
}

bool MeetsMask(const ResponseShape& shape, const ResponseShape& target, const YieldMask& mask) {
    return Passes(shape, target, mask);
}

}  // namespace velmora
