#include "signal_report.h"
#include "model/portable_math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <ostream>
#include <sstream>
#include <vector>

#include "output/html_report.h"
#include "output/signal_plots.h"
#include "output/svg_canvas.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

using Json = nlohmann::ordered_json;

// Four digits say what a noise or level figure means, and the same on
// every C library.
double Digits(double x, int digits = 4) {
    if (!std::isfinite(x)) return x;
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", digits, x);
    return std::strtod(text, nullptr);
}

std::string Q(double v, const char* unit, int digits = 3) {
    return WithPrefix(v, unit, digits);
}

std::string At(const Peak& p) {
    return p.Hz > 0 ? "at " + Q(p.Hz, "Hz") : "at DC";
}

std::string Db(double db) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dB", Digits(db, 5));
    return text;
}

// The frequencies the density table lists: each decade in the band, and the
// -3 dB frequency.
std::vector<double> SpotFrequencies(const SignalAnalysis& s) {
    std::vector<double> hz;
    for (double f = PowerOfTen(DecimalExponent(s.Noise.LowHz * (1 - 1e-9)) + 1);
         f <= s.Noise.HighHz * (1 + 1e-9); f *= 10)
        hz.push_back(Digits(f, 6));
    if (s.Minus3dBHz > s.Noise.LowHz && s.Minus3dBHz < s.Noise.HighHz) hz.push_back(s.Minus3dBHz);
    std::sort(hz.begin(), hz.end());
    return hz;
}

double InputDensity(const SignalAnalysis& s, double hz) {
    return OutputDensity(s.Circuit, hz) / NodeGains(s.Circuit, hz)[kNodeOut];
}

// Sources by share, largest first, those above 0.05 %.
std::vector<int> Ranked(const NoiseFigures& n) {
    std::vector<int> order(kNoiseSourceCount);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return n.Share[a] > n.Share[b]; });
    std::erase_if(order, [&](int k) { return !(n.Share[k] >= 5e-4); });
    return order;
}

std::string Line(const std::string& label, const std::string& value) {
    char text[320];
    std::snprintf(text, sizeof text, "  %-26s %s\n", label.c_str(), value.c_str());
    return text;
}

std::string AmpLine(const SignalAnalysis& s, bool ampGiven) {
    return OpAmpText(s.Circuit.Amp) + (ampGiven ? "" : " (the generic default)");
}

// "405", "1130", "2.5": three digits, never an exponent.
std::string Ratio(double r) {
    char text[32];
    std::snprintf(text, sizeof text, r >= 100 ? "%.0f" : "%.3g", Digits(r, 3));
    return text;
}

std::string SlewText(const SignalAnalysis& s) {
    const double need = s.Levels.SlewNeeded.Value, have = s.Circuit.Amp.SlewVPerS;
    return Significant(Digits(need / 1e6, 3), 3) + " V/us " + At(s.Levels.SlewNeeded) +
           "; the op-amp's " + Significant(Digits(have / 1e6, 3), 3) + " V/us" +
           (have >= need ? " (" + Ratio(have / need) + " x)"
                         : " (too slow: a full-scale sine there distorts)");
}

std::string OffsetOffer(const DcOffset& o) {
    if (!(o.BalancedRStar > 0)) return "none (K is 1 or less: no R* to choose)";
    return "R* = " + Q(o.BalancedRStar, "ohm", 4) + " with RK-R = " + Q(o.BalancedRkr, "ohm", 4) +
           " (same K) balances the bias currents: worst " + Q(o.BalancedWorst, "V") +
           "; not applied, and R* and RK-R then add noise";
}

}  // namespace

std::string OpAmpText(const OpAmp& a) {
    const auto q = [](double v, const char* unit) {
        std::string t = WithPrefix(v, unit, 4);
        t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
        return t;
    };
    return "gbw=" + q(a.GbwHz, "Hz") + ",sr=" + Significant(a.SlewVPerS / 1e6, 4) +
           "V/us,en=" + q(a.EnVPerRtHz, "V") + ",fc=" + q(a.FlickerCornerHz, "Hz") +
           ",in=" + q(a.InAPerRtHz, "A") + ",vos=" + q(a.VosV, "V") + ",ib=" + q(a.IbA, "A") +
           ",ios=" + q(a.IosA, "A") + ",out=" + q(a.OutHeadroomV, "V") +
           ",cm=" + q(a.CmLowHeadroomV, "V") + ":" + q(a.CmHighHeadroomV, "V") +
           ",cin=" + q(a.CinF, "F") + ",supply=" + q(a.SupplyV, "V");
}

void WriteSignalText(std::ostream& out, const SignalAnalysis& s, bool ampGiven) {
    const NoiseFigures& n = s.Noise;
    const LevelFigures& l = s.Levels;
    const DcOffset& o = s.Offset;
    out << "\nSignal through the filter: op-amp " << AmpLine(s, ampGiven) << "\n";
    if (!s.Valid) {
        out << "  Nothing to analyse: the parts as shown make no stable low-pass with a -3 dB "
               "point and a gain network of R* > 0, RK-R >= 0\n";
        return;
    }
    out << "  Source "
        << (s.Circuit.SourceOhms > 0 ? Q(s.Circuit.SourceOhms, "ohm", 4) + " in series with R1"
                                     : std::string("ideal"))
        << ", load "
        << (s.Circuit.LoadOhms > 0 ? Q(s.Circuit.LoadOhms, "ohm", 4) : std::string("none"))
        << "; -3 dB at " << Q(s.Minus3dBHz, "Hz", 4) << "\n";

    out << "\nNoise, " << Q(n.LowHz, "Hz") << " to " << Q(n.HighHz, "Hz") << " at 27 C:\n";
    out << Line("Output", Q(n.OutRms, "V") + " rms");
    out << Line("Referred to the input", Q(n.InRms, "V") + " rms");
    out << Line("Dynamic range", Db(s.DynamicRangeDb) + " (the largest clean sine over the noise)");
    std::string shares;
    for (int k : Ranked(n))
        shares += (shares.empty() ? "" : ", ") + std::string(kNoiseSourceNames[k]) + " " +
                  Significant(Digits(100 * n.Share[k], 3), 3) + " %";
    out << Line("Shares of the power", shares);
    char row[160];
    std::snprintf(row, sizeof row, "  %-12s %-18s %s\n", "Frequency", "Output density",
                  "Input-referred");
    out << row;
    for (double hz : SpotFrequencies(s)) {
        std::snprintf(row, sizeof row, "  %-12s %-18s %s\n", Q(hz, "Hz", 4).c_str(),
                      (Q(OutputDensity(s.Circuit, hz), "V") + "/rtHz").c_str(),
                      (Q(InputDensity(s, hz), "V") + "/rtHz").c_str());
        out << row;
    }

    out << "\nLevels (gain from the input, " << Q(l.LowHz, "Hz") << " to " << Q(l.HighHz, "Hz")
        << "):\n";
    std::snprintf(row, sizeof row, "  %-14s %-8s %s\n", "Node", "Peak", "Where");
    out << row;
    for (int k = 0; k < kNodeCount; ++k) {
        const std::string name = kNodeNames[k] + std::string(k == kNodeN4 ? " (+ input)" : "");
        std::snprintf(row, sizeof row, "  %-14s %-8s %s\n", name.c_str(),
                      Significant(Digits(l.Peaks[k].Value, 3), 3).c_str(), At(l.Peaks[k]).c_str());
        out << row;
    }
    out << Line("Largest clean input", Q(l.LargestSine, "V") +
                                           " peak as a sine at any frequency (" +
                                           LimitText(l.Limiting) + " sets it)");
    out << Line("At DC", Q(l.DcLow, "V") + " to " + Q(l.DcHigh, "V"));
    std::string currents;
    for (int k = 0; k < kCurrentCount; ++k) {
        if (k == kCurrentLoad && !(s.Circuit.LoadOhms > 0)) continue;
        currents += (currents.empty() ? "" : ", ") + std::string(kCurrentNames[k]) + " " +
                    Q(l.Currents[k].Value, "A");
    }
    out << Line("Output current, peak", currents);
    out << Line("Slew rate needed", SlewText(s));

    out << "\nDC offset at the output (+ input sees " << Q(o.SeriesOhms, "ohm", 4) << ", - input "
        << Q(o.ParallelOhms, "ohm", 4) << "):\n";
    out << Line("From Vos", Q(o.FromVos, "V"));
    out << Line("From the bias current", Q(o.FromIb, "V"));
    out << Line("From the offset current", Q(o.FromIos, "V"));
    out << Line("Worst", Q(o.Worst, "V") + "; typical " + Q(o.Typical, "V") + " (root sum square)");
    out << Line("Offered", OffsetOffer(o));
    if (s.Circuit.SourceOhms > 0)
        out << Line("Source",
                    "R1 = " + Q(s.R1ForSource, "ohm", 5) +
                        " takes the source off R1 and restores the response" +
                        (s.R1ForSource > 0 ? "" : " (not possible: the source exceeds R1)"));
}

Json SignalJson(const SignalAnalysis& s, bool ampGiven) {
    const NoiseFigures& n = s.Noise;
    const LevelFigures& l = s.Levels;
    const DcOffset& o = s.Offset;
    Json j;
    j["opamp"] = OpAmpText(s.Circuit.Amp);
    j["opamp_given"] = ampGiven;
    j["valid"] = s.Valid;
    if (!s.Valid) return j;
    j["source_ohms"] = Digits(s.Circuit.SourceOhms, 6);
    j["load_ohms"] = Digits(s.Circuit.LoadOhms, 6);
    j["minus3db_hz"] = Digits(s.Minus3dBHz);
    Json noise;
    noise["band_hz"] = {Digits(n.LowHz), Digits(n.HighHz)};
    noise["output_rms_v"] = Digits(n.OutRms);
    noise["input_rms_v"] = Digits(n.InRms);
    noise["dynamic_range_db"] = Digits(s.DynamicRangeDb);
    Json shares = Json::object();
    for (int k = 0; k < kNoiseSourceCount; ++k)
        shares[kNoiseSourceNames[k]] = Digits(n.Share[k]);
    noise["shares"] = shares;
    Json density = Json::array();
    for (double hz : SpotFrequencies(s))
        density.push_back({{"hz", Digits(hz)},
                           {"output_v_per_rthz", Digits(OutputDensity(s.Circuit, hz))},
                           {"input_v_per_rthz", Digits(InputDensity(s, hz))}});
    noise["density"] = density;
    j["noise"] = noise;
    Json levels;
    Json nodes = Json::array();
    for (int k = 0; k < kNodeCount; ++k)
        nodes.push_back({{"node", kNodeNames[k]},
                         {"peak", Digits(l.Peaks[k].Value)},
                         {"hz", Digits(l.Peaks[k].Hz)}});
    levels["nodes"] = nodes;
    levels["largest_sine_v"] = Digits(l.LargestSine);
    levels["limited_by"] = l.Limiting == kNodeN4 ? "input range" : "output swing";
    levels["dc_range_v"] = {Digits(l.DcLow), Digits(l.DcHigh)};
    Json currents;
    for (int k = 0; k < kCurrentCount; ++k)
        currents[kCurrentNames[k]] = {{"peak_a", Digits(l.Currents[k].Value)},
                                      {"hz", Digits(l.Currents[k].Hz)}};
    levels["output_current"] = currents;
    levels["slew_needed_v_per_s"] = Digits(l.SlewNeeded.Value);
    levels["slew_needed_hz"] = Digits(l.SlewNeeded.Hz);
    levels["opamp_slew_v_per_s"] = Digits(s.Circuit.Amp.SlewVPerS);
    j["levels"] = levels;
    j["offset"] = {{"series_ohms", Digits(o.SeriesOhms, 6)},
                   {"parallel_ohms", Digits(o.ParallelOhms, 6)},
                   {"from_vos_v", Digits(o.FromVos)},
                   {"from_ib_v", Digits(o.FromIb)},
                   {"from_ios_v", Digits(o.FromIos)},
                   {"worst_v", Digits(o.Worst)},
                   {"typical_v", Digits(o.Typical)},
                   {"balanced_rstar_ohms", Digits(o.BalancedRStar, 6)},
                   {"balanced_rkr_ohms", Digits(o.BalancedRkr, 6)},
                   {"balanced_worst_v", Digits(o.BalancedWorst)}};
    j["r1_without_source_ohms"] = Digits(s.R1ForSource, 6);
    return j;
}

std::string SignalHtml(const SignalAnalysis& s, bool ampGiven, const std::string& id) {
    // The text section, as the page's preformatted block: one source of
    // wording for both.
    std::ostringstream text;
    WriteSignalText(text, s, ampGiven);
    std::string body = text.str();
    if (!body.empty() && body.front() == '\n') body.erase(0, 1);
    const std::string section = "<h2 id=\"" + id +
                                "-signal\">Signal through the filter</h2>\n<pre>" +
                                EscapeXml(body) + "</pre>\n";
    if (!s.Valid) return section;
    return section + "<div class=\"figure\">" + NoiseDensitySvg(s, "Noise", id + "-noise", false) +
           "</div>\n<div class=\"figure\">" + NodeGainSvg(s, "Levels", id + "-levels", false) +
           "</div>\n";
}

}  // namespace velmora
