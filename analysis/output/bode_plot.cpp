#include "bode_plot.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "model/portable_math.h"
#include "plot_axes.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

constexpr int kPoints = 600;
constexpr double kWidth = 900, kLeft = 84, kRight = 36;

// The three panels, top to bottom.
struct PanelPlace {
    const char* Name;
    double Top;
    double Height;
};
constexpr PanelPlace kPlaces[3] = {{"gain", 78, 300}, {"phase", 430, 190}, {"delay", 672, 190}};
constexpr double kHeight = 920;

constexpr const char* kTargetStyle = R"(stroke="#8a8a8a" stroke-width="2" stroke-dasharray="7 5")";
constexpr const char* kRealisedStyle = R"(stroke="#1f5fbf" stroke-width="2")";
constexpr const char* kMarkerLine = R"(stroke="#c0392b" stroke-width="1" stroke-dasharray="3 3")";
constexpr const char* kMarkerText = R"(fill="#c0392b" font-size="12")";

Points Column(const std::vector<ResponsePoint>& points, double ResponsePoint::*field,
              double scale) {
    Points xy;
    for (const ResponsePoint& p : points)
        xy.push_back({p.Hz, p.*field * scale});
    return xy;
}

// Smallest and largest finite value of a field over both curves.
std::pair<double, double> Range(const BodeData& d, double ResponsePoint::*field) {
    double lo = std::numeric_limits<double>::infinity(), hi = -lo;
    for (const auto* curve : {&d.Target, &d.Realised})
        for (const ResponsePoint& p : *curve)
            if (std::isfinite(p.*field)) lo = std::min(lo, p.*field), hi = std::max(hi, p.*field);
    if (!(hi >= lo)) return {0, 1};
    return {lo, hi};
}

// Seconds shown in the unit that suits the largest delay.
struct DelayUnit {
    const char* Name;
    double Scale;
};

DelayUnit ChooseDelayUnit(double largestS) {
    if (largestS < 1e-3) return {"\u00b5s", 1e6};
    if (largestS < 1) return {"ms", 1e3};
    return {"s", 1};
}

// Entries for the curves that are there.
std::vector<LegendEntry> Legend(const BodeData& d) {
    std::vector<LegendEntry> entries;
    if (!d.Target.empty()) entries.push_back({"Target: the pole pairs entered", kTargetStyle});
    if (!d.Realised.empty()) entries.push_back({"Circuit: " + d.RealisedName, kRealisedStyle});
    return entries;
}

}  // namespace

FrequencySpan PlotSpan(const DesignAnalysis& a) {
    double corner = a.Shown.Analysis.Minus3dBHz;
    if (!(corner > 0)) corner = a.TargetFigures.Minus3dBHz;
    double top = 0;
    for (const PolePair& p : a.Target)
        if (std::isfinite(p.F0Hz)) top = std::max(top, p.F0Hz);
    if (!(corner > 0)) corner = top;
    if (!(corner > 0) || !std::isfinite(corner)) return {10, 1e4};
    top = std::max(top, corner);
    const int high = DecimalExponent(top * 5);
    return {PowerOfTen(DecimalExponent(corner / 30)),
            PowerOfTen(PowerOfTen(high) == top * 5 ? high : high + 1)};
}

BodeData MakeBodeData(const DesignAnalysis& a, std::string title, std::string subtitle) {
    BodeData d;
    d.Title = std::move(title);
    d.Subtitle = std::move(subtitle);
    d.RealisedName = a.ShownName;
    d.Span = PlotSpan(a);
    for (double hz : LogFrequencies(d.Span.LowHz, d.Span.HighHz, kPoints)) {
        if (a.TargetFigures.Valid)
            d.Target.push_back(PolePairPoint(a.Target, a.TargetFigures.DcGain, hz));
        if (a.Shown.Analysis.Valid) d.Realised.push_back(CircuitPoint(a.Shown.Parts, hz));
    }
    const CircuitAnalysis& r = a.Shown.Analysis;
    if (r.Valid && r.Minus3dBHz > 0) {
        d.Minus3dBHz = r.Minus3dBHz;
        d.Minus3dBGainDb = CircuitPoint(a.Shown.Parts, r.Minus3dBHz).GainDb;
    }
    // Peaks below a hundredth of a dB are rounding, not a feature.
    if (r.Valid && r.PeakingDb >= 0.01 && r.PeakHz > 0) {
        d.PeakHz = r.PeakHz;
        d.PeakGainDb = CircuitPoint(a.Shown.Parts, r.PeakHz).GainDb;
        d.PeakingDb = r.PeakingDb;
    }
    return d;
}

std::string BodePlotSvg(const BodeData& d, std::string_view idPrefix, bool standalone) {
    Svg svg{kWidth, kHeight, ""};
    const std::string prefix(idPrefix);
    SvgText(svg, kLeft, 30, d.Title, R"(font-size="17" font-weight="bold" fill="#111111")");
    SvgText(svg, kLeft, 52, d.Subtitle, R"(font-size="13" fill="#444444")");

    // 1. Axes: gain in 10 or 20 dB steps down to 100 dB below the top,
    //    phase in whole quadrants, delay from zero.
    const auto [gLo, gHi] = Range(d, &ResponsePoint::GainDb);
    const double gainStep = NiceStep(std::min(gHi + 3 - gLo, 100.0), 8);
    const double gainTop = std::ceil((gHi + 3) / gainStep) * gainStep;
    const double gainBottom = std::max(gainTop - std::ceil(100 / gainStep) * gainStep,
                                       std::floor(gLo / gainStep) * gainStep);
    const auto [pLo, pHi] = Range(d, &ResponsePoint::PhaseDeg);
    const double phaseTop = std::ceil(pHi / 90 - 1e-9) * 90,
                 phaseBottom = std::floor(pLo / 90 + 1e-9) * 90;
    const auto [dLo, dHi] = Range(d, &ResponsePoint::DelayS);
    const DelayUnit unit = ChooseDelayUnit(dHi);
    const double delayStep = NiceStep(std::max(dHi, 0.0) * unit.Scale * 1.1, 5);
    const double delayTop = std::ceil(dHi * unit.Scale * 1.1 / delayStep) * delayStep;
    const double delayBottom = std::min(0.0, std::floor(dLo * unit.Scale / delayStep) * delayStep);

    const Axis x{d.Span.LowHz, d.Span.HighHz, true};
    Panel panels[3];
    const Axis yAxes[3] = {{gainBottom, gainTop, false},
                           {phaseBottom, std::max(phaseTop, phaseBottom + 90), false},
                           {delayBottom, std::max(delayTop, delayBottom + delayStep), false}};
    for (int k = 0; k < 3; ++k)
        panels[k] = {prefix + "-" + kPlaces[k].Name,
                     kLeft,
                     kPlaces[k].Top,
                     kWidth - kLeft - kRight,
                     kPlaces[k].Height,
                     x,
                     yAxes[k]};
    const std::vector<Tick> xTicks = LogTicks(x.Min, x.Max, "Hz");
    DrawPanel(svg, panels[0], xTicks,
              LinearTicks(gainBottom, gainTop, gainStep, gainStep < 1 ? 1 : 0), "", "Gain (dB)");
    const double phaseSpan = yAxes[1].Max - yAxes[1].Min;
    DrawPanel(svg, panels[1], xTicks,
              LinearTicks(yAxes[1].Min, yAxes[1].Max, DegreeStep(phaseSpan, 6), 0), "",
              "Phase (degrees)");
    const int delayDecimals = delayStep < 1 ? (delayStep < 0.1 ? 2 : 1) : 0;
    DrawPanel(svg, panels[2], xTicks,
              LinearTicks(yAxes[2].Min, yAxes[2].Max, delayStep, delayDecimals), "Frequency (Hz)",
              std::string("Group delay (") + unit.Name + ")");

    // 2. Curves: the target under the realised circuit.
    double ResponsePoint::*fields[3] = {&ResponsePoint::GainDb, &ResponsePoint::PhaseDeg,
                                        &ResponsePoint::DelayS};
    const double scales[3] = {1, 1, unit.Scale};
    for (int k = 0; k < 3; ++k) {
        DrawCurve(svg, panels[k], Column(d.Realised, fields[k], scales[k]), kRealisedStyle);
        DrawCurve(svg, panels[k], Column(d.Target, fields[k], scales[k]), kTargetStyle);
    }

    // 3. Markers: the -3 dB frequency through all panels, the peak.
    if (d.Minus3dBHz > 0) {
        for (const Panel& p : panels) {
            const double px = MapX(p, d.Minus3dBHz);
            SvgLine(svg, px, p.Top, px, p.Top + p.Height, kMarkerLine);
        }
        const double px = MapX(panels[0], d.Minus3dBHz), py = MapY(panels[0], d.Minus3dBGainDb);
        SvgCircle(svg, px, py, 4.5, R"(fill="#c0392b" stroke="#ffffff" stroke-width="1")");
        SvgText(svg, px + 9, py - 8, "-3 dB at " + WithPrefix(d.Minus3dBHz, "Hz", 5), kMarkerText);
    }
    if (d.PeakHz > 0) {
        const double px = MapX(panels[0], d.PeakHz), py = MapY(panels[0], d.PeakGainDb);
        SvgCircle(svg, px, py, 4, R"(fill="#ffffff" stroke="#c0392b" stroke-width="1.5")");
        char text[64];
        std::snprintf(text, sizeof text, "peak +%.2f dB at ", d.PeakingDb);
        SvgText(svg, px - 9, py - 9, text + WithPrefix(d.PeakHz, "Hz", 5),
                std::string(kMarkerText) + R"( text-anchor="end")");
    }
    DrawLegend(svg, panels[0].Left + 12, panels[0].Top + panels[0].Height - 58, Legend(d));
    return SvgDocument(svg, standalone);
}

}  // namespace velmora
