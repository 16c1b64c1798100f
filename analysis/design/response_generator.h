// The two pole pairs of a fourth-order low-pass prototype, in the form the
// parameter boxes take: AF = 1/Q and F, where F is the pair's natural
// frequency on a scale that puts the response's cutoff at 1.
//
// Cutoff conventions (what "1" means):
//   Butterworth   -3 dB point at 1 (the only one).
//   Tchebysheff   CutoffConvention::RippleEdge: the edge of the ripple band at 1 (default);
//                 CutoffConvention::Minus3dB: 3 dB below the passband peak at 1.
//   Bessel        CutoffConvention::UnitDelay: group delay at DC of 1/(2 pi) s on the Hz scale,
//                 1 s on the tables' rad/s scale (default); CutoffConvention::Phase: the
//                 phase asymptotes of the Butterworth, poles with product 1;
//                 CutoffConvention::Minus3dB: 3 dB below the DC gain at 1.
//
//   PrototypePairs({ResponseKind::Tchebysheff, 0.5, CutoffConvention::RippleEdge})
//     -> {AF 1.418218, F 0.597002}, {AF 0.340072, F 1.031270}
//   PairTexts(pairs)[0] -> "1.4182179577..." (shortest text that reads back exact)
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

enum class ResponseKind { Butterworth, Tchebysheff, Bessel };
enum class CutoffConvention { Default, RippleEdge, Minus3dB, UnitDelay, Phase };

struct ResponseChoice {
    ResponseKind Kind = ResponseKind::Butterworth;
    double RippleDb = 0;  // Tchebysheff only, > 0
    CutoffConvention Cutoff = CutoffConvention::Default;
};

struct PrototypePair {
    double AF = 0;  // 1/Q
    double F = 0;   // natural frequency, cutoff at 1
};

// Lower Q first (AF1 > AF2), as the preset rows mostly stand. Empty when the
// convention does not apply to the kind or the ripple is not positive.
std::optional<std::array<PrototypePair, 2>> PrototypePairs(const ResponseChoice& choice);

// AF1, F1, AF2, F2 as the shortest decimal texts that read back to the same
// doubles.
std::array<std::string, 4> PairTexts(const std::array<PrototypePair, 2>& pairs);

// "butter", "cheb", "bessel" and their long forms; "edge", "3db", "delay",
// "phase". Unknown names give nullopt.
std::optional<ResponseKind> ParseResponseKind(std::string_view name);
std::optional<CutoffConvention> ParseCutoff(std::string_view name);

// One line for the report: "Tchebysheff 0.25 dB, ripple-band edge at 1".
std::string DescribeResponse(const ResponseChoice& choice);

}  // namespace velmora
