#include "compensation.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <optional>

#include "opamp_gbw.h"

namespace velmora {

namespace {

using Vector = Eigen::Vector4d;

constexpr double kSolvedTolerance = 1e-9;  // on the logarithms of f0 and Q
constexpr double kDifferenceStep = 1e-6;   // on the logarithms of the parts
constexpr int kMaxIterations = 30;
constexpr int kMaxHalvings = 30;
// Far enough above the pairs that the ideal parts are already close.
constexpr double kStartAbove = 1000;
// Small enough that each Newton start lies inside the basin of the last
// solution even near the limit, where the basin shrinks; Compensate and the
// limit scan take the same steps, so they agree on where solutions stop.
constexpr double kStep = 1.05;
constexpr double kLimitPrecision = 1.001;

FilterParts PartsAt(FilterParts p, const Vector& u) {
    p.R1 = std::exp(u[0]);
    p.R2 = p.R3 = std::exp(u[1]);
    p.R4 = std::exp(u[2]);
    p.K = std::exp(u[3]);
    return p;
}

Vector LogsOf(const FilterParts& p) {
    return {std::log(p.R1), std::log(p.R2), std::log(p.R4), std::log(p.K)};
}

// Logarithmic errors of both pairs: f0 and Q weigh alike, and a pair in the
// right half-plane (negative Q) has none, so the solver backs away from it.
std::optional<Vector> Residual(const FilterParts& p, const ResponseShape& target, double gbwHz) {
    const ResponseShape s = ShapeWithGbw(p, gbwHz);
    if (!s.Valid) return std::nullopt;
    Vector r;
    for (int i = 0; i < 2; ++i) {
        r[2 * i] = std::log(s.Pairs[i].F0Hz / target.Pairs[i].F0Hz);
        r[2 * i + 1] = std::log(s.Pairs[i].Q / target.Pairs[i].Q);
    }
    if (!r.allFinite()) return std::nullopt;
    return r;
}

// Damped Newton from p; p becomes the solution when one is found.
bool Solve(FilterParts& p, const ResponseShape& target, double gbwHz) {
    Vector u = LogsOf(p);
    std::optional<Vector> r = Residual(p, target, gbwHz);
    for (int iteration = 0; r && iteration < kMaxIterations; ++iteration) {
        if (r->cwiseAbs().maxCoeff() < kSolvedTolerance) {
            p = PartsAt(p, u);
            return true;
        }
        Eigen::Matrix4d jacobian;
        for (int c = 0; c < 4; ++c) {
            Vector up = u, down = u;
            up[c] += kDifferenceStep;
            down[c] -= kDifferenceStep;
            const auto rUp = Residual(PartsAt(p, up), target, gbwHz);
            const auto rDown = Residual(PartsAt(p, down), target, gbwHz);
            if (!rUp || !rDown) return false;
            jacobian.col(c) = (*rUp - *rDown) / (2 * kDifferenceStep);
        }
        const Vector step = jacobian.fullPivLu().solve(-*r);
        if (!step.allFinite()) return false;
        std::optional<Vector> next;
        double t = 1;
        for (int halving = 0; halving < kMaxHalvings; ++halving, t /= 2) {
            next = Residual(PartsAt(p, u + t * step), target, gbwHz);
            if (next && next->norm() < r->norm()) break;
            next.reset();
        }
        if (!next) return false;
        u += t * step;
        r = next;
    }
    return false;
}

bool Buildable(const FilterParts& p, double gbwHz) {
    const ResponseShape s = ShapeWithGbw(p, gbwHz);
    return s.Valid && s.Stable && p.K >= 1;
}

bool Usable(const FilterParts& p, const ResponseShape& target) {
    const bool positive = p.R1 > 0 && p.R2 > 0 && p.R3 > 0 && p.R4 > 0 && p.K > 0 && p.C1 > 0 &&
                          p.C2 > 0 && p.C3 > 0 && p.C4 > 0;
    return target.Valid && positive && p.R2 == p.R3 && std::isfinite(p.R1 + p.R2 + p.R4 + p.K);
}

double StartGbw(const FilterParts& p, const ResponseShape& target) {
    return kStartAbove * std::fmax(target.Pairs[0].F0Hz, target.Pairs[1].F0Hz) * p.K;
}

}  // namespace

Compensation Compensate(const FilterParts& ideal, const ResponseShape& target, double gbwHz) {
    Compensation c;
    if (!Usable(ideal, target) || !(gbwHz > 0) || !std::isfinite(gbwHz)) return c;
    FilterParts p = ideal;
    for (double g = std::fmax(StartGbw(ideal, target), gbwHz);; g = std::fmax(g / kStep, gbwHz)) {
        if (!Solve(p, target, g)) return c;
        if (g == gbwHz) break;
    }
    c.Parts = p;
    c.Shape = ShapeWithGbw(p, gbwHz);
    c.Solved = Buildable(p, gbwHz);
    return c;
}

CompensationLimit LeastCompensableGbw(const FilterParts& ideal, const ResponseShape& target) {
    CompensationLimit limit;
    if (!Usable(ideal, target)) return limit;
    const double floor = std::fmin(target.Pairs[0].F0Hz, target.Pairs[1].F0Hz);
    const auto works = [&](FilterParts& p, double g) {
        FilterParts q = p;
        if (!Solve(q, target, g) || !Buildable(q, g)) return false;
        p = q;
        return true;
    };
    // 1. Follow the solution down until it breaks.
    FilterParts p = ideal;
    double pass = 0, fail = floor;
    for (double g = StartGbw(ideal, target); g > floor; g /= kStep) {
        if (!works(p, g)) {
            fail = g;
            break;
        }
        pass = g;
    }
    if (pass == 0) return limit;
    // 2. Bisect on a log scale, each trial starting from the last success.
    while (pass / fail > kLimitPrecision) {
        const double mid = std::sqrt(pass * fail);
        (works(p, mid) ? pass : fail) = mid;
    }
    limit.Found = true;
    limit.GbwHz = pass;
    limit.Parts = p;
    return limit;
}

}  // namespace velmora
