#include "spread_accumulator.h"

#include "model/portable_math.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace velmora {

namespace {

// 2^19 counts of four bytes: 2 MB a sign at most; the values span at most
// half of it, 8 binades at 15 bits of mantissa.
constexpr uint64_t kMaxBins = uint64_t{1} << 19;

// Where the rank'th value of a list sorted ascending sits: lround, as the
// exact spread takes it.
size_t RankOf(double share, size_t count) {
    return static_cast<size_t>(std::lround(share * (static_cast<double>(count) - 1)));
}

double FromBits(uint64_t bits) {
    return std::bit_cast<double>(bits);
}

}  // namespace

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

void SpreadAccumulator::Bins::Add(double magnitude) {
    const uint64_t bits = std::bit_cast<uint64_t>(magnitude);
    if (Counts.empty()) {
        Base = bits >> Shift;
        Counts.assign(1, 0);
    }
    for (;;) {
        const uint64_t key = bits >> Shift;
        if (key >= Base && key < Base + Counts.size()) {
            ++Counts[key - Base];
            return;
        }
        // The bins in use and the new one, without the room left earlier;
        // coarser bins once they would fill half the limit, so that the
        // counts are copied a few times, not for each new extreme.
        size_t first = 0, last = Counts.size() - 1;
        while (first < last && Counts[first] == 0)
            ++first;
        while (last > first && Counts[last] == 0)
            --last;
        uint64_t lo = std::min(Base + first, key), hi = std::max(Base + last + 1, key + 1);
        if (hi - lo > kMaxBins / 2) {
            Coarsen();
            continue;
        }
        // Room for twice the span, half on each side.
        const uint64_t want =
            std::min(std::max<uint64_t>(2 * (hi - lo), 2 * Counts.size()), kMaxBins);
        const uint64_t room = (want - (hi - lo)) / 2;
        lo = lo >= room ? lo - room : 0;
        hi = lo + want;
        std::vector<uint32_t> wider(hi - lo, 0);
        std::copy(Counts.begin() + static_cast<ptrdiff_t>(first),
                  Counts.begin() + static_cast<ptrdiff_t>(last) + 1,
                  wider.begin() + static_cast<ptrdiff_t>(Base + first - lo));
        Counts.swap(wider);
        Base = lo;
    }
}

void SpreadAccumulator::Bins::Coarsen() {
    const uint64_t base = Base >> 1, last = (Base + Counts.size() - 1) >> 1;
    std::vector<uint32_t> merged(last - base + 1, 0);
    for (size_t k = 0; k < Counts.size(); ++k)
        merged[((Base + k) >> 1) - base] += Counts[k];
    Counts.swap(merged);
    Base = base;
    ++Shift;
}

void SpreadAccumulator::Bin(double value) {
    if (value == 0)
        ++zeros_;
    else if (std::signbit(value))
        negative_.Add(-value);
    else
        positive_.Add(value);
}

void SpreadAccumulator::Add(double value) {
    ++count_;
    if (count_ <= kExactLimit) {
        values_.push_back(value);
        return;
    }
    if (values_.size() == kExactLimit) {
        // 1. The kept values become moments and bins.
        const Spread s = SpreadOf(values_);
        mean_ = s.Mean;
        m2_ = s.StdDev * s.StdDev * static_cast<double>(kExactLimit - 1);
        min_ = s.Min, max_ = s.Max;
        for (double v : values_)
            Bin(v);
        std::vector<double>().swap(values_);
    }
    // 2. Welford's update: the moments without the values.
    const double delta = value - mean_;
    mean_ += delta / static_cast<double>(count_);
    m2_ += delta * (value - mean_);
    min_ = std::min(min_, value), max_ = std::max(max_, value);
    Bin(value);
}

void SpreadAccumulator::Add(std::span<const double> values) {
    size_t k = 0;
    while (k < values.size() && count_ <= kExactLimit)
        Add(values[k++]);
    if (k == values.size()) return;
    // The rest as one batch: its own two-pass moments, merged with Chan's
    // formula, in place of a division a value.
    const std::span<const double> rest = values.subspan(k);
    const double n = static_cast<double>(rest.size()), before = static_cast<double>(count_);
    double sum = 0;
    for (double v : rest)
        sum += v;
    const double mean = sum / n;
    double m2 = 0;
    for (double v : rest) {
        m2 += (v - mean) * (v - mean);
        min_ = std::min(min_, v), max_ = std::max(max_, v);
        Bin(v);
    }
    const double delta = mean - mean_;
    count_ += rest.size();
    mean_ += delta * n / static_cast<double>(count_);
    m2_ += m2 + delta * delta * before * n / static_cast<double>(count_);
}

double SpreadAccumulator::RelativeError() const {
    if (Exact()) return 0;
    const int shift = std::max(positive_.Shift, negative_.Shift);
    return std::ldexp(1.0, shift - 53);
}

double SpreadAccumulator::OrderStatistic(size_t rank) const {
    // Ascending: negatives from the largest magnitude, zeros, positives.
    const auto middle = [this](const Bins& b, size_t k, double sign) {
        const uint64_t key = b.Base + k;
        const double lo = FromBits(key << b.Shift), hi = FromBits((key + 1) << b.Shift);
        return std::clamp(sign * (lo + (hi - lo) / 2), min_, max_);
    };
    size_t seen = 0;
    for (size_t k = negative_.Counts.size(); k-- > 0;)
        if ((seen += negative_.Counts[k]) > rank) return middle(negative_, k, -1);
    if ((seen += zeros_) > rank) return 0;
    for (size_t k = 0; k < positive_.Counts.size(); ++k)
        if ((seen += positive_.Counts[k]) > rank) return middle(positive_, k, 1);
    return max_;
}

Spread SpreadAccumulator::Summary() const {
    if (Exact()) return SpreadOf(values_);
    Spread s;
    s.Mean = mean_;
    s.StdDev = std::sqrt(m2_ / static_cast<double>(count_ - 1));
    s.Min = min_, s.Max = max_;
    s.Low = OrderStatistic(RankOf(0.005, count_));
    s.High = OrderStatistic(RankOf(0.995, count_));
    return s;
}

BinCounts SpreadAccumulator::Counts(double low, double high, int bins, bool logBins) const {
    BinCounts c;
    c.Bins.assign(static_cast<size_t>(std::max(bins, 1)), 0);
    // Bins are equal in t: the value, or its logarithm (zero and below then
    // fall short of any bin).
    const auto t = [logBins](double v) { return !logBins ? v : v > 0 ? Log(v) : -HUGE_VAL; };
    const double t0 = t(low), t1 = t(high);
    const double width = (t1 - t0) / static_cast<double>(c.Bins.size());
    const auto binOf = [&](double tv) {
        return std::min(static_cast<size_t>((tv - t0) / width), c.Bins.size() - 1);
    };
    const auto point = [&](double tv, double n) {
        if (tv < t0)
            c.Below += n;
        else if (tv > t1)
            c.Above += n;
        else
            c.Bins[binOf(tv)] += n;
    };
    if (Exact()) {
        for (double v : values_)
            point(t(v), 1);
        return c;
    }
    // n values spread evenly in t over [a, b]: each bin takes its share.
    const auto spread = [&](double a, double b, double n) {
        a = t(std::max(a, min_)), b = t(std::min(b, max_));
        if (!(b > a) || !std::isfinite(a) || !std::isfinite(b)) return point(a, n);
        const double per = n / (b - a);
        if (a < t0) c.Below += per * (std::min(b, t0) - a);
        if (b > t1) c.Above += per * (b - std::max(a, t1));
        const double from = std::max(a, t0), to = std::min(b, t1);
        if (!(to > from)) return;
        for (size_t k = binOf(from); k <= binOf(to); ++k) {
            const double edge0 = t0 + width * static_cast<double>(k);
            const double edge1 = k + 1 == c.Bins.size() ? t1 : edge0 + width;
            const double overlap = std::min(to, edge1) - std::max(from, edge0);
            if (overlap > 0) c.Bins[k] += per * overlap;
        }
    };
    const auto each = [&](const Bins& b, double sign) {
        for (size_t k = 0; k < b.Counts.size(); ++k) {
            if (b.Counts[k] == 0) continue;
            const uint64_t key = b.Base + k;
            const double lo = FromBits(key << b.Shift), hi = FromBits((key + 1) << b.Shift);
            if (sign > 0)
                spread(lo, hi, b.Counts[k]);
            else
                spread(-hi, -lo, b.Counts[k]);
        }
    };
    each(negative_, -1);
    point(t(0), static_cast<double>(zeros_));
    each(positive_, 1);
    return c;
}

}  // namespace velmora
