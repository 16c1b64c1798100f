#include "pole_pairs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "portable_math.h"

namespace velmora {

namespace {

using Complex = std::complex<double>;

constexpr double kTwoPi = 2 * std::numbers::pi;

bool IsReal(Complex z) {
    return std::fabs(z.imag()) <= 1e-9 * Abs(z);
}

}  // namespace

PolePair PairOfPoles(Complex p, Complex q) {
    const double w0 = std::sqrt(Abs(p * q));
    return {w0 / kTwoPi, w0 / -(p + q).real()};
}

std::array<Complex, 2> PolesOfPair(const PolePair& pair) {
    const double w = kTwoPi * pair.F0Hz, b = w / pair.Q;
    const Complex root = std::sqrt(Complex{b * b - 4 * w * w, 0});
    return {(-b - root) / 2.0, (-b + root) / 2.0};
}

bool LowerQ(const PolePair& a, const PolePair& b) {
    return a.Q < b.Q;
}

std::vector<PoleCouple> CouplePoles(const std::vector<Complex>& poles, double* extraPoleHz) {
    std::vector<PoleCouple> couples;
    std::vector<Complex> reals;
    for (const Complex& p : poles) {
        if (IsReal(p))
            reals.push_back(Complex(p.real(), 0));
        else if (p.imag() > 0)
            couples.push_back({p, std::conj(p), PairOfPoles(p, std::conj(p))});
    }
    std::sort(reals.begin(), reals.end(), [](Complex a, Complex b) { return Abs(a) < Abs(b); });
    size_t next = 0;
    while (couples.size() < 2 && next + 1 < reals.size()) {
        couples.push_back(
            {reals[next], reals[next + 1], PairOfPoles(reals[next], reals[next + 1])});
        next += 2;
    }
    *extraPoleHz = next < reals.size() ? Abs(reals[next]) / kTwoPi : 0;
    if (couples.size() > 2) couples.resize(2);
    std::sort(couples.begin(), couples.end(),
              [](const PoleCouple& a, const PoleCouple& b) { return LowerQ(a.Pair, b.Pair); });
    return couples;
}

std::array<PolePair, 2> PairPoles(const std::vector<Complex>& poles) {
    double extra = 0;
    std::array<PolePair, 2> pairs{};
    const std::vector<PoleCouple> couples = CouplePoles(poles, &extra);
    for (size_t k = 0; k < couples.size(); ++k)
        pairs[k] = couples[k].Pair;
    return pairs;
}

}  // namespace velmora
