#include "plot_axes.h"

#include <cmath>
#include <cstdio>

#include "model/portable_math.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

double Fraction(const Axis& axis, double v) {
    if (axis.Log) return Log10(v / axis.Min) / Log10(axis.Max / axis.Min);
    return (v - axis.Min) / (axis.Max - axis.Min);
}

constexpr const char* kFrame = R"(fill="none" stroke="#333333" stroke-width="1")";
constexpr const char* kMajorGrid = R"(stroke="#c8c8c8" stroke-width="1")";
constexpr const char* kMinorGrid = R"(stroke="#ececec" stroke-width="1")";
constexpr const char* kTickLabel = R"(fill="#333333" font-size="12")";

}  // namespace

double MapX(const Panel& p, double x) {
    return p.Left + Fraction(p.X, x) * p.Width;
}

double MapY(const Panel& p, double y) {
    return p.Top + (1 - Fraction(p.Y, y)) * p.Height;
}

double NiceStep(double span, int count) {
    const double raw = span / count;
    const double decade = PowerOfTen(DecimalExponent(raw));
    for (double m : {1.0, 2.0, 5.0})
        if (m * decade >= raw) return m * decade;
    return 10 * decade;
}

double DegreeStep(double span, int count) {
    for (double step : {15.0, 30.0, 45.0, 90.0})
        if (span / step <= count) return step;
    return 180;
}

std::vector<Tick> LogTicks(double low, double high, const char* unit) {
    std::vector<Tick> ticks;
    for (double decade = PowerOfTen(DecimalExponent(low)); decade <= high * 1.0001; decade *= 10) {
        for (int m = 1; m <= 9; ++m) {
            const double v = decade * m;
            if (v < low * 0.9999 || v > high * 1.0001) continue;
            ticks.push_back({v, m == 1 ? WithPrefix(v, unit) : ""});
        }
    }
    return ticks;
}

std::vector<Tick> LinearTicks(double low, double high, double step, int decimals) {
    std::vector<Tick> ticks;
    for (double v = std::ceil(low / step - 1e-9) * step; v <= high + step * 1e-9; v += step) {
        char text[40];
        std::snprintf(text, sizeof text, "%.*f", decimals, std::abs(v) < step * 1e-9 ? 0.0 : v);
        ticks.push_back({v, text});
    }
    return ticks;
}

void DrawPanel(Svg& svg, const Panel& p, const std::vector<Tick>& x, const std::vector<Tick>& y,
               std::string_view xTitle, std::string_view yTitle, bool xLabels) {
    const double bottom = p.Top + p.Height, right = p.Left + p.Width;
    // Minor lines first, so that the major ones are drawn over them.
    for (int pass = 0; pass < 2; ++pass) {
        for (const Tick& t : x) {
            if (t.Label.empty() != (pass == 0)) continue;
            const double px = MapX(p, t.Value);
            SvgLine(svg, px, p.Top, px, bottom, pass == 0 ? kMinorGrid : kMajorGrid);
            if (pass == 1 && xLabels)
                SvgText(svg, px, bottom + 16, t.Label,
                        std::string(kTickLabel) + R"( text-anchor="middle")");
        }
    }
    for (const Tick& t : y) {
        const double py = MapY(p, t.Value);
        SvgLine(svg, p.Left, py, right, py, kMajorGrid);
        SvgText(svg, p.Left - 6, py + 4, t.Label,
                std::string(kTickLabel) + R"( text-anchor="end")");
    }
    SvgRect(svg, p.Left, p.Top, p.Width, p.Height, kFrame);
    if (!xTitle.empty())
        SvgText(svg, p.Left + p.Width / 2, bottom + 36, xTitle,
                R"(text-anchor="middle" font-size="13" fill="#222222")");
    const std::string cx = Coord(p.Left - 52), cy = Coord(p.Top + p.Height / 2);
    SvgText(svg, p.Left - 52, p.Top + p.Height / 2, yTitle,
            R"(text-anchor="middle" font-size="13" fill="#222222" transform="rotate(-90 )" + cx +
                " " + cy + ")\"");
    SvgRaw(svg, "<clipPath id=\"" + p.Id + "-clip\"><rect x=\"" + Coord(p.Left) + "\" y=\"" +
                    Coord(p.Top) + "\" width=\"" + Coord(p.Width) + "\" height=\"" +
                    Coord(p.Height) + "\"/></clipPath>\n");
}

void DrawCurve(Svg& svg, const Panel& p, const Points& data, std::string_view attrs) {
    Points mapped;
    for (const auto& [x, y] : data)
        mapped.push_back({MapX(p, x), MapY(p, y)});
    SvgRaw(svg, "<g clip-path=\"url(#" + p.Id + "-clip)\">\n");
    SvgPolyline(svg, mapped, attrs);
    SvgRaw(svg, "</g>\n");
}

void DrawLegend(Svg& svg, double x, double y, const std::vector<LegendEntry>& entries) {
    if (entries.empty()) return;
    SvgRect(svg, x, y, kLegendWidth, 8 + 19 * static_cast<double>(entries.size()),
            R"(fill="#ffffff" fill-opacity="0.92" stroke="#bbbbbb")");
    for (size_t k = 0; k < entries.size(); ++k) {
        const double row = y + 15 + 19 * static_cast<double>(k);
        SvgLine(svg, x + 10, row, x + 44, row, entries[k].Style);
        SvgText(svg, x + 52, row + 4, entries[k].Label, "");
    }
}

}  // namespace velmora
