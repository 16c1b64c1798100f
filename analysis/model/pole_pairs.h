// Pole pairs: a second-order section as natural frequency and Q, and the one
// rule by which a denominator's poles are grouped into such pairs.
//
//   PairOfPoles({-1, 1}, {-1, -1})         -> {sqrt(2) / 2pi Hz, Q 0.7071}
//   PolesOfPair({1, 0.5})                  -> {-2 pi, -2 pi}
//   CouplePoles({-1+1i, -1-1i, -3, -5, -40}, &extra)
//     -> {-3, -5} (Q 0.48), {-1+1i, -1-1i} (Q 0.71); extra = 40 / 2pi Hz
#pragma once

#include <array>
#include <complex>
#include <vector>

namespace velmora {

// One complex-conjugate pole pair (or two real poles) as natural frequency and Q.
// A negative Q marks a pair in the right half-plane.
struct PolePair {
    double F0Hz = 0;
    double Q = 0;
};

// The pair whose section is (s - p)(s - q): omega0^2 = |p q|, omega0 / Q = -(p + q).
PolePair PairOfPoles(std::complex<double> p, std::complex<double> q);

// The two roots (rad/s) of s^2 + (w/Q) s + w^2, w = 2 pi F0Hz.
std::array<std::complex<double>, 2> PolesOfPair(const PolePair& pair);

// The order of pairs everywhere: lower signed Q first, so that a pair in the
// right half-plane comes before every stable one.
bool LowerQ(const PolePair& a, const PolePair& b);

// Two poles that form one pair, with the pair they make.
struct PoleCouple {
    std::complex<double> P, Q;
    PolePair Pair;
};

// A pole is real when its imaginary part is within 1e-9 of its magnitude
// (the rounding a root finder leaves on a double real pole); it is then
// taken as exactly real. Complex poles pair with their conjugates, real
// poles from the slowest up; at most two couples, in LowerQ order. A real
// pole left over goes to *extraPoleHz (0 when none).
std::vector<PoleCouple> CouplePoles(const std::vector<std::complex<double>>& poles,
                                    double* extraPoleHz);

// The two pairs of four poles by CouplePoles; a pair not found stays {0, 0}.
std::array<PolePair, 2> PairPoles(const std::vector<std::complex<double>>& poles);

}  // namespace velmora
