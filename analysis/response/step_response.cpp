#include "step_response.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <unsupported/Eigen/MatrixFunctions>

#include "model/state_space.h"

namespace velmora {

namespace {

// x' = A x + B u, y = Cx x, from rest, u = 1 from t = 0.
std::vector<StepPoint> Integrate(const StateSpace& sys, double endS, int count) {
    std::vector<StepPoint> out;
    if (count < 2 || !(endS > 0) || !sys.A.allFinite()) return out;
    const double dt = endS / (count - 1);
    // exp([[A, B], [0, 0]] dt) = [[Phi, Gamma], [0, 1]]: one sample step
    // without inverting A.
    Eigen::Matrix<double, 5, 5> m = Eigen::Matrix<double, 5, 5>::Zero();
    m.topLeftCorner<4, 4>() = sys.A * dt;
    m.topRightCorner<4, 1>() = sys.B * dt;
    const Eigen::Matrix<double, 5, 5> e = m.exp();
    const Eigen::Matrix4d phi = e.topLeftCorner<4, 4>();
    const Eigen::Vector4d gamma = e.topRightCorner<4, 1>();
    Eigen::Vector4d x = Eigen::Vector4d::Zero();
    for (int k = 0; k < count; ++k) {
        out.push_back({k * dt, sys.C.dot(x)});
        x = phi * x + gamma;
    }
    return out;
}

// Two second-order sections in cascade, states (y1, y1', y2, y2').
StateSpace PolePairStateSpace(const PolePair& first, const PolePair& second, double dcGain) {
    // y'' = w^2 (u - y) - (w/Q) y' per section; the first drives the second.
    StateSpace ss;
    ss.A.setZero();
    ss.B.setZero();
    ss.C.setZero();
    const PolePair pairs[2] = {first, second};
    for (int k = 0; k < 2; ++k) {
        const double w = 2 * std::numbers::pi * pairs[k].F0Hz;
        const int y = 2 * k, dy = 2 * k + 1;
        ss.A(y, dy) = 1;
        ss.A(dy, y) = -w * w;
        ss.A(dy, dy) = -w / pairs[k].Q;
        if (k == 0)
            ss.B(dy) = w * w;
        else
            ss.A(dy, 0) = w * w;
    }
    ss.C(2) = dcGain;
    return ss;
}

}  // namespace

std::vector<StepPoint> CircuitStep(const FilterParts& parts, double endS, int count) {
    if (!PartsAreSolvable(parts)) return {};
    return Integrate(CircuitStateSpace(parts), endS, count);
}

std::vector<StepPoint> PolePairStep(std::span<const PolePair> pairs, double dcGain, double endS,
                                    int count) {
    if (pairs.size() != 2) return {};
    return Integrate(PolePairStateSpace(pairs[0], pairs[1], dcGain), endS, count);
}

double StepSpanSeconds(std::span<const PolePair> pairs) {
    double slowest = std::numeric_limits<double>::infinity();
    for (const PolePair& p : pairs) {
        if (!(p.F0Hz > 0) || !(p.Q > 0) || !std::isfinite(p.F0Hz) || !std::isfinite(p.Q)) return 0;
        // Roots of s^2 + (w/Q) s + w^2: the slower one decays at
        // w (1/(2Q) - sqrt(1/(4Q^2) - 1)) when real, at w/(2Q) when complex.
        const double w = 2 * std::numbers::pi * p.F0Hz, half = 1 / (2 * p.Q);
        const double rate = half > 1 ? w * (half - std::sqrt(half * half - 1)) : w * half;
        slowest = std::min(slowest, rate);
    }
    return std::isfinite(slowest) ? 7 / slowest : 0;
}

StepFigures MeasureStep(const std::vector<StepPoint>& step, double finalVolts) {
    StepFigures f;
    if (step.empty() || !(finalVolts != 0) || !std::isfinite(finalVolts)) return f;
    double peak = 0;
    for (const StepPoint& p : step) {
        peak = std::max(peak, (p.Volts - finalVolts) / finalVolts);
        if (std::abs(p.Volts - finalVolts) > 0.01 * std::abs(finalVolts)) f.SettlingS = p.Seconds;
    }
    f.OvershootPct = 100 * peak;
    return f;
}

}  // namespace velmora
