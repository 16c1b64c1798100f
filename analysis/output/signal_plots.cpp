#include "signal_plots.h"
#include "model/portable_math.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "panel_look.h"
#include "plot_axes.h"
#include "response/response.h"
#include "svg_canvas.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

using namespace panel;
constexpr const char* kStyles[] = {
    R"(stroke="#1f5fbf" stroke-width="2.5")", R"(stroke="#c0392b" stroke-width="1.8")",
    R"(stroke="#2e8b57" stroke-width="1.8")", R"(stroke="#b8860b" stroke-width="1.8")",
    R"(stroke="#6a3d9a" stroke-width="1.8")", R"(stroke="#111111" stroke-width="2.5")",
};
constexpr int kPoints = 241;

Panel PlotPanel(const std::string& id, Axis x, Axis y) {
    return {id, kLeft, kTop, kWidth - kLeft - kRight, kHeight - kTop - kBottom, x, y};
}

Svg Frame(const std::string& title, const std::string& subtitle) {
    Svg svg{kWidth, kHeight, ""};
    SvgText(svg, kLeft, 30, title, kTitleStyle);
    SvgText(svg, kLeft, 52, subtitle, kSubtitleStyle);
    return svg;
}

// Whole decades around the values, at least one.
Axis Decades(double low, double high) {
    const double lo = PowerOfTen(DecimalExponent(low));
    double hi = PowerOfTen(DecimalExponent(high));
    if (hi < high) hi = PowerOfTen(DecimalExponent(high) + 1);
    if (!(hi > lo)) hi = lo * 10;
    return {lo, hi, true};
}

}  // namespace

std::string NoiseDensitySvg(const SignalAnalysis& s, const std::string& title,
                            const std::string& id, bool standalone) {
    const NoiseFigures& n = s.Noise;
    Svg svg = Frame(title + ": output noise density",
                    "total " + WithPrefix(n.OutRms, "V", 3) + " rms from " +
                        WithPrefix(n.LowHz, "Hz", 3) + " to " + WithPrefix(n.HighHz, "Hz", 3) +
                        "; the three largest sources");
    if (!(n.HighHz > n.LowHz) || !(n.OutRms > 0)) return SvgDocument(svg, standalone);

    // 1. The total and every source over the band.
    const std::vector<double> hz = LogFrequencies(n.LowHz, n.HighHz, kPoints);
    std::vector<NoisePowers> powers;
    for (double f : hz)
        powers.push_back(OutputNoise(s.Circuit, f));
    std::array<int, kNoiseSourceCount> order;
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return n.Share[a] > n.Share[b]; });

    // 2. Axes: decades around the total, three below its lowest point.
    double top = 0, bottom = INFINITY;
    for (const NoisePowers& p : powers) {
        const double total = std::accumulate(p.begin(), p.end(), 0.0);
        top = std::max(top, std::sqrt(total)), bottom = std::min(bottom, std::sqrt(total));
    }
    const Panel panel =
        PlotPanel(id + "-noise", {n.LowHz, n.HighHz, true}, Decades(bottom / 1000, top));
    DrawPanel(svg, panel, LogTicks(n.LowHz, n.HighHz, "Hz"),
              LogTicks(panel.Y.Min, panel.Y.Max, "V"), "Frequency", "Output noise (V/rtHz)");

    // 3. Curves, the total last so that it stays on top.
    std::vector<LegendEntry> legend;
    for (int rank = 0; rank < 3; ++rank) {
        const int k = order[static_cast<size_t>(rank)];
        if (!(n.Share[k] > 0)) break;
        Points points;
        for (size_t i = 0; i < hz.size(); ++i)
            points.emplace_back(hz[i], std::sqrt(powers[i][k]));
        DrawCurve(svg, panel, points, kStyles[rank + 1]);
        legend.push_back(
            {std::string(kNoiseSourceNames[k]) + " (" + Significant(100 * n.Share[k], 3) + " %)",
             kStyles[rank + 1]});
    }
    Points total;
    for (size_t i = 0; i < hz.size(); ++i)
        total.emplace_back(hz[i],
                           std::sqrt(std::accumulate(powers[i].begin(), powers[i].end(), 0.0)));
    DrawCurve(svg, panel, total, kStyles[0]);
    legend.insert(legend.begin(), {"total", kStyles[0]});
    DrawLegend(svg, panel.Left + 12,
               panel.Top + panel.Height - 16 - 19 * static_cast<double>(legend.size()), legend);
    return SvgDocument(svg, standalone);
}

std::string NodeGainSvg(const SignalAnalysis& s, const std::string& title, const std::string& id,
                        bool standalone) {
    const LevelFigures& l = s.Levels;
    const NodeId worst = l.Limiting;
    Svg svg = Frame(title + ": gain from the input to each node",
                    "largest clean input " + WithPrefix(l.LargestSine, "V", 3) + " peak, set by " +
                        LimitText(worst) + " (" + Significant(l.Peaks[worst].Value, 3) + " x at " +
                        WithPrefix(l.Peaks[worst].Hz, "Hz", 3) + ")");
    if (!(l.HighHz > l.LowHz)) return SvgDocument(svg, standalone);

    const std::vector<double> hz = LogFrequencies(l.LowHz, l.HighHz, kPoints);
    std::array<Points, kNodeCount> curves;
    double top = 0;
    for (double f : hz) {
        const std::array<double, kNodeCount> g = NodeGains(s.Circuit, f);
        for (int k = 0; k < kNodeCount; ++k)
            curves[k].emplace_back(f, g[k]);
    }
    for (const Peak& p : l.Peaks)
        top = std::max(top, p.Value);
    top = std::ceil(top * 1.1 / 0.5) * 0.5;
    const Panel panel = PlotPanel(id + "-levels", {l.LowHz, l.HighHz, true}, {0, top, false});
    DrawPanel(svg, panel, LogTicks(l.LowHz, l.HighHz, "Hz"),
              LinearTicks(0, top, NiceStep(top, 6), 1), "Frequency", "Gain |v / vin|");
    std::vector<LegendEntry> legend;
    for (int k = 0; k < kNodeCount; ++k) {
        DrawCurve(svg, panel, curves[k], kStyles[k + 1]);
        legend.push_back({std::string(kNodeNames[k]) + ": peak " + Significant(l.Peaks[k].Value, 3),
                          kStyles[k + 1]});
    }
    DrawLegend(svg, panel.Left + 12,
               panel.Top + panel.Height - 16 - 19 * static_cast<double>(legend.size()), legend);
    return SvgDocument(svg, standalone);
}

}  // namespace velmora
