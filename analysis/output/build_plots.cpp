#include "build_plots.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/portable_math.h"
#include "plot_axes.h"
#include "svg_canvas.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

constexpr double kWidth = 900, kHeight = 480, kLeft = 84, kRight = 28, kTop = 76, kBottom = 60;
constexpr const char* kTitleStyle = R"(font-size="17" font-weight="bold" fill="#111111")";
constexpr const char* kSubtitleStyle = R"(font-size="13" fill="#444444")";
constexpr const char* kCurveStyles[] = {
    R"(stroke="#8a8a8a" stroke-width="2" stroke-dasharray="7 5")",  // target
    R"(stroke="#1f5fbf" stroke-width="2")",
    R"(stroke="#c0392b" stroke-width="2")",
    R"(stroke="#2e8b57" stroke-width="2")",
};
constexpr const char* kBarStyle = R"(fill="#1f5fbf" fill-opacity="0.8" stroke="#ffffff")";
constexpr const char* kBeforeStyle = R"(fill="#8a8a8a" fill-opacity="0.45" stroke="#ffffff")";
constexpr const char* kMaskStyle = R"(fill="#2e8b57" fill-opacity="0.12")";
constexpr int kBins = 40;

Panel PlotPanel(const std::string& id, Axis x, Axis y) {
    return {id, kLeft, kTop, kWidth - kLeft - kRight, kHeight - kTop - kBottom, x, y};
}

std::string Subtitle(const Histogram& h, bool withBefore) {
    char text[160];
    std::snprintf(text, sizeof text, "%zu builds; dashed line: target", h.Samples.size());
    std::string s = text;
    if (h.MaskLow != h.MaskHigh) s += "; shaded: the mask";
    if (withBefore) s += "; blue: after the trim, grey: before";
    return s;
}

}  // namespace

std::string HistogramSvg(const Histogram& h, bool standalone, const std::vector<double>& before) {
    Svg svg{kWidth, kHeight, ""};
    SvgText(svg, kLeft, 30, h.Title, kTitleStyle);
    SvgText(svg, kLeft, 52, Subtitle(h, !before.empty()), kSubtitleStyle);
    if (h.Samples.empty()) return SvgDocument(svg, standalone);

    // 1. Bins over the samples, widened to hold the target and the mask.
    const auto [lowIt, highIt] = std::minmax_element(h.Samples.begin(), h.Samples.end());
    double lo = *lowIt, hi = *highIt;
    for (double v : before)
        lo = std::min(lo, v), hi = std::max(hi, v);
    if (std::isfinite(h.Target)) lo = std::min(lo, h.Target), hi = std::max(hi, h.Target);
    if (h.MaskLow != h.MaskHigh) lo = std::min(lo, h.MaskLow), hi = std::max(hi, h.MaskHigh);
    if (!(hi > lo)) hi = lo + std::fabs(lo) * 1e-3 + 1e-12;
    const double pad = (hi - lo) * 0.04;
    lo -= pad;
    hi += pad;
    const auto binned = [&](const std::vector<double>& samples) {
        std::vector<int> counts(kBins, 0);
        for (double v : samples) {
            const int bin =
                std::clamp(static_cast<int>((v - lo) / (hi - lo) * kBins), 0, kBins - 1);
            ++counts[static_cast<size_t>(bin)];
        }
        return counts;
    };
    const std::vector<int> counts = binned(h.Samples), earlier = binned(before);
    const double top = std::max(*std::max_element(counts.begin(), counts.end()),
                                *std::max_element(earlier.begin(), earlier.end())) *
                       1.1;

    // 2. Panel, mask band, bars, target line.
    const Panel p = PlotPanel("histogram", {lo, hi, false}, {0, top, false});
    const double xStep = NiceStep(hi - lo, 8);
    const int decimals = std::max(0, -DecimalExponent(xStep));
    const std::string xTitle = h.Unit.empty() ? h.Title : h.Title + " (" + h.Unit + ")";
    DrawPanel(svg, p, LinearTicks(lo, hi, xStep, decimals),
              LinearTicks(0, top, NiceStep(top, 5), 0), xTitle, "Builds");
    if (h.MaskLow != h.MaskHigh)
        SvgRect(svg, MapX(p, h.MaskLow), p.Top, MapX(p, h.MaskHigh) - MapX(p, h.MaskLow), p.Height,
                kMaskStyle);
    const double width = (hi - lo) / kBins;
    const auto bars = [&](const std::vector<int>& bins, const char* style) {
        for (int k = 0; k < kBins; ++k) {
            const int n = bins[static_cast<size_t>(k)];
            if (n == 0) continue;
            const double x0 = MapX(p, lo + k * width), x1 = MapX(p, lo + (k + 1) * width);
            SvgRect(svg, x0, MapY(p, n), x1 - x0, MapY(p, 0) - MapY(p, n), style);
        }
    };
    bars(earlier, kBeforeStyle);
    bars(counts, kBarStyle);
    if (std::isfinite(h.Target))
        SvgLine(svg, MapX(p, h.Target), p.Top, MapX(p, h.Target), p.Top + p.Height,
                kCurveStyles[0]);
    return SvgDocument(svg, standalone);
}

std::string ResponseSvg(const std::string& title, const std::string& subtitle,
                        const std::vector<ResponseCurve>& curves, double fLow, double fHigh) {
    Svg svg{kWidth, kHeight, ""};
    SvgText(svg, kLeft, 30, title, kTitleStyle);
    SvgText(svg, kLeft, 52, subtitle, kSubtitleStyle);

    // 1. Gain axis in 10 dB steps, at most 80 dB below the top.
    double gHi = -INFINITY, gLo = INFINITY;
    for (const ResponseCurve& c : curves)
        for (double g : c.GainDb)
            if (std::isfinite(g)) gHi = std::max(gHi, g), gLo = std::min(gLo, g);
    if (!std::isfinite(gHi)) gHi = 0, gLo = -60;
    const double top = std::ceil((gHi + 3) / 10) * 10;
    const double bottom = std::max(top - 80, std::floor(gLo / 10) * 10);
    const Panel p = PlotPanel("response", {fLow, fHigh, true}, {bottom, top, false});
    DrawPanel(svg, p, LogTicks(fLow, fHigh, "Hz"),
              LinearTicks(bottom, top, NiceStep(top - bottom, 8), 0), "Frequency", "Gain (dB)");

    // 2. Curves and the legend, bottom left where a low-pass leaves room.
    const size_t n = std::min<size_t>(curves.size(), 4);
    const double x = p.Left + 12, y = p.Top + p.Height - 12 - 19 * static_cast<double>(n);
    SvgRect(svg, x, y - 8, 300, 19 * static_cast<double>(n) + 8,
            R"(fill="#ffffff" fill-opacity="0.92" stroke="#bbbbbb")");
    for (size_t k = 0; k < n; ++k) {
        Points points;
        for (size_t i = 0; i < curves[k].Hz.size(); ++i)
            points.emplace_back(curves[k].Hz[i], curves[k].GainDb[i]);
        DrawCurve(svg, p, points, kCurveStyles[k]);
        const double row = y + 19 * static_cast<double>(k) + 7;
        SvgLine(svg, x + 10, row, x + 44, row, kCurveStyles[k]);
        SvgText(svg, x + 52, row + 4, curves[k].Name, "");
    }
    return SvgDocument(svg, true);
}

}  // namespace velmora
