// How sure a Monte Carlo yield is: the 95 % Wilson score interval of a count
// of passes. Unlike p +- 1.96 sqrt(p (1 - p) / n) it stays inside [0, 1] and
// does not shrink to nothing at 0 or 100 %, where plans and searches
// compare yields.
//
//   WilsonInterval(8902, 10000) -> {0.8839, 0.8962}
//   WilsonInterval(10000, 10000) -> {0.99962, 1}
//   Reaches(WilsonInterval(9929, 10000), 0.99) -> true; (9905, 10000) -> false
#pragma once

namespace velmora {

struct YieldInterval {
    double Low = 0, High = 1;
};

inline constexpr double kYieldConfidenceZ = 1.959963984540054;  // two-sided 95 %

YieldInterval WilsonInterval(int passed, int trials, double z = kYieldConfidenceZ);

// A yield reaches a target only when its interval's lower end does.
inline bool Reaches(const YieldInterval& interval, double target) {
    return interval.Low >= target;
}

// Whether two yields differ by no more than their noise: their intervals meet.
inline bool Tied(const YieldInterval& a, const YieldInterval& b) {
    return a.Low <= b.High && b.Low <= a.High;
}

}  // namespace velmora
