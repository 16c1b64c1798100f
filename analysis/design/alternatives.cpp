#include "alternatives.h"

#include <cmath>

#include "design_target.h"

namespace velmora {

namespace {

using Ext = long double;

constexpr double kGMin = 1e-7;  // mS: R2 = 10 GOhm
constexpr double kGMax = 1e4;   // mS: R2 = 0.1 ohm
constexpr int kPointsPerDecade = 400;
constexpr double kEquationTolerance = 1e-6;  // relative mismatch of d0..d3 allowed

bool SameSign(double a, double b) {
    return (a < 0) == (b < 0);
}

// Prototype parts of a root, from the closed forms of the design equations.
AlternativeDesign PartsAt(const DesignRecord& d, double x) {
    AlternativeDesign a;
    a.X = x;
    a.R2 = 1 / x;
    a.R1 = 1 / DesignResidual(d, x).G1;
    a.R4 = 1 / (a.R2 * a.R1 * a.R2 * d.P4);
    a.K = a.R4 * (1 / a.R1 + 4 / a.R2 - d.P1) + 2;
    return a;
}

// The four coefficient equations with equal capacitors (t = s c), checked
// directly: a sign change of e across a pole of g1 is no design.
bool MeetsEquations(const DesignRecord& d, const AlternativeDesign& a) {
    const Ext g1 = 1 / static_cast<Ext>(a.R1), x = a.X, g4 = 1 / static_cast<Ext>(a.R4), k = a.K;
    const Ext d3 = g1 + 4 * x + (2 - k) * g4;
    const Ext d2 = 3 * x * x + 3 * g1 * x + (7 - 3 * k) * x * g4 + (2 - k) * g1 * g4;
    const Ext d1 = g1 * x * x + (5 - 2 * k) * g1 * x * g4 + (4 - 2 * k) * x * x * g4;
    const Ext d0 = g1 * x * x * g4;
    const Ext want[4] = {d.P1, d.P2, d.P3, d.P4};
    const Ext got[4] = {d3, d2, d1, d0};
    for (int i = 0; i < 4; ++i)
        if (!(std::fabs(static_cast<double>(got[i] / want[i] - 1)) < kEquationTolerance))
            return false;
    return true;
}

}  // namespace

ResidualPoint DesignResidual(const DesignRecord& d, double xd) {
    const Ext x = xd, p1 = d.P1, p2 = d.P2, p3 = d.P3, p4 = d.P4;
    const Ext x2 = x * x, x3 = x2 * x, x4 = x3 * x, x5 = x4 * x;
    const Ext num = -8 * x5 + 2 * p1 * x4 - p3 * x2 + 5 * p4 * x;
    const Ext den = 29 * x4 - 10 * p1 * x3 + 4 * p2 * x2 - 2 * p3 * x + 2 * p4;
    const Ext g = num / den;
    const Ext e =
        g * g + 0.5L * g * (9 * x - 2 * p1) + (8 * x4 - 2 * p1 * x3 + p3 * x - p4) / (2 * x2);
    return {static_cast<double>(g), static_cast<double>(e)};
}

std::vector<AlternativeDesign> AlternativeDesigns(const DesignRecord& d) {
    std::vector<AlternativeDesign> found;
    // 1. The root the window shows: the bisection on a copy of the record.
    DesignRecord window = d;
    ComputeDesign(window);

    // 2. Scan the range on a log grid fine enough to separate the roots seen
    //    in practice (a few per decade at most).
    const int points = static_cast<int>(std::log10(kGMax / kGMin) * kPointsPerDecade);
    double xPrev = kGMin, ePrev = DesignResidual(d, xPrev).E;
    for (int k = 1; k <= points; ++k) {
        const double x = kGMin * std::pow(kGMax / kGMin, static_cast<double>(k) / points);
        const double e = DesignResidual(d, x).E;
        if (std::isfinite(e) && std::isfinite(ePrev) && !SameSign(e, ePrev)) {
            // 3. Bisect the bracket to the last bit.
            double lo = xPrev, hi = x, eLo = ePrev;
            for (int pass = 0; pass < 200 && lo < hi; ++pass) {
                const double mid = 0.5 * (lo + hi);
                if (mid <= lo || mid >= hi) break;
                const double eMid = DesignResidual(d, mid).E;
                if (eMid == 0) {
                    lo = hi = mid;
                    break;
                }
                if (SameSign(eMid, eLo)) {
                    lo = mid;
                    eLo = eMid;
                } else {
                    hi = mid;
                }
            }
            // 4. Keep it when it is a design, whether or not it can be built.
            AlternativeDesign a = PartsAt(d, 0.5 * (lo + hi));
            if (MeetsEquations(d, a)) {
                a.Buildable = a.R1 > 0 && a.R2 > 0 && a.R4 > 0 && a.K >= 1;
                a.Scaled = ScaledParts(d);
                a.Scaled.R1 = a.R1 * 1000 * d.ISF;
                a.Scaled.R2 = a.Scaled.R3 = a.R2 * 1000 * d.ISF;
                a.Scaled.R4 = a.R4 * 1000 * d.ISF;
                a.Scaled.K = a.K;
                a.Sensitivity = SensitivitiesOf(a.Scaled);
                a.Shown = std::fabs(window.XMid / a.X - 1) < 1e-4;
                found.push_back(a);
            }
        }
        xPrev = x;
        ePrev = e;
    }
    return found;
}

}  // namespace velmora
