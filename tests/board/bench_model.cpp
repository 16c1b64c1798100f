#include "bench_model.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <vector>

namespace bench {
namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

double K(const Parts& p) {
    return 1 + p.rkr / p.rStar;
}

// The node equations (G + s C) v = (G1 vin, 0, 0, 0) with v(out) = K v(n4)
// put in: C1 and C3 see v(n) - K v(n4).
void NodeMatrices(const Parts& p, Eigen::Matrix4d& g, Eigen::Matrix4d& c) {
    const double g1 = 1 / p.r[0], g2 = 1 / p.r[1], g3 = 1 / p.r[2], g4 = 1 / p.r[3], k = K(p);
    g << g1 + g2, -g2, 0, 0,   //
        -g2, g2 + g3, -g3, 0,  //
        0, -g3, g3 + g4, -g4,  //
        0, 0, -g4, g4;
    c << p.c[0], 0, 0, -k * p.c[0],  //
        0, p.c[1], 0, 0,             //
        0, 0, p.c[2], -k * p.c[2],   //
        0, 0, 0, p.c[3];
}

// The -3 dB point and the peaking of a gain relative to DC, over [lo, hi]:
// 1. a grid of 4 % steps; 2. the first half-power crossing by bisection
// (a gain already below it at lo is a crossing there: far off any target);
// 3. the highest grid point refined by golden section.
void Sweep(const std::function<double(double)>& relative, double lo, double hi, Figures& f) {
    constexpr double kStep = 1.04;
    double best = lo, bestGain = relative(lo), previous = lo;
    if (bestGain * bestGain <= 0.5) f.f3db = lo;
    for (double hz = lo * kStep; hz <= hi; previous = hz, hz *= kStep) {
        const double gain = relative(hz);
        if (gain > bestGain) best = hz, bestGain = gain;
        if (f.f3db == 0 && gain * gain <= 0.5) {
            double a = previous, b = hz;
            for (int i = 0; i < 20; ++i) {
                const double m = std::sqrt(a * b), g = relative(m);
                (g * g > 0.5 ? a : b) = m;
            }
            f.f3db = std::sqrt(a * b);
        }
    }
    if (best != lo) {
        const double r = (std::sqrt(5.0) - 1) / 2;
        double a = std::log(best / kStep), b = std::log(best * kStep);
        double x1 = b - r * (b - a), x2 = a + r * (b - a);
        double g1 = relative(std::exp(x1)), g2 = relative(std::exp(x2));
        for (int i = 0; i < 25; ++i) {
            if (g1 < g2) {
                a = x1, x1 = x2, g1 = g2, x2 = a + r * (b - a), g2 = relative(std::exp(x2));
            } else {
                b = x2, x2 = x1, g2 = g1, x1 = b - r * (b - a), g1 = relative(std::exp(x1));
            }
        }
        bestGain = std::max({bestGain, g1, g2});
    }
    f.peakDb = bestGain > 1 ? 20 * std::log10(bestGain) : 0;
}

}  // namespace

double Gain(const Parts& p, double hz) {
    Eigen::Matrix4d g, c;
    NodeMatrices(p, g, c);
    const std::complex<double> s(0, kTwoPi * hz);
    // Around an integrator op-amp vout = A (v(n4) - vout / K): K becomes
    // A / (1 + A / K), A = 2 pi gbw / s, where C1 and C3 see the output.
    std::complex<double> gain = K(p);
    if (p.gbw > 0 && hz > 0) {
        const std::complex<double> a = kTwoPi * p.gbw / s;
        gain = a / (1.0 + a / K(p));
    }
    Eigen::Matrix4cd y = g.cast<std::complex<double>>() + s * c.cast<std::complex<double>>();
    y(0, 3) = g(0, 3) - s * p.c[0] * gain;
    y(2, 3) = g(2, 3) - s * p.c[2] * gain;
    y(3, 3) += s * p.cin;
    // Node i > 0 touches no node before n(i-1), so the equations solve from
    // v(n4) = 1 back to the vin that drives it; vout = K v(n4).
    Eigen::Vector4cd v(0, 0, 0, 1);
    for (int i = 3; i > 0; --i) {
        std::complex<double> rest = 0;
        for (int j = i; j < 4; ++j)
            rest += y(i, j) * v(j);
        v(i - 1) = -rest / y(i, i - 1);
    }
    const std::complex<double> vin = (y.row(0) * v)(0) * p.r[0];
    return std::abs(gain) / std::sqrt(std::norm(vin));
}

// The state equations E x' = A x, x = (v(n1) .. v(n4), vout): the node
// equations with C1 and C3 to the output, and dvout/dt = 2 pi gbw (v(n4) -
// vout / K) for a real op-amp; its own pole, far out, is dropped.
Eigen::VectorXcd Poles(const Parts& p) {
    Eigen::Matrix4d g, c;
    NodeMatrices(p, g, c);
    if (!(p.gbw > 0))
        return Eigen::EigenSolver<Eigen::Matrix4d>(-c.triangularView<Eigen::Upper>().solve(g),
                                                   false)
            .eigenvalues();
    Eigen::MatrixXd e = Eigen::MatrixXd::Zero(5, 5), a = Eigen::MatrixXd::Zero(5, 5);
    for (int i = 0; i < 4; ++i)
        e(i, i) = p.c[i];
    e(3, 3) += p.cin;
    e(0, 4) = -p.c[0];
    e(2, 4) = -p.c[2];
    e(4, 4) = 1;
    a.topLeftCorner(4, 4) = -g;
    a(4, 3) = kTwoPi * p.gbw;
    a(4, 4) = -kTwoPi * p.gbw / K(p);
    Eigen::VectorXcd all =
        Eigen::EigenSolver<Eigen::MatrixXd>(e.inverse() * a, false).eigenvalues();
    Eigen::Index far = 0;
    for (Eigen::Index i = 1; i < all.size(); ++i)
        if (std::abs(all(i)) > std::abs(all(far))) far = i;
    Eigen::VectorXcd kept(4);
    for (Eigen::Index i = 0, j = 0; i < all.size(); ++i)
        if (i != far) kept(j++) = all(i);
    if (all(far).real() >= 0) kept(0) = all(far);  // an unstable far pole still fails the board
    return kept;
}

Figures Measure(const Parts& p, bool sweep) {
    const Eigen::VectorXcd poles = Poles(p);
    Figures f;
    f.stable = poles.real().maxCoeff() < 0;
    std::vector<std::pair<double, double>> pairs;  // (Q, w0)
    std::vector<double> reals;
    for (const auto& s : poles) {
        if (std::abs(s.imag()) > 1e-9 * std::abs(s)) {
            if (s.imag() > 0) pairs.emplace_back(std::abs(s) / (-2 * s.real()), std::abs(s));
        } else {
            reals.push_back(s.real());
        }
    }
    std::ranges::sort(reals);
    for (std::size_t i = 0; i + 1 < reals.size(); i += 2) {
        const double w0 = std::sqrt(reals[i] * reals[i + 1]);
        pairs.emplace_back(w0 / -(reals[i] + reals[i + 1]), w0);
    }
    std::ranges::sort(pairs);
    for (int i = 0; i < 2; ++i)
        f.q[i] = pairs[i].first, f.f0[i] = pairs[i].second / kTwoPi;
    if (sweep && f.stable) {
        const double dc = Gain(p, 0);
        Sweep([&](double hz) { return Gain(p, hz) / dc; }, 0.2 * std::min(f.f0[0], f.f0[1]),
              3 * std::max(f.f0[0], f.f0[1]), f);
    }
    return f;
}

Figures MeasureTarget(std::array<double, 2> f0, std::array<double, 2> q) {
    Figures f{true, f0, q};
    if (q[0] > q[1]) std::swap(f.f0[0], f.f0[1]), std::swap(f.q[0], f.q[1]);
    Sweep(
        [&](double hz) {
            double gain = 1;
            for (int i = 0; i < 2; ++i) {
                const double x = hz / f0[i];
                gain /= std::abs(std::complex<double>(1 - x * x, x / q[i]));
            }
            return gain;
        },
        0.2 * std::min(f0[0], f0[1]), 3 * std::max(f0[0], f0[1]), f);
    return f;
}

bool Passes(const Parts& p, const Figures& target, const Mask& mask) {
    const auto within = [](double value, double want, double limit) {
        return limit < 0 || std::abs(value / want - 1) <= limit;
    };
    Figures built = Measure(p, false);
    if (!built.stable) return false;
    for (int i = 0; i < 2; ++i) {
        if (!within(built.f0[i], target.f0[i], mask.f0) || !within(built.q[i], target.q[i], mask.q))
            return false;
    }
    if (!mask.NeedsSweep()) return true;
    built = Measure(p, true);
    if (mask.f3db >= 0 && !within(built.f3db, target.f3db, mask.f3db)) return false;
    return mask.peakDb < 0 || std::abs(built.peakDb - target.peakDb) <= mask.peakDb;
}

bool Trim(Parts& p, double fixed, double trimmer, int steps, double hz, double statedGain,
          double meterError) {
    for (int position = 0; position <= steps; ++position) {
        p.rkr = fixed + trimmer * position / steps;
        if (Gain(p, hz) * (1 + meterError) >= statedGain) return position > 0;
    }
    return false;
}

std::uint64_t Draws::Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double Draws::Uniform() {
    return static_cast<double>(Next() >> 11) * 0x1p-53;
}

double Draws::Deviation(double tol, bool gaussian) {
    if (!gaussian) return tol * (2 * Uniform() - 1);
    const double radius = std::sqrt(-2 * std::log(1 - Uniform()));
    return tol / 3 * radius * std::cos(kTwoPi * Uniform());
}

}  // namespace bench
