#include "alternatives.h"

#include <algorithm>
#include <cmath>

#include "design_target.h"
#include "model/polynomial.h"
#include "model/portable_math.h"

namespace velmora {

namespace {

using Ext = long double;
using ExtPolynomial = std::vector<Ext>;

constexpr double kGMin = 1e-7;  // mS: R2 = 10 GOhm
constexpr double kGMax = 1e4;   // mS: R2 = 0.1 ohm
constexpr int kPointsPerDecade = 400;
constexpr double kEquationTolerance = 1e-6;  // relative mismatch of d0..d3 allowed
constexpr double kShownTolerance = 1e-4;     // the window's root: its search stops at 1e-6

bool SameSign(double a, double b) {
    return (a < 0) == (b < 0);
}

ExtPolynomial Times(const ExtPolynomial& a, const ExtPolynomial& b) {
    ExtPolynomial c(a.size() + b.size() - 1, 0);
    for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = 0; j < b.size(); ++j)
            c[i + j] += a[i] * b[j];
    return c;
}

ExtPolynomial Plus(ExtPolynomial a, const ExtPolynomial& b) {
    a.resize(std::max(a.size(), b.size()), 0);
    for (size_t i = 0; i < b.size(); ++i)
        a[i] += b[i];
    return a;
}

// The residual is e = g^2 + g (9x - 2 p1) / 2 + (8x^4 - 2 p1 x^3 + p3 x - p4) / (2x^2)
// with g = N / D the conductance of R1, so e = F / (2 x^2 D^2): e has the
// sign of the degree-12 polynomial F wherever it is finite. F is homogeneous
// when x counts once and p_k k times, so in y = x / s, with p_k / s^k in
// place of p_k, its coefficients stay near one for s = p4^(1/4).
Polynomial ResidualNumerator(const DesignRecord& d, Ext s) {
    const Ext q1 = d.P1 / s, q2 = d.P2 / (s * s), q3 = d.P3 / (s * s * s),
              q4 = d.P4 / (s * s * s * s);
    const ExtPolynomial n = {0, 5 * q4, -q3, 0, 2 * q1, -8};
    const ExtPolynomial den = {2 * q4, -2 * q3, 4 * q2, -10 * q1, 29};
    const ExtPolynomial rest = {-q4, q3, 0, -2 * q1, 8};
    const ExtPolynomial twoY2 = {0, 0, 2}, y2 = {0, 0, 1}, slope = {-2 * q1, 9};
    const ExtPolynomial f =
        Plus(Plus(Times(Times(twoY2, n), n), Times(Times(y2, n), Times(den, slope))),
             Times(Times(den, den), rest));
    return Polynomial(f.begin(), f.end());
}

// Where to look for sign changes, in increasing x: a log grid over the
// range, and every real critical point of F in it. Between two neighbours F
// is then monotonic, so no two roots share an interval however close they
// lie; the grid stands in when F's coefficients are not finite.
std::vector<double> TrialPoints(const DesignRecord& d) {
    const int points = static_cast<int>(Log10(kGMax / kGMin) * kPointsPerDecade);
    std::vector<double> x;
    for (int k = 0; k <= points; ++k)
        x.push_back(kGMin * Pow(kGMax / kGMin, static_cast<double>(k) / points));
    const Ext s = std::sqrt(std::sqrt(std::fabs(static_cast<Ext>(d.P4))));
    if (!(s > 0) || !std::isfinite(s)) return x;
    const Polynomial f = ResidualNumerator(d, s);
    if (!std::all_of(f.begin(), f.end(), [](double c) { return std::isfinite(c); })) return x;
    for (const Complex& y : PolynomialRoots(Derivative(f))) {
        // Generous: a point too many costs one evaluation.
        const double at = static_cast<double>(s * y.real());
        if (std::fabs(y.imag()) <= 0.01 * Abs(y) && at > kGMin && at < kGMax) x.push_back(at);
    }
    std::sort(x.begin(), x.end());
    x.erase(std::unique(x.begin(), x.end()), x.end());
    return x;
}

// The root x refined to the last bit from a bracket with a sign change.
double Refine(const DesignRecord& d, double lo, double hi, double eLo) {
    for (int pass = 0; pass < 200 && lo < hi; ++pass) {
        const double mid = 0.5 * (lo + hi);
        if (mid <= lo || mid >= hi) break;
        const double eMid = EvaluateDesignAt(d, mid).E;
        if (eMid == 0) return mid;
        if (SameSign(eMid, eLo)) {
            lo = mid;
            eLo = eMid;
        } else {
            hi = mid;
        }
    }
    return 0.5 * (lo + hi);
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

std::vector<AlternativeDesign> AlternativeDesigns(const DesignRecord& d) {
    std::vector<AlternativeDesign> found;
    // 1. The root the window shows: the bisection on a copy of the record.
    DesignRecord window = d;
    ComputeDesign(window);

    // 2. A sign change of the residual between neighbouring trial points.
    const std::vector<double> points = TrialPoints(d);
    double ePrev = EvaluateDesignAt(d, points[0]).E;
    for (size_t k = 1; k < points.size(); ++k) {
        const double e = EvaluateDesignAt(d, points[k]).E;
        if (std::isfinite(e) && std::isfinite(ePrev) && !SameSign(e, ePrev)) {
            // 3. The root, and the parts by the engine's closed forms.
            DesignRecord root = d;
            ComputePartsAt(root, Refine(d, points[k - 1], points[k], ePrev));
            AlternativeDesign a;
            a.X = root.XMid;
            a.R1 = root.R1;
            a.R2 = root.R2;
            a.R4 = root.R4;
            a.K = root.K;
            // 4. Keep it when it is a design, whether or not it can be built.
            if (MeetsEquations(d, a)) {
                a.Buildable = a.R1 > 0 && a.R2 > 0 && a.R4 > 0 && a.K >= 1;
                a.Scaled = ScaledParts(root);
                a.Sensitivity = SensitivitiesOf(a.Scaled);
                found.push_back(a);
            }
        }
        ePrev = e;
    }

    // 5. The window's root: the nearest, when the search ended on one.
    const auto distance = [&](const AlternativeDesign& a) {
        return std::fabs(window.XMid / a.X - 1);
    };
    const auto nearest = std::min_element(
        found.begin(), found.end(), [&](const AlternativeDesign& a, const AlternativeDesign& b) {
            return distance(a) < distance(b);
        });
    if (nearest != found.end() && distance(*nearest) < kShownTolerance) nearest->Shown = true;
    return found;
}

}  // namespace velmora
