// The design computation: target coefficients, the bisection on the
// conductance of R2 and the closed-form parts (results.cpp: the texts).
#include "design.h"

#include <array>
#include <cmath>

#include "fpu_scope.h"

namespace {

using Ext = long double;

// Constants as the arithmetic sees them; the single-precision ones are widened.
constexpr double kPi = 3.14159265;
constexpr double kMicroToMilli = static_cast<double>(0.001f);
constexpr double kRMin = static_cast<double>(0.0001f);  // kOhm: 0.1 ohm
constexpr double kRMax = 10000000.0;                    // kOhm: 10 GOhm
constexpr double kTol = static_cast<double>(0.000001f);

// Conductance of R1 and residual of the remaining design equation at a trial
// conductance x of R2 (and R3), both in mS.
DesignPoint Evaluate(const DesignRecord& d, double xd) {
    const Ext x = xd, p1 = d.P1, p2 = d.P2, p3 = d.P3, p4 = d.P4;
    const Ext x2 = x * x, x3 = x2 * x, x4 = x3 * x, x5 = x4 * x;
    const Ext num = -8 * x5 + 2 * p1 * x4 - p3 * x2 + 5 * p4 * x;
    const Ext den = 29 * x4 - 10 * p1 * x3 + 4 * p2 * x2 - 2 * p3 * x + 2 * p4;
    const double g1 = static_cast<double>(num / den);
    const Ext g = g1;
    const Ext e =
        g * g + 0.5L * g * (9 * x - 2 * p1) + (8 * x4 - 2 * p1 * x3 + p3 * x - p4) / (2 * x2);
    return {g1, static_cast<double>(e)};
}

// Which way a pass goes.
enum class Step { Lower, Upper, Stop };

// Product of two residuals decides the half; a zero or NaN product ends the
// search where it stands.
Step ChooseHalf(const DesignRecord& d) {
    const Ext low = static_cast<Ext>(d.EMid) * d.ELo;
    if (low < 0) return Step::Lower;
    if (low == 0 || std::isnan(low)) return Step::Stop;
    const Ext high = static_cast<Ext>(d.EHi) * d.EMid;
    if (high < 0) return Step::Upper;
    if (high == 0 || std::isnan(high)) return Step::Stop;
    return Step::Lower;  // no sign change on either side: keep the lower half anyway
}

// 6. Closed-form parts, in kOhm, from XMid and G1Mid.
VELMORA_NOINLINE void ComputeParts(DesignRecord& d) {
    d.R2 = static_cast<double>(1 / static_cast<Ext>(d.XMid));
    d.R3 = d.R2;
    d.R1 = static_cast<double>(1 / static_cast<Ext>(d.G1Mid));
    d.R4 = static_cast<double>(1 / (static_cast<Ext>(d.R2) * d.R1 * d.R3 * d.P4));
    d.K = static_cast<double>(static_cast<Ext>(d.R4) *
                                  (1 / static_cast<Ext>(d.R1) + 4 / static_cast<Ext>(d.R2) - d.P1) +
                              2);
}

VELMORA_NOINLINE int ComputeDesignExtended(DesignRecord& d, const PassObserver& observer) {
    // 1. Unit conversion.
    d.CapMF = static_cast<double>(static_cast<Ext>(kMicroToMilli) * d.CapUF);
    d.W1 = static_cast<double>(static_cast<Ext>(kPi * 2) * d.F1);
    d.W2 = static_cast<double>(static_cast<Ext>(kPi * 2) * d.F2);

    // 2. Target coefficients, scaled by powers of the capacitance.
    const Ext c = d.CapMF, a1 = d.AF1, a2 = d.AF2, w1 = d.W1, w2 = d.W2;
    d.P1 = static_cast<double>(c * (w1 * a1 + w2 * a2));
    d.P2 = static_cast<double>(c * c * (a1 * a2 * w1 * w2 + w1 * w1 + w2 * w2));
    d.P3 = static_cast<double>(c * c * c * (a1 * w1 * w2 * w2 + a2 * w1 * w1 * w2));
    d.P4 = static_cast<double>(c * c * c * c * (w1 * w1 * w2 * w2));

    // 3. Search range and first bracket.
    d.GMin = static_cast<double>(1 / static_cast<Ext>(kRMax));
    d.GMax = static_cast<double>(1 / static_cast<Ext>(kRMin));
    d.XLo = d.GMin;
    d.XHi = d.GMax;
    d.XMid = static_cast<double>((static_cast<Ext>(d.GMax) + d.GMin) / 2);

    // 5. Bisection. Each pass halves the bracket and the stop test is
    //    relative, so at most 56 passes run.
    int passes = 0;
    // 5.1 All three points, every pass (4. inside Evaluate). Evaluate is a
    //     pure function of the point, so the end kept by a halving keeps its
    //     values: only the new midpoint is evaluated again.
    DesignPoint lo = Evaluate(d, d.XLo), mid = Evaluate(d, d.XMid), hi = Evaluate(d, d.XHi);
    for (;; mid = Evaluate(d, d.XMid)) {
        ++passes;
        d.G1Lo = lo.G1, d.ELo = lo.E;
        d.G1Mid = mid.G1, d.EMid = mid.E;
        d.G1Hi = hi.G1, d.EHi = hi.E;
        // 5.2-5.6 Halve, or stop without halving.
        const Step step = ChooseHalf(d);
        if (step == Step::Stop) {
            if (observer) observer(d, passes);
            break;
        }
        if (step == Step::Lower) {
            d.XHi = d.XMid, hi = mid;
            d.XMid = static_cast<double>((static_cast<Ext>(d.XMid) + d.XLo) / 2);
        } else {
            d.XLo = d.XMid, lo = mid;
            d.XMid = static_cast<double>((static_cast<Ext>(d.XHi) + d.XMid) / 2);
        }
        if (observer) observer(d, passes);
        // 5.7 Relative width; a NaN width stops too. G1Mid stays the value of
        //     the point before this halving.
        const Ext width = std::fabs((static_cast<Ext>(d.XMid) - d.XHi) / d.XMid) - kTol;
        if (!(width > 0)) break;
    }

    ComputeParts(d);
    return passes;
}

VELMORA_NOINLINE DesignPoint EvaluateExtended(const DesignRecord& d, double x) {
    return Evaluate(d, x);
}

VELMORA_NOINLINE void ComputePartsAtExtended(DesignRecord& d, double x) {
    d.XMid = x;
    d.G1Mid = Evaluate(d, x).G1;
    ComputeParts(d);
}

}  // namespace

int ComputeDesign(DesignRecord& design, const PassObserver& observer) {
    FpuScope scope;
    return ComputeDesignExtended(design, observer);
}

DesignPoint EvaluateDesignAt(const DesignRecord& design, double x) {
    FpuScope scope;
    return EvaluateExtended(design, x);
}

void ComputePartsAt(DesignRecord& design, double x) {
    FpuScope scope;
    ComputePartsAtExtended(design, x);
}
