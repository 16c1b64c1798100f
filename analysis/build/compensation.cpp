#include "compensation.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <optional>

#include "model/portable_math.h"
#include "opamp_gbw.h"

namespace velmora {

namespace {

using Vector = Eigen::Vector4d;

constexpr double kSolvedTolerance = 1e-9;  // on the logarithms of f0 and Q
constexpr double kDifferenceStep = 1e-7;   // on the logarithms of the parts
constexpr int kMaxIterations = 30;
constexpr int kMaxHalvings = 30;
// Far enough above the pairs that the ideal parts are already close.
constexpr double kStartAbove = 1000;
// GBW falls by at most this factor a step; near the limit, where Newton's
// basin shrinks, steps shrink to kLimitPrecision.
constexpr double kLongestStep = 2;
constexpr double kLimitPrecision = 1.001;

FilterParts PartsAt(FilterParts p, const Vector& u) {
    p.R1 = Exp(u[0]);
    p.R2 = p.R3 = Exp(u[1]);
    p.R4 = Exp(u[2]);
    p.K = Exp(u[3]);
    return p;
}

Vector LogsOf(const FilterParts& p) {
    return {Log(p.R1), Log(p.R2), Log(p.R4), Log(p.K)};
}

// Logarithmic errors of both pairs: f0 and Q weigh alike, and a pair in the
// right half-plane (negative Q) has none, so the solver backs away from it.
std::optional<Vector> Residual(const FilterParts& p, const ResponseShape& target, double gbwHz) {
    const ResponseShape s = ShapeWithGbw(p, gbwHz);
    if (!s.Valid) return std::nullopt;
    Vector r;
    for (int i = 0; i < 2; ++i) {
        r[2 * i] = Log(s.Pairs[i].F0Hz / target.Pairs[i].F0Hz);
        r[2 * i + 1] = Log(s.Pairs[i].Q / target.Pairs[i].Q);
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
        // Forward differences: an error of 1e-7 in the Jacobian only slows
        // the last digits, and the test is on the residual itself.
        Eigen::Matrix4d jacobian;
        for (int c = 0; c < 4; ++c) {
            Vector up = u;
            up[c] += kDifferenceStep;
            const auto rUp = Residual(PartsAt(p, up), target, gbwHz);
            if (!rUp) return false;
            jacobian.col(c) = (*rUp - *r) / kDifferenceStep;
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

// What the board needs of a solution.
struct Board {
    double RStar;
    ResistorRange Range;
};

bool Buildable(const FilterParts& p, double gbwHz, const Board& board) {
    if (!(p.K >= 1) || !PartsInRange(p, board.RStar, board.Range)) return false;
    const ResponseShape s = ShapeWithGbw(p, gbwHz);
    return s.Valid && s.Stable;
}

bool Usable(const FilterParts& p, const ResponseShape& target) {
    const bool positive = p.R1 > 0 && p.R2 > 0 && p.R3 > 0 && p.R4 > 0 && p.K > 0 && p.C1 > 0 &&
                          p.C2 > 0 && p.C3 > 0 && p.C4 > 0;
    return target.Valid && positive && p.R2 == p.R3 && std::isfinite(p.R1 + p.R2 + p.R4 + p.K);
}

double StartGbw(const FilterParts& p, const ResponseShape& target) {
    return kStartAbove * std::fmax(target.Pairs[0].F0Hz, target.Pairs[1].F0Hz) * p.K;
}

struct Path {
    double ReachedHz = 0;  // 0: not even the start solved
    FilterParts Parts;     // the solution there
};

// Follows the solution from StartGbw down towards toHz, every step solved
// and buildable. A step that fails is retried shorter, a step that works
// lets the next be longer, so the walk is quick where the solution moves
// little and careful near the limit; Compensate and the limit walk alike,
// so they agree on where solutions stop.
Path Follow(const FilterParts& ideal, const ResponseShape& target, double toHz,
            const Board& board) {
    Path path;
    FilterParts p = ideal;
    double g = std::fmax(StartGbw(ideal, target), toHz);
    if (!Solve(p, target, g) || !Buildable(p, g, board)) return path;
    double ratio = kLongestStep;
    while (g > toHz) {
        const double next = std::fmax(g / ratio, toHz);
        FilterParts q = p;
        if (Solve(q, target, next) && Buildable(q, next, board)) {
            p = q;
            g = next;
            ratio = std::fmin(ratio * ratio, kLongestStep);
        } else if (ratio > kLimitPrecision) {
            ratio = std::sqrt(ratio);
        } else {
            break;
        }
    }
    path.ReachedHz = g;
    path.Parts = p;
    return path;
}

}  // namespace

bool PartsInRange(const FilterParts& p, double rstarOhms, const ResistorRange& range) {
    return range.Holds(p.R1) && range.Holds(p.R2) && range.Holds(p.R3) && range.Holds(p.R4) &&
           range.Holds(rstarOhms) && range.HoldsRkr(RkrFor(p.K, rstarOhms));
}

Compensation Compensate(const FilterParts& ideal, const ResponseShape& target, double gbwHz,
                        double rstarOhms, const ResistorRange& range) {
    Compensation c;
    if (!Usable(ideal, target) || !(gbwHz > 0) || !std::isfinite(gbwHz)) return c;
    const Path path = Follow(ideal, target, gbwHz, {rstarOhms, range});
    if (path.ReachedHz != gbwHz) return c;
    c.Parts = path.Parts;
    c.Shape = ShapeWithGbw(c.Parts, gbwHz);
    c.Solved = true;
    return c;
}

CompensationLimit LeastCompensableGbw(const FilterParts& ideal, const ResponseShape& target,
                                      double rstarOhms, const ResistorRange& range) {
    CompensationLimit limit;
    if (!Usable(ideal, target)) return limit;
    const Path path = Follow(ideal, target, std::fmin(target.Pairs[0].F0Hz, target.Pairs[1].F0Hz),
                             {rstarOhms, range});
    if (path.ReachedHz == 0) return limit;
    limit.Found = true;
    limit.GbwHz = path.ReachedHz;
    limit.Parts = path.Parts;
    return limit;
}

}  // namespace velmora
