#include "build_plots.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/portable_math.h"
#include "panel_look.h"
#include "plot_axes.h"
#include "svg_canvas.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

using namespace panel;
constexpr const char* kCurveStyles[] = {
    R"(stroke="#8a8a8a" stroke-width="2" stroke-dasharray="7 5")",  // target
    R"(stroke="#1f5fbf" stroke-width="2")",
    R"(stroke="#c0392b" stroke-width="2")",
    R"(stroke="#2e8b57" stroke-width="2")",
};
constexpr const char* kBarStyle = R"(fill="#1f5fbf" fill-opacity="0.8" stroke="#ffffff")";
constexpr const char* kBeforeStyle = R"(fill="#8a8a8a" fill-opacity="0.45" stroke="#ffffff")";
constexpr const char* kEndStyle =
    R"(fill="#1f5fbf" fill-opacity="0.35" stroke="#1f5fbf" stroke-dasharray="4 3")";
constexpr const char* kBeforeEndStyle =
    R"(fill="#8a8a8a" fill-opacity="0.3" stroke="#8a8a8a" stroke-dasharray="4 3")";
constexpr const char* kEndLabelStyle = R"(font-size="11" fill="#444444")";
constexpr const char* kMaskStyle = R"(fill="#2e8b57" fill-opacity="0.14")";
constexpr const char* kMaskEdgeStyle = R"(stroke="#2e8b57" stroke-width="1.5")";
constexpr int kBins = 40;

Panel PlotPanel(const std::string& id, Axis x, Axis y) {
    return {id, kLeft, kTop, kWidth - kLeft - kRight, kHeight - kTop - kBottom, x, y};
}

// Histograms carry up to four caption lines above the panel.
constexpr double kHistogramTop = 100;
// A positive figure whose builds span more than this ratio is binned on a
// logarithmic axis, where a long tail leaves the bulk its own bars.
constexpr double kLogRatio = 10;

std::string Counted(double n) {
    return std::to_string(std::llround(n));
}

// "9531 of 10000 builds (469 unstable or degenerate, left out)".
std::string Drawn(const BuildFigures& b) {
    const std::string n = std::to_string(b.Values->Count());
    if (b.LeftOut <= 0) return n + " builds";
    return n + " of " + std::to_string(b.Values->Count() + static_cast<size_t>(b.LeftOut)) +
           " builds (" + std::to_string(b.LeftOut) + " unstable or degenerate, left out)";
}

std::vector<std::string> Captions(const Histogram& h, bool widened, bool logAxis) {
    std::vector<std::string> lines;
    if (h.Before.Values) {
        lines.push_back("Blue: after the trim, " + Drawn(h.Builds));
        lines.push_back("Grey: before the trim, " + Drawn(h.Before));
    } else {
        lines.push_back(Drawn(h.Builds));
    }
    lines.push_back(std::string(logAxis ? "Logarithmic axis" : "Axis") +
                    ": 0.5 to 99.5 % of the builds" +
                    (widened ? ", widened to the target and the mask" : "") +
                    "; end bars: the builds beyond it");
    std::string legend;
    if (std::isfinite(h.Target)) legend = "Dashed line: the target";
    if (h.MaskLow != h.MaskHigh)
        legend += (legend.empty() ? "" : "; ") + std::string("green band: the mask");
    if (!legend.empty()) lines.push_back(legend);
    return lines;
}

}  // namespace

std::string HistogramSvg(const Histogram& h, bool standalone) {
    Svg svg{kWidth, kHeight, ""};
    SvgText(svg, kLeft, 24, h.Title, kTitleStyle);
    const bool withBefore = h.Before.Values && h.Before.Values->Count() > 0;
    if (!h.Builds.Values || h.Builds.Values->Count() == 0) {
        SvgText(svg, kLeft, 44, h.Builds.Values ? Drawn(h.Builds) : "no builds", kSubtitleStyle);
        return SvgDocument(svg, standalone);
    }

    // 1. The axis: the 0.5 to 99.5 % points of what is shown, widened to
    //    hold the target and the mask band; logarithmic for a long tail.
    const Spread a = h.Builds.Values->Summary();
    double lo = a.Low, hi = a.High;
    if (withBefore) {
        const Spread b = h.Before.Values->Summary();
        lo = std::min(lo, b.Low), hi = std::max(hi, b.High);
    }
    const double dataLo = lo, dataHi = hi;
    if (std::isfinite(h.Target)) lo = std::min(lo, h.Target), hi = std::max(hi, h.Target);
    if (h.MaskLow != h.MaskHigh) lo = std::min(lo, h.MaskLow), hi = std::max(hi, h.MaskHigh);
    const bool widened = lo < dataLo || hi > dataHi;
    if (!(hi > lo)) {
        const double d = std::fabs(lo) * 1e-3 + 1e-12;
        lo -= d, hi += d;
    }
    const bool logAxis = lo > 0 && hi / lo > kLogRatio;
    // Edge k of the bins; -2 and kBins + 2 are the panel's ends, room for
    // the end bars.
    const auto edge = [&](double k) {
        return logAxis ? lo * Pow(hi / lo, k / kBins) : lo + (hi - lo) * k / kBins;
    };
    const BinCounts counts = h.Builds.Values->Counts(lo, hi, kBins, logAxis);
    const BinCounts earlier =
        withBefore ? h.Before.Values->Counts(lo, hi, kBins, logAxis) : BinCounts{};
    double most = std::max({counts.Below, counts.Above, earlier.Below, earlier.Above});
    for (double n : counts.Bins)
        most = std::max(most, n);
    for (double n : earlier.Bins)
        most = std::max(most, n);
    const double top = std::max(most, 1.0) * 1.15;

    // 2. Captions and panel.
    const std::vector<std::string> lines = Captions(h, widened, logAxis);
    for (size_t k = 0; k < lines.size(); ++k)
        SvgText(svg, kLeft, 44 + 15 * static_cast<double>(k), lines[k], kSubtitleStyle);
    const Panel p{"histogram",
                  kLeft,
                  kHistogramTop,
                  kWidth - kLeft - kRight,
                  kHeight - kHistogramTop - kBottom,
                  {edge(-2), edge(kBins + 2), logAxis},
                  {0, top, false}};
    const double xStep = NiceStep(hi - lo, 8);
    const int decimals = std::max(0, -DecimalExponent(xStep));
    const std::string xTitle = h.Unit.empty() ? h.Title : h.Title + " (" + h.Unit + ")";
    DrawPanel(svg, p,
              logAxis ? LogTicks(lo, hi, h.Unit.c_str()) : LinearTicks(lo, hi, xStep, decimals),
              LinearTicks(0, top, NiceStep(top, 5), 0), xTitle, "Builds");

    // 3. Mask band behind the bars, bars, end bars with their counts, then
    //    the mask's edges and the target in front so that a narrow band shows.
    const bool masked = h.MaskLow != h.MaskHigh;
    if (masked)
        SvgRect(svg, MapX(p, h.MaskLow), p.Top, MapX(p, h.MaskHigh) - MapX(p, h.MaskLow), p.Height,
                kMaskStyle);
    const auto bar = [&](double k0, double k1, double n, const char* style) {
        if (n <= 0) return;
        const double x0 = MapX(p, edge(k0)), x1 = MapX(p, edge(k1));
        SvgRect(svg, x0, MapY(p, n), x1 - x0, MapY(p, 0) - MapY(p, n), style);
    };
    const auto bars = [&](const BinCounts& c, const char* style, const char* endStyle) {
        for (int k = 0; k < kBins; ++k)
            bar(k, k + 1, c.Bins[static_cast<size_t>(k)], style);
        bar(-2, -0.5, c.Below, endStyle);
        bar(kBins + 0.5, kBins + 2, c.Above, endStyle);
    };
    if (withBefore) bars(earlier, kBeforeStyle, kBeforeEndStyle);
    bars(counts, kBarStyle, kEndStyle);
    // An end bar's count above it and above the bar next to it.
    const auto endLabel = [&](size_t next, bool low) {
        const double n = low ? counts.Below : counts.Above;
        const double m = low ? earlier.Below : earlier.Above;
        double y = std::max({n, m, counts.Bins[next]});
        if (withBefore) y = std::max(y, earlier.Bins[next]);
        const std::string text = Counted(n) + (low ? " below" : " above") +
                                 (withBefore ? " (before: " + Counted(m) + ")" : "");
        SvgText(svg, low ? p.Left + 2 : p.Left + p.Width - 2, MapY(p, y) - 6, text,
                std::string(kEndLabelStyle) + (low ? "" : R"( text-anchor="end")"));
    };
    endLabel(0, true);
    endLabel(kBins - 1, false);
    if (masked)
        for (double edgeValue : {h.MaskLow, h.MaskHigh})
            SvgLine(svg, MapX(p, edgeValue), p.Top, MapX(p, edgeValue), p.Top + p.Height,
                    kMaskEdgeStyle);
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
