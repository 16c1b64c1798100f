#include "diagnostics.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "text/quantity_text.h"

namespace velmora {

namespace {

enum class Kind { Resistor, Capacitor, Gain, GainMate };

// One buildable value: unrounded and as shown, in ohms, uF or plain.
struct Part {
    const char* Name;
    Kind Type;
    double Unrounded;
    double Shown;
    const char* Unit;
};

bool Positive(double v) {
    return std::isfinite(v) && v > 0;
}

// Large values whole, as the display has them; small ones to six digits.
std::string Value(double v, const char* unit) {
    char whole[64];
    std::snprintf(whole, sizeof whole, "%.1f", v);
    std::string text = std::isfinite(v) && std::abs(v) >= 1e5 ? whole : Significant(v, 6);
    return std::isfinite(v) && *unit ? text + " " + unit : text;
}

// What is wrong with a value, or "" when nothing is.
std::string Fault(const Part& p) {
    const double v = p.Unrounded;
    if (std::isnan(v)) return "is not a number";
    if (std::isinf(v)) return v > 0 ? "is infinite" : "is negative and infinite";
    if (v < 0) return "is negative (" + Value(v, p.Unit) + ")";
    if (v == 0) return "is zero";
    if (p.Shown == 0 && p.Type != Kind::Gain)
        return "shows as 0 although it is " + Value(v, p.Unit) + ", below the display's last digit";
    return "";
}

// The likeliest cause of a faulty part, as the input to change.
std::string Remedy(const Part& p, const DesignRecord& d, bool rootFound) {
    const bool fromSearch = p.Type != Kind::Capacitor;
    if (!rootFound && fromSearch) return "It follows from the failed search for R2 (see above).";
    if (p.Type == Kind::Resistor && !Positive(d.ISF))
        return "Every scaled resistor is the prototype value times ISF, and ISF is " +
               Significant(d.ISF, 6) + ": enter a positive ISF, such as 0.01.";
    if (p.Type == Kind::Capacitor && !Positive(d.CapUF))
        return "Enter a positive capacitor value in C (uF), such as 1.";
    if (p.Type == Kind::Capacitor && !Positive(d.ISF * d.FSF))
        return "The scaled C is C / (ISF x FSF), with ISF " + Significant(d.ISF, 6) + " and FSF " +
               Significant(d.FSF, 6) +
               ": enter positive values for both (FSF is the cut-off frequency in Hz).";
    if (p.Type == Kind::GainMate && !Positive(d.RStar))
        return "R* is " + Significant(d.RStar, 6) +
               " ohms: enter a positive feedback resistor, such as 2000.";
    if (p.Type == Kind::Resistor && p.Shown == 0)
        return "Raise ISF so that the scaled resistors come out at tens of ohms or more.";
    if (p.Type == Kind::Capacitor && p.Shown == 0)
        return "Lower ISF or raise C so that the scaled capacitor shows significant digits.";
    return "Check AF1, F1, AF2 and F2: all four must be positive numbers.";
}

std::string PairText(const PolePair& p) {
    return Significant(p.F0Hz, 6) + " Hz, Q " + Significant(p.Q, 5);
}

// Why the search can have failed.
std::string SearchRemedy(const DesignRecord& d) {
    if (!Positive(d.CapUF))
        return "C is " + Significant(d.CapUF, 6) +
               " uF: the design needs a positive capacitor value.";
    for (double v : {d.AF1, d.F1, d.AF2, d.F2})
        if (!Positive(v))
            return "Check AF1, F1, AF2 and F2: both pole pairs must be entered, with positive "
                   "values.";
    return "This circuit has no solution with four equal capacitors for these pole pairs: "
           "choose other pole pairs.";
}

// The pair furthest from its target, or -1 when both are within tolerance.
int WorstPair(const RealisedCircuit& r) {
    int worst = -1;
    double largest = kPairTolerance;
    for (int k = 0; k < 2; ++k) {
        const double e = std::max(std::abs(r.Pairs[k].F0Error), std::abs(r.Pairs[k].QError));
        if (std::isnan(e) || e > largest) {
            worst = k;
            largest = std::isnan(e) ? std::numeric_limits<double>::infinity() : e;
        }
    }
    return worst;
}

std::string Miss(const RealisedCircuit& r, int k) {
    const PairCheck& c = r.Pairs[k];
    return "pole pair " + std::to_string(k + 1) + " comes out at " + PairText(c.Realised) +
           " against " + PairText(c.Target) + " (" + SignedPercent(c.F0Error) + " and " +
           SignedPercent(c.QError) + ")";
}

// Shown values whose rounding moves them by more than 0.1 %.
std::string CoarseValues(const std::vector<Part>& parts) {
    std::string list;
    for (const Part& p : parts) {
        if (p.Type == Kind::Gain) continue;
        const double error = (p.Shown - p.Unrounded) / p.Unrounded;
        if (!(std::abs(error) > 0.001)) continue;
        list += (list.empty() ? "" : ", ") + std::string(p.Name) + " shows " +
                Value(p.Shown, p.Unit) + " for " + Value(p.Unrounded, p.Unit) + " (" +
                SignedPercent(error) + ")";
    }
    return list;
}

}  // namespace

std::vector<Diagnostic> DiagnoseDesign(const DesignRecord& d, const DesignAnalysis& a) {
    std::vector<Diagnostic> out;
    const FilterParts& u = a.Unrounded.Parts;
    const FilterParts& s = a.Shown.Parts;
    const std::vector<Part> parts = {
        {"R1", Kind::Resistor, u.R1, s.R1, "ohms"},
        {"R2 (= R3)", Kind::Resistor, u.R2, s.R2, "ohms"},
        {"R4", Kind::Resistor, u.R4, s.R4, "ohms"},
        {"C", Kind::Capacitor, u.C1 * 1e6, s.C1 * 1e6, "uF"},
        {"K", Kind::Gain, u.K, s.K, ""},
        {"RK-R", Kind::GainMate, RkrOhms(d), a.RKRShown, "ohms"},
    };

    // 1. The search itself.
    if (!a.RootFound)
        out.push_back({"no-root",
                       "No root in the search range: the residual of the design equation has "
                       "no sign change for R2 between 0.1 ohm and 10 GOhm (prototype), so the "
                       "search ended at the 10 GOhm end (prototype R2 " +
                           a.Texts[Result::ProtoR2] + " ohms) and the results realise nothing. " +
                           SearchRemedy(d)});

    // 2. Parts that cannot be built. A gain below 1 has its own message,
    //    which covers the negative RK-R it leads to.
    const bool gainBelowOne = std::isfinite(d.K) && d.K < 1 && a.RootFound;
    for (const Part& p : parts) {
        if (p.Type == Kind::GainMate && gainBelowOne && Positive(d.RStar)) continue;
        if (p.Type == Kind::Gain && std::isfinite(p.Unrounded)) continue;
        const std::string fault = Fault(p);
        if (fault.empty()) continue;
        out.push_back(
            {"bad-part", std::string(p.Name) + " " + fault + ". " + Remedy(p, d, a.RootFound)});
    }

    // 3. A gain the non-inverting stage cannot have.
    if (gainBelowOne)
        out.push_back({"gain-below-one",
                       "K is " + Significant(d.K, 6) +
                           ", below 1: a non-inverting amplifier cannot have a gain below 1, so "
                           "RK-R comes out negative (" +
                           a.Texts[Result::OutRkr] +
                           " ohms) and the gain network cannot be built. With four equal "
                           "capacitors this circuit needs K < 1 for these pole pairs: choose "
                           "other pole pairs, or build them with another circuit."});

    // 4. Stability, from whichever circuit could be solved.
    const RealisedCircuit& solved = a.Unrounded.Analysis.Valid ? a.Unrounded : a.Shown;
    if (solved.Analysis.Valid && !solved.Analysis.Stable)
        out.push_back({"unstable",
                       "The circuit is unstable: it has a pole in the right half-plane (a "
                       "negative Q: pairs at " +
                           PairText(solved.Analysis.Pairs[0]) + " and " +
                           PairText(solved.Analysis.Pairs[1]) +
                           "), so it oscillates instead of filtering. AF1 and AF2 must be "
                           "positive."});

    // 5. Pole pairs off target. A failed search or unbuildable parts have
    //    been reported above; this is about designs that look sound.
    if (!a.RootFound || !a.TargetFigures.Valid) return out;
    const int design = a.Unrounded.Analysis.Valid ? WorstPair(a.Unrounded) : -1;
    const int shown = a.Shown.Analysis.Valid ? WorstPair(a.Shown) : -1;
    if (design >= 0) {
        out.push_back(
            {"off-target", "The computed values miss the target: " + Miss(a.Unrounded, design) +
                               ". The search ended on a jump of its residual rather than on a "
                               "root, so this circuit has no solution with four equal capacitors "
                               "for these pole pairs: check the entries, or choose other pole "
                               "pairs."});
    } else if (shown >= 0) {
        const std::string coarse = CoarseValues(parts);
        out.push_back(
            {"off-target",
             "The values as shown miss the target by more than 1 %: " + Miss(a.Shown, shown) +
                 ". The display rounds to 0.1 ohm and 0.000001 uF" +
                 (coarse.empty() ? "" : ", which is coarse here: " + coarse) +
                 ". Choose ISF and C so that the scaled resistors are hundreds of "
                 "ohms or more and C shows several significant digits, or build with "
                 "the unrounded values."});
    }
    return out;
}

}  // namespace velmora
