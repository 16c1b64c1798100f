#include "monte_carlo.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <thread>

#include "block_runner.h"
#include "model/circuit_polynomial.h"
#include "model/portable_math.h"
#include "opamp_gbw.h"
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
          parts_(PartsRead(mask, keep)) {}

    void Run(int count, RandomState random, BlockTally& t) const {
        if (keep_) {
            for (std::vector<double>* v :
                 {&t.F0[0], &t.F0[1], &t.Q[0], &t.Q[1], &t.Minus3dB, &t.Peaking})
                v->reserve(static_cast<size_t>(count));
        }
        const PartTolerances tol = EqualGrades(m_.Tol);
        const BoardNominal nominal{m_.Nominal, m_.RStar, m_.Rkr, m_.Amp};
        for (int trial = 0; trial < count; ++trial) {
            // 1. Draw every part, in a fixed order so a seed means one sequence.
            const DrawnBoard board = DrawBoard(random, nominal, tol);
            const FilterParts& p = board.Parts;

            // 2. What this build does: around a real op-amp a fifth order.
            ResponseShape s;
            if (m_.Amp.Ideal()) {
                const CircuitPolynomial c = CircuitPolynomialOf(p);
                double d[5];
                for (int k = 0; k < 5; ++k)
                    d[k] = c.Base[k] + p.K * c.Gain[k];
                s = shaper_.Shape(d, parts_);
            } else {
                s = ShapeOfBoard(p, board.Amp);
            }
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

template <class Merge>
void RunTrials(const MonteCarloSetup& m, const ResponseShape& target, const YieldMask& mask,
               bool keep, Merge merge) {
    const TrialRunner runner(m, target, mask, keep);
    RunBlocks<BlockTally>(
        m.Trials, m.Seed, StepsPerBoard(m.Tol.Shape, false, !m.Amp.Ideal()),
        [&runner](int count, RandomState random, BlockTally& t) { runner.Run(count, random, t); },
        merge);
}

}  // namespace

ShapeParts PartsRead(const YieldMask& mask, bool keep) {
    if (keep) return ShapeParts::All;
    if (mask.Minus3dB > 0) return mask.PeakingDb > 0 ? ShapeParts::All : ShapeParts::Minus3dB;
    return mask.PeakingDb > 0 ? ShapeParts::Peaking : ShapeParts::PolesOnly;
}

bool MaskIsEmpty(const YieldMask& m) {
    return m.Minus3dB <= 0 && m.F0 <= 0 && m.Q <= 0 && m.PeakingDb <= 0;
}

MonteCarloResult RunMonteCarlo(const MonteCarloSetup& m, const ResponseShape& target,
                               const YieldMask& mask) {
    MonteCarloResult r;
    r.Trials = m.Trials;
    RunTrials(m, target, mask, true, [&r](const BlockTally& t) {
        r.Failed += t.Failed, r.Passed += t.Passed;
        for (int i = 0; i < 2; ++i) {
            r.F0Samples[i].Add(t.F0[i]);
            r.QSamples[i].Add(t.Q[i]);
        }
        r.Minus3dBSamples.Add(t.Minus3dB);
        r.PeakingSamples.Add(t.Peaking);
    });
    // Spreads, half of them on a second thread when there are many samples;
    // a failed trial counts against the yield.
    const auto someSpreads = [&r](int half) {
        r.F0[half] = r.F0Samples[half].Summary();
        r.Q[half] = r.QSamples[half].Summary();
        if (half == 0)
            r.Minus3dB = r.Minus3dBSamples.Summary();
        else
            r.PeakingDb = r.PeakingSamples.Summary();
    };
    if (r.Minus3dBSamples.Count() > 4 * kTrialBlock && std::thread::hardware_concurrency() > 1) {
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
    RunTrials(m, target, mask, false,
              [&y](const BlockTally& t) { y.Failed += t.Failed, y.Passed += t.Passed; });
    y.Yield = m.Trials > 0 ? static_cast<double>(y.Passed) / m.Trials : 0;
    return y;
}

bool MeetsMask(const ResponseShape& shape, const ResponseShape& target, const YieldMask& mask) {
    return Passes(shape, target, mask);
}

}  // namespace velmora
