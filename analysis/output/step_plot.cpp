#include "step_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "plot_axes.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

constexpr int kSamples = 800;
constexpr double kWidth = 900, kHeight = 460, kLeft = 84, kRight = 28, kTop = 78, kPlotHeight = 310;

constexpr const char* kTargetStyle = R"(stroke="#8a8a8a" stroke-width="2" stroke-dasharray="7 5")";
constexpr const char* kRealisedStyle = R"(stroke="#1f5fbf" stroke-width="2")";
constexpr const char* kMarkerText = R"(fill="#c0392b" font-size="12")";

struct TimeUnit {
    const char* Name;
    double Scale;
};

TimeUnit ChooseTimeUnit(double endS) {
    if (endS < 1e-3) return {"\u00b5s", 1e6};
    if (endS < 1) return {"ms", 1e3};
    return {"s", 1};
}

Points Scaled(const std::vector<StepPoint>& step, double scale) {
    Points xy;
    for (const StepPoint& p : step)
        xy.push_back({p.Seconds * scale, p.Volts});
    return xy;
}

}  // namespace

StepData MakeStepData(const DesignAnalysis& a, std::string title, std::string subtitle) {
    StepData d;
    d.Title = std::move(title);
    d.Subtitle = std::move(subtitle);
    d.RealisedName = a.ShownName;
    double end = StepSpanSeconds(a.Target);
    if (!(end > 0)) end = StepSpanSeconds(a.Shown.Analysis.Pairs);
    if (!(end > 0) || !std::isfinite(end)) return d;
    // End on a whole tick of the time axis.
    const double step = NiceStep(end, 10);
    d.EndS = std::ceil(end / step - 1e-9) * step;
    if (a.TargetFigures.Valid)
        d.Target = PolePairStep(a.Target, a.TargetFigures.DcGain, d.EndS, kSamples);
    if (a.Shown.Analysis.Valid) {
        d.Realised = CircuitStep(a.Shown.Parts, d.EndS, kSamples);
        d.FinalVolts = a.Shown.Analysis.DcGain;
        d.Figures = MeasureStep(d.Realised, d.FinalVolts);
    }
    return d;
}

std::string StepPlotSvg(const StepData& d, std::string_view idPrefix, bool standalone) {
    Svg svg{kWidth, kHeight, ""};
    SvgText(svg, kLeft, 30, d.Title, R"(font-size="17" font-weight="bold" fill="#111111")");
    SvgText(svg, kLeft, 52, d.Subtitle, R"(font-size="13" fill="#444444")");

    // 1. Axes: time from 0, volts from 0 (or below) to above the peak.
    const TimeUnit unit = ChooseTimeUnit(d.EndS);
    double lo = 0, hi = 0;
    for (const auto* curve : {&d.Target, &d.Realised})
        for (const StepPoint& p : *curve)
            if (std::isfinite(p.Volts)) lo = std::min(lo, p.Volts), hi = std::max(hi, p.Volts);
    if (!(hi > lo)) hi = lo + 1;
    const double vStep = NiceStep((hi - lo) * 1.1, 6);
    const Axis y{std::floor(lo / vStep) * vStep, std::ceil(hi * 1.05 / vStep) * vStep, false};
    const double end = d.EndS * unit.Scale;
    const double tStep = NiceStep(end, 10);
    const Panel panel{std::string(idPrefix) + "-step",
                      kLeft,
                      kTop,
                      kWidth - kLeft - kRight,
                      kPlotHeight,
                      {0, end, false},
                      y};
    DrawPanel(svg, panel, LinearTicks(0, end, tStep, tStep < 1 ? (tStep < 0.1 ? 2 : 1) : 0),
              LinearTicks(y.Min, y.Max, vStep, vStep < 1 ? (vStep < 0.1 ? 2 : 1) : 0),
              std::string("Time (") + unit.Name + ")", "Output (V) for a 1 V step");

    // 2. Curves and the settled value.
    DrawCurve(svg, panel, Scaled(d.Realised, unit.Scale), kRealisedStyle);
    DrawCurve(svg, panel, Scaled(d.Target, unit.Scale), kTargetStyle);
    if (!d.Realised.empty()) {
        const double py = MapY(panel, d.FinalVolts);
        SvgLine(svg, panel.Left, py, panel.Left + panel.Width, py,
                R"(stroke="#c0392b" stroke-width="1" stroke-dasharray="3 3")");
        char text[160];
        std::snprintf(text, sizeof text, "settles at %.4g V; overshoot %.1f %%; within 1 %% after ",
                      d.FinalVolts, d.Figures.OvershootPct);
        SvgText(svg, panel.Left + panel.Width - 10, panel.Top + panel.Height - 14,
                text + WithPrefix(d.Figures.SettlingS, "s"),
                std::string(kMarkerText) + R"( text-anchor="end")");
    }

    // 3. Legend, bottom right, clear of the rise at the left.
    std::vector<LegendEntry> legend;
    if (!d.Target.empty()) legend.push_back({"Target: the pole pairs entered", kTargetStyle});
    if (!d.Realised.empty()) legend.push_back({"Circuit: " + d.RealisedName, kRealisedStyle});
    DrawLegend(svg, panel.Left + panel.Width - kLegendWidth - 12, panel.Top + panel.Height - 90,
               legend);
    return SvgDocument(svg, standalone);
}

}  // namespace velmora
