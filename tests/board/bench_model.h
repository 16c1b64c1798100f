// A board as it behaves on the bench, modelled from the schematic alone:
// IN - R1 - n1 - R2 - n2 - R3 - n3 - R4 - n4 = the op-amp's + input; C1
// from n1 and C3 from n3 to the output, C2 from n2 and C4 from n4 to
// ground; the output is K * v(n4) with K = 1 + RK-R / R* (an ideal op-amp),
// or, with gbw > 0, that of an integrator op-amp A(s) = 2 pi gbw / s fed
// back through RK-R and R*, its input capacitance cin from n4 to ground.
// It shares nothing with the analysis library: the yield cross-check
// (board_yield_test.cpp) measures velmora-calc's printed yields against it.
//
//   Parts p{{1180, 4320, 4320, 294}, {1e-7, 1e-7, 1e-7, 1e-7}, 1620, 1690};
//   Gain(p, 0)            == 1 + 1690 / 1620
//   Measure(p, true).q[1] ~= 1.416   (the sharper pair of this Butterworth board)
#pragma once

#include <array>
#include <cstdint>

namespace bench {

struct Parts {  // ohms and farads
    std::array<double, 4> r{}, c{};
    double rStar = 0, rkr = 0;
    double gbw = 0, cin = 0;  // hertz, farads; gbw 0: an ideal op-amp
};

// |Vout / Vin| at hz (0: DC), from the four node equations.
double Gain(const Parts& p, double hz);

struct Figures {
    bool stable = false;
    std::array<double, 2> f0{}, q{};  // the pole pairs, the lower Q first
    double f3db = 0;                  // 0: no half-power point found
    double peakDb = 0;                // highest gain over the DC gain, 0 when none
};

// Pole pairs from the eigenvalues of the circuit's own state matrix; with
// sweep, also the -3 dB frequency and the peaking from a frequency sweep.
Figures Measure(const Parts& p, bool sweep);

// The same figures of the target: two pole pairs (f0 in Hz, Q).
Figures MeasureTarget(std::array<double, 2> f0, std::array<double, 2> q);

// A limit below 0 is not checked. Relative for f0, Q and -3 dB, in dB for
// the peaking.
struct Mask {
    double f3db = -1, f0 = -1, q = -1, peakDb = -1;
    bool NeedsSweep() const { return f3db >= 0 || peakDb >= 0; }
};
// Whether a board meets the mask: stable, then the pole pairs, then (only
// when the mask needs them) the -3 dB point and the peaking.
bool Passes(const Parts& p, const Figures& target, const Mask& mask);

// What the technician does (the printed procedure): VR1 starts at its
// least-gain end and is turned up one position at a time; the meter reads
// the true gain at hz times (1 + meterError); VR1 stays at the first
// position whose reading reaches statedGain, else at its far end. Sets
// p.rkr = fixed + trimmer * position / steps and says whether the board was
// inside the trim range.
bool Trim(Parts& p, double fixed, double trimmer, int steps, double hz, double statedGain,
          double meterError);

// splitmix64: the cross-check's own generator.
class Draws {
public:
    explicit Draws(std::uint64_t seed) : state_(seed) {}
    double Uniform();  // [0, 1)
    // A part's relative deviation: uniform within +-tol, or normal with
    // 3 sigma = tol.
    double Deviation(double tol, bool gaussian);

private:
    std::uint64_t Next();
    std::uint64_t state_;
};

}  // namespace bench
