#include "design/response_generator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "number_text.h"
#include "standard_sets.h"

using namespace velmora;

namespace {

// Decimals a preset text is printed with: "1.03127" -> 5, "1" -> 0.
int Decimals(const std::string& text) {
    const size_t dot = text.find('.');
    return dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
}

struct PresetRow {
    int ControlId;
    ResponseChoice Choice;
    bool Reversed;  // the row lists the higher-Q pair first
    bool AgreeAll;  // every value agrees to its printed decimals
};

// The preset rows against the computed pole pairs under the convention each
// row uses. The 1.0 dB row alone departs: its four values differ from the
// 3 dB-normalised pairs by 1.7e-5 to 3.1e-5 (AF1 1.274638 vs 1.274619,
// F1 .501946 vs .501976, AF2 .280943 vs .280974, F2 .943253 vs .943236),
// so it agrees to about four significant digits only.
TEST(ResponseGenerator, AgreesWithThePresetRowsToTheirPrintedDigits) {
    const PresetRow rows[] = {
        {ID_STD_BUTTERWORTH,
         {ResponseKind::Butterworth, 0, CutoffConvention::Default},
         false,
         true},
        {ID_STD_BESSEL, {ResponseKind::Bessel, 0, CutoffConvention::UnitDelay}, false, true},
        {ID_STD_CHEB05,
         {ResponseKind::Tchebysheff, 0.5, CutoffConvention::RippleEdge},
         false,
         true},
        {ID_STD_CHEB10, {ResponseKind::Tchebysheff, 1.0, CutoffConvention::Minus3dB}, false, false},
        {ID_STD_CHEB20,
         {ResponseKind::Tchebysheff, 2.0, CutoffConvention::RippleEdge},
         false,
         true},
        {ID_STD_CHEB30, {ResponseKind::Tchebysheff, 3.0, CutoffConvention::RippleEdge}, true, true},
    };
    for (const PresetRow& row : rows) {
        const StandardSet* set = FindStandardSet(row.ControlId);
        const auto pairs = PrototypePairs(row.Choice);
        ASSERT_TRUE(set && pairs) << row.ControlId;
        const PrototypePair& first = (*pairs)[row.Reversed ? 1 : 0];
        const PrototypePair& second = (*pairs)[row.Reversed ? 0 : 1];
        const std::pair<const char*, double> values[4] = {
            {set->AF1, first.AF}, {set->F1, first.F}, {set->AF2, second.AF}, {set->F2, second.F}};
        for (const auto& [text, computed] : values) {
            const double printed = ParseNumber(text);
            const double halfDigit = 0.5 * std::pow(10.0, -Decimals(text)) * (1 + 1e-9);
            if (row.AgreeAll) {
                EXPECT_NEAR(computed, printed, halfDigit) << set->Label << " " << text;
            } else {
                EXPECT_GT(std::fabs(computed - printed), halfDigit) << set->Label << " " << text;
                EXPECT_NEAR(computed / printed, 1, 1.2e-4) << set->Label << " " << text;
            }
        }
    }
}

// Published coefficients of the factored form 1 + a s + b s^2, -3 dB point
// at 1 (four decimals): F = 1/sqrt(b), AF = a/sqrt(b).
TEST(ResponseGenerator, AgreesWithPublishedCoefficientTables) {
    struct Published {
        ResponseChoice Choice;
        double A1, B1, A2, B2;
    };
    const Published rows[] = {
        {{ResponseKind::Butterworth, 0, CutoffConvention::Minus3dB},
         1.8478,
         1.0000,
         0.7654,
         1.0000},
        {{ResponseKind::Bessel, 0, CutoffConvention::Minus3dB}, 1.3397, 0.4889, 0.7743, 0.3890},
    };
    for (const Published& row : rows) {
        const auto pairs = PrototypePairs(row.Choice);
        ASSERT_TRUE(pairs);
        const double want[2][2] = {{row.A1, row.B1}, {row.A2, row.B2}};
        for (size_t i = 0; i < 2; ++i) {
            const double b = 1 / ((*pairs)[i].F * (*pairs)[i].F);
            EXPECT_NEAR(b, want[i][1], 0.6e-4) << i;
            EXPECT_NEAR((*pairs)[i].AF * std::sqrt(b), want[i][0], 0.6e-4) << i;
        }
    }
}

// |D(j w)|^2 / D(0)^2 of the two pairs at w = 1 (rad/s scale).
double PowerRatioAtOne(const std::array<PrototypePair, 2>& pairs) {
    double ratio = 1;
    for (const PrototypePair& p : pairs) {
        const double re = p.F * p.F - 1, im = p.AF * p.F;
        ratio *= (re * re + im * im) / (p.F * p.F * p.F * p.F);
    }
    return ratio;
}

// The cutoff conventions hold whatever the ripple: at the band edge the gain
// is back at its DC value (even order), and at the 3 dB point it is 3 dB
// below the peak, which lies 10 log(1 + eps^2) dB above DC.
TEST(ResponseGenerator, TchebysheffCutoffConventionsHoldForAnyRipple) {
    for (double ripple : {0.01, 0.1, 0.25, 0.5, 1.0, 2.0, 3.0, 3.0103, 6.0}) {
        const double eps2 = std::pow(10.0, ripple / 10) - 1;
        const auto edge =
            PrototypePairs({ResponseKind::Tchebysheff, ripple, CutoffConvention::RippleEdge});
        const auto minus3 =
            PrototypePairs({ResponseKind::Tchebysheff, ripple, CutoffConvention::Minus3dB});
        ASSERT_TRUE(edge && minus3);
        EXPECT_NEAR(PowerRatioAtOne(*edge), 1, 1e-9) << ripple;
        EXPECT_NEAR(PowerRatioAtOne(*minus3), 2 / (1 + eps2), 1e-9) << ripple;
        EXPECT_GT((*edge)[0].AF, (*edge)[1].AF) << "lower Q first";
    }
}

TEST(ResponseGenerator, BesselNormalisations) {
    const auto delay = PrototypePairs({ResponseKind::Bessel, 0, CutoffConvention::UnitDelay});
    const auto phase = PrototypePairs({ResponseKind::Bessel, 0, CutoffConvention::Phase});
    ASSERT_TRUE(delay && phase);
    // DC group delay of an all-pole pair product: sum of AF / F.
    EXPECT_NEAR((*delay)[0].AF / (*delay)[0].F + (*delay)[1].AF / (*delay)[1].F, 1, 1e-12);
    // Phase-matched: pole magnitudes multiply to 1; Q does not depend on scaling.
    EXPECT_NEAR((*phase)[0].F * (*phase)[1].F, 1, 1e-12);
    EXPECT_DOUBLE_EQ((*phase)[0].AF, (*delay)[0].AF);
}

TEST(ResponseGenerator, TextsReadBackExactlyAndBadChoicesAreRefused) {
    for (const ResponseChoice& choice :
         {ResponseChoice{ResponseKind::Tchebysheff, 0.25, CutoffConvention::RippleEdge},
          ResponseChoice{ResponseKind::Bessel, 0, CutoffConvention::Phase},
          ResponseChoice{ResponseKind::Butterworth, 0, CutoffConvention::Default}}) {
        const auto pairs = PrototypePairs(choice);
        ASSERT_TRUE(pairs);
        const auto texts = PairTexts(*pairs);
        const double values[4] = {(*pairs)[0].AF, (*pairs)[0].F, (*pairs)[1].AF, (*pairs)[1].F};
        for (size_t k = 0; k < 4; ++k)
            EXPECT_EQ(ParseNumber(texts[k]), values[k]) << texts[k];
    }
    EXPECT_FALSE(PrototypePairs({ResponseKind::Tchebysheff, 0, CutoffConvention::RippleEdge}));
    EXPECT_FALSE(PrototypePairs({ResponseKind::Tchebysheff, -1, CutoffConvention::RippleEdge}));
    EXPECT_FALSE(PrototypePairs({ResponseKind::Butterworth, 0, CutoffConvention::RippleEdge}));
    EXPECT_FALSE(PrototypePairs({ResponseKind::Bessel, 0, CutoffConvention::RippleEdge}));
    EXPECT_FALSE(PrototypePairs({ResponseKind::Tchebysheff, 1, CutoffConvention::UnitDelay}));
}

}  // namespace
