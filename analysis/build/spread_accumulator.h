// The spread of one figure over the builds of a Monte Carlo run, in bounded
// memory: a run of any size keeps at most 4 MB a figure (2 MB a sign).
//
// Up to kExactLimit values are kept as they come, and every figure is exact
// (the same bytes as sorting them). Past that the values go into bins: each
// bin holds the values whose doubles share sign, exponent and the leading
// 15 bits of mantissa, so a bin spans at most 2^-15 of its values.
//   - Mean and standard deviation stay exact to rounding (streaming moments).
//   - Min and Max stay exact.
//   - Low and High are the middle of the bin holding the exact 0.5 % and
//     99.5 % order statistics (clamped to Min..Max): within RelativeError()
//     of them, 2^-16 (1.5e-5) while the values of one sign span at most 8
//     binades (a factor of 256); each doubling of that span costs one bit,
//     and doubles the bound.
//
//   SpreadAccumulator a;
//   for (double hz : builds) a.Add(hz);
//   Spread s = a.Summary();   // s.Low: the 0.5 % point
//   BinCounts c = a.Counts(s.Low, s.High, 40);   // a histogram's bars
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace velmora {

struct Spread {
    double Mean = 0, StdDev = 0, Min = 0, Max = 0;
    double Low = 0, High = 0;  // 0.5 % and 99.5 % points: 99 % of builds lie between
};

// The exact spread of a list of values (a copy is sorted partially).
Spread SpreadOf(std::vector<double> samples);

// Values in equal bins over [low, high] (equal in the logarithm when
// logBins; low > 0 then), and those outside. Exact counts while the
// accumulator is; past that a bin takes of each value bin the share of its
// width it covers.
struct BinCounts {
    std::vector<double> Bins;
    double Below = 0, Above = 0;
};

class SpreadAccumulator {
public:
    static constexpr size_t kExactLimit = 100000;

    void Add(double value);
    // The same values one by one, in order, but faster; the moments may
    // differ in the last bits from adding them one at a time.
    void Add(std::span<const double> values);
    size_t Count() const { return count_; }
    bool Exact() const { return count_ <= kExactLimit; }
    // The values in the order added; empty once past kExactLimit.
    const std::vector<double>& Values() const { return values_; }

    Spread Summary() const;
    // The bound on |Low - exact| / |exact| (and for High): 0 while exact.
    double RelativeError() const;
    BinCounts Counts(double low, double high, int bins, bool logBins = false) const;

private:
    // Magnitudes of one sign: counts_[k] holds the values whose top bits,
    // shifted right by shift_, are base_ + k.
    struct Bins {
        int Shift = 37;  // 52 - 15 mantissa bits kept
        uint64_t Base = 0;
        std::vector<uint32_t> Counts;
        void Add(double magnitude);
        void Coarsen();
    };
    void Bin(double value);
    double OrderStatistic(size_t rank) const;

    std::vector<double> values_;
    size_t count_ = 0;
    double mean_ = 0, m2_ = 0, min_ = 0, max_ = 0;  // once binned
    Bins positive_, negative_;
    size_t zeros_ = 0;
};

}  // namespace velmora
