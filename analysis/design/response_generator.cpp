#include "response_generator.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "model/polynomial.h"
#include "model/portable_math.h"
#include "response/response_shape.h"

namespace velmora {

namespace {

// Reverse Bessel polynomial of order 4, lowest power first: group delay 1 s
// at DC on the rad/s scale.
const Polynomial kBesselDelay = {105, 105, 45, 10, 1};

// sin(3 pi / 8) and sin(pi / 8): the angles of the fourth-order poles.
constexpr double kSin[2] = {0.92387953251128675613, 0.38268343236508977173};

PrototypePair PairOf(Complex pole) {
    const double w = Abs(pole);
    return {-2 * pole.real() / w, w};
}

std::array<PrototypePair, 2> Butterworth() {
    // Poles on the unit circle at (2k - 1) pi / 8 from the imaginary axis.
    return {{{2 * kSin[0], 1}, {2 * kSin[1], 1}}};
}

// Every step is + - * / or sqrt (portable_math.h): the generated texts carry
// 17 digits, and the C library's asinh, sinh, cosh and hypot differ in the
// last bit between platforms for about one ripple value in three.
std::optional<std::array<PrototypePair, 2>> Tchebysheff(double rippleDb, CutoffConvention cutoff) {
    if (!(rippleDb > 0) || !std::isfinite(rippleDb)) return std::nullopt;
    // 1. Ripple factor eps^2 = 10^(ripple/10) - 1, and y = 1/eps.
    const double eps = std::sqrt(Expm1(rippleDb * (std::numbers::ln10 / 10)));
    const double y = 1 / eps;
    // 2. The ellipse the poles lie on: sinh(a) and cosh(a) for
    //    a = asinh(y) / 4, from e^(4a) = y + sqrt(y^2 + 1) by two square
    //    roots, with e^(4a) - 1 kept apart so that a small y loses nothing
    //    (and 2y for a y whose square would overflow).
    const double e4aMinus1 = y > 1e150 ? 2 * y : y + y * y / (std::sqrt(y * y + 1) + 1);
    const double e2a = std::sqrt(1 + e4aMinus1);
    const double ea = std::sqrt(e2a);
    const double sinhA = e4aMinus1 / (e2a + 1) / (2 * ea);
    const double coshA = (e2a + 1) / (2 * ea);
    // 3. Frequency at which the response is 3 dB below its peak, on the
    //    ripple-edge scale: T4(w) = 1/eps, that is cosh(acosh(y) / 4) beyond
    //    the band when eps < 1 and cos(acos(y) / 4) inside it (the last
    //    crossing) when the ripple exceeds 3 dB; two half-angle steps give
    //    both.
    double scale = 1;
    if (cutoff == CutoffConvention::Minus3dB) scale = std::sqrt((1 + std::sqrt((1 + y) / 2)) / 2);
    // 4. Poles -sinh(a) sin(t) + j cosh(a) cos(t), t = (2k - 1) pi / 8; the
    //    pair nearer the real axis (k = 2... 1) has the lower Q.
    std::array<PrototypePair, 2> pairs;
    for (size_t k = 0; k < 2; ++k) {
        const double re = -sinhA * kSin[k];
        const double im = coshA * kSin[1 - k];  // cos t = sin(pi/2 - t)
        const double w = std::sqrt(re * re + im * im);
        pairs[k] = {-2 * re / w, w / scale};
    }
    return pairs;
}

std::array<PrototypePair, 2> Bessel(CutoffConvention cutoff) {
    // 1. Poles of the delay-normalised polynomial.
    std::array<PrototypePair, 2> pairs;
    size_t n = 0;
    for (const Complex& pole : PolynomialRoots(kBesselDelay))
        if (pole.imag() > 0 && n < 2) pairs[n++] = PairOf(pole);
    if (pairs[0].AF < pairs[1].AF) std::swap(pairs[0], pairs[1]);
    // 2. Rescale: phase by the fourth root of the constant term (poles of
    //    product 1), -3 dB by the delay-normalised -3 dB frequency.
    double scale = 1;
    if (cutoff == CutoffConvention::Phase) scale = std::sqrt(std::sqrt(kBesselDelay[0]));
    if (cutoff == CutoffConvention::Minus3dB) {
        const Polynomial crossing = [] {
            Polynomial m = PowerPolynomial(kBesselDelay, 1);
            m[0] -= 2;
            return m;
        }();
        scale = std::sqrt(SmallestPositiveRealRoot(crossing));
    }
    for (PrototypePair& pair : pairs)
        pair.F /= scale;
    return pairs;
}

std::string ShortestText(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

}  // namespace

std::optional<std::array<PrototypePair, 2>> PrototypePairs(const ResponseChoice& choice) {
    const CutoffConvention c = choice.Cutoff;
    switch (choice.Kind) {
        case ResponseKind::Butterworth:
            if (c != CutoffConvention::Default && c != CutoffConvention::Minus3dB)
                return std::nullopt;
            return Butterworth();
        case ResponseKind::Tchebysheff:
            if (c != CutoffConvention::Default && c != CutoffConvention::RippleEdge &&
                c != CutoffConvention::Minus3dB)
                return std::nullopt;
            return Tchebysheff(choice.RippleDb,
                               c == CutoffConvention::Default ? CutoffConvention::RippleEdge : c);
        case ResponseKind::Bessel:
            if (c != CutoffConvention::Default && c != CutoffConvention::UnitDelay &&
                c != CutoffConvention::Phase && c != CutoffConvention::Minus3dB)
                return std::nullopt;
            return Bessel(c == CutoffConvention::Default ? CutoffConvention::UnitDelay : c);
    }
    return std::nullopt;
}

std::array<std::string, 4> PairTexts(const std::array<PrototypePair, 2>& pairs) {
    return {ShortestText(pairs[0].AF), ShortestText(pairs[0].F), ShortestText(pairs[1].AF),
            ShortestText(pairs[1].F)};
}

std::optional<ResponseKind> ParseResponseKind(std::string_view name) {
    if (name == "butter" || name == "butterworth") return ResponseKind::Butterworth;
    if (name == "cheb" || name == "tchebysheff" || name == "chebyshev")
        return ResponseKind::Tchebysheff;
    if (name == "bessel") return ResponseKind::Bessel;
    return std::nullopt;
}

std::optional<CutoffConvention> ParseCutoff(std::string_view name) {
    if (name == "edge") return CutoffConvention::RippleEdge;
    if (name == "3db") return CutoffConvention::Minus3dB;
    if (name == "delay") return CutoffConvention::UnitDelay;
    if (name == "phase") return CutoffConvention::Phase;
    return std::nullopt;
}

std::string DescribeResponse(const ResponseChoice& choice) {
    char ripple[32];
    std::snprintf(ripple, sizeof ripple, "%g", choice.RippleDb);
    switch (choice.Kind) {
        case ResponseKind::Butterworth:
            return "Butterworth, -3 dB point at 1";
        case ResponseKind::Tchebysheff:
            return std::string("Tchebysheff ") + ripple + " dB, " +
                   (choice.Cutoff == CutoffConvention::Minus3dB
                        ? "3 dB below the passband peak at 1"
                        : "ripple-band edge at 1");
        case ResponseKind::Bessel:
            return std::string("Bessel, ") +
                   (choice.Cutoff == CutoffConvention::Phase
                        ? "phase-matched to the Butterworth (poles of product 1)"
                    : choice.Cutoff == CutoffConvention::Minus3dB ? "-3 dB point at 1"
                                                                  : "unit group delay at DC");
    }
    return "";
}

}  // namespace velmora
