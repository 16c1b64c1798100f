#include "design_target.h"

#include <numbers>

namespace velmora {

namespace {

constexpr double kOhmsPerKilohm = 1000;
constexpr double kFaradsPerMillifarad = 1e-3;

}  // namespace

FilterParts ScaledPartsAt(const DesignRecord& d, double isf) {
    const double c = d.CapMF * kFaradsPerMillifarad / (isf * d.FSF);
    return {d.R1 * kOhmsPerKilohm * isf,
            d.R2 * kOhmsPerKilohm * isf,
            d.R3 * kOhmsPerKilohm * isf,
            d.R4 * kOhmsPerKilohm * isf,
            c,
            c,
            c,
            c,
            d.K};
}

FilterParts ScaledParts(const DesignRecord& d) {
    return ScaledPartsAt(d, d.ISF);
}

Polynomial TargetDenominator(const DesignRecord& d) {
    const double w1 = 2 * std::numbers::pi * d.F1 * d.FSF;
    const double w2 = 2 * std::numbers::pi * d.F2 * d.FSF;
    const double a = d.AF1 * w1, b = w1 * w1, c = d.AF2 * w2, e = w2 * w2;
    // (s^2 + a s + b)(s^2 + c s + e)
    return {b * e, a * e + b * c, b + e + a * c, a + c, 1};
}

ResponseShape TargetShape(const DesignRecord& d) {
    return ShapeOfDenominator(TargetDenominator(d));
}

}  // namespace velmora
