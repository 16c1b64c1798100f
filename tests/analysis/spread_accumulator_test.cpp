// The bounded spread against the exact one: past the exact limit, the 0.5 %
// and 99.5 % points stay within the stated bound of the exact order
// statistics, the moments and extremes stay exact, and histogram bars stay
// within the values that sit near their edges.
#include "build/spread_accumulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

using namespace velmora;

namespace {

struct Sample {
    const char* Name;
    std::function<double(std::mt19937_64&)> Draw;
    double Bound;  // the stated one: 2^-16, doubled for each doubling of the span past 8 binades
};

const Sample kSamples[] = {
    // f0 of tight parts: all in one binade, bars narrower than 1e-4.
    {"narrow",
     [](std::mt19937_64& g) {
         return 1000 * (1 + 1e-3 * std::uniform_real_distribution<>(-1, 1)(g));
     },
     0x1p-16},
    // Q of near-unstable builds: a tail to thousands, 12 binades.
    {"long tail",
     [](std::mt19937_64& g) {
         return 0.7 / std::pow(std::uniform_real_distribution<>(1e-3, 1)(g), 1.2);
     },
     0x1p-15},
    // Peaking: a third exactly zero, the rest over 24 binades; a few negatives.
    {"zeros and signs",
     [](std::mt19937_64& g) {
         const double u = std::uniform_real_distribution<>(0, 1)(g);
         return u < 0.33 ? 0.0 : u < 0.36 ? -u : std::exponential_distribution<>(0.5)(g);
     },
     0x1p-14},
    // Sixty decades, 200 binades.
    {"sixty decades",
     [](std::mt19937_64& g) { return std::pow(10, std::uniform_real_distribution<>(-30, 30)(g)); },
     0x1p-11},
};

TEST(SpreadAccumulator, PastTheExactLimitStaysWithinItsBound) {
    const size_t n = 3 * SpreadAccumulator::kExactLimit + 12345;
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.Name);
        std::mt19937_64 g(7);
        std::vector<double> all;
        for (size_t k = 0; k < n; ++k)
            all.push_back(sample.Draw(g));
        // One value at a time, and in blocks as a Monte Carlo run hands them.
        SpreadAccumulator a, blocks;
        for (double v : all)
            a.Add(v);
        for (size_t k = 0; k < n; k += 8192)
            blocks.Add(std::span(all).subspan(k, std::min<size_t>(8192, n - k)));
        const Spread exact = SpreadOf(all);
        for (const SpreadAccumulator* run : {&a, &blocks}) {
            ASSERT_FALSE(run->Exact());
            EXPECT_TRUE(run->Values().empty());
            const Spread s = run->Summary();
            const double bound = run->RelativeError();
            EXPECT_LE(bound, sample.Bound);
            EXPECT_LE(std::fabs(s.Low - exact.Low), bound * std::fabs(exact.Low));
            EXPECT_LE(std::fabs(s.High - exact.High), bound * std::fabs(exact.High));
            EXPECT_EQ(s.Min, exact.Min);
            EXPECT_EQ(s.Max, exact.Max);
            if (std::string(sample.Name) != "sixty decades") {  // moments meaningless there
                EXPECT_NEAR(s.Mean / exact.Mean, 1, 1e-12);
                EXPECT_NEAR(s.StdDev / exact.StdDev, 1, 1e-9);
            }
        }
        const double bound = a.RelativeError();

        // Bars: each within the values lying within two bounds of its edges,
        // and every value counted once.
        std::sort(all.begin(), all.end());
        const auto within = [&](double lo, double hi) {
            return static_cast<double>(std::upper_bound(all.begin(), all.end(), hi) -
                                       std::lower_bound(all.begin(), all.end(), lo));
        };
        const bool logBins = exact.Low > 0;
        const BinCounts c = a.Counts(exact.Low, exact.High, 40, logBins);
        double total = c.Below + c.Above;
        for (size_t k = 0; k < c.Bins.size(); ++k) {
            const auto edge = [&](double j) {
                return logBins ? exact.Low * std::pow(exact.High / exact.Low, j / 40)
                               : exact.Low + (exact.High - exact.Low) * j / 40;
            };
            const double e0 = edge(static_cast<double>(k)), e1 = edge(static_cast<double>(k + 1));
            const double near =
                within(e0 - 2 * bound * std::fabs(e0), e0 + 2 * bound * std::fabs(e0)) +
                within(e1 - 2 * bound * std::fabs(e1), e1 + 2 * bound * std::fabs(e1));
            EXPECT_LE(std::fabs(c.Bins[k] - within(e0, e1)), near + 1e-6) << k;
            total += c.Bins[k];
        }
        EXPECT_NEAR(total, static_cast<double>(n), 1e-6 * static_cast<double>(n));
    }
}

}  // namespace
