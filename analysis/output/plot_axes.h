// Plot panels: a framed rectangle with linear or logarithmic axes, a grid,
// tick labels and axis titles, and curves clipped to it.
//
//   Panel p{"bode-mag", 80, 60, 780, 300, {10, 1e4, true}, {-80, 10, false}};
//   DrawPanel(svg, p, LogTicks(10, 1e4, "Hz"), LinearTicks(-80, 10, 10, " dB"),
//             "", "Gain (dB)");
//   DrawCurve(svg, p, xy, R"(stroke="#1f5fbf" stroke-width="2")");
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "svg_canvas.h"

namespace velmora {

struct Axis {
    double Min = 0;
    double Max = 1;
    bool Log = false;
};

struct Panel {
    std::string Id;  // unique in the page: names the clip path
    double Left = 0, Top = 0, Width = 0, Height = 0;
    Axis X, Y;
};

struct Tick {
    double Value = 0;
    std::string Label;  // empty: a minor grid line without a label
};

double MapX(const Panel& panel, double x);
double MapY(const Panel& panel, double y);

// A step of 1, 2 or 5 times a power of ten giving about `count` intervals.
// NiceStep(90, 6) -> 20
double NiceStep(double span, int count);

// Phase steps in degrees: 15, 30, 45, 90 or 180.
double DegreeStep(double span, int count);

// Decades labelled with SI prefixes ("10 Hz", "1 kHz"), 2..9 as minor lines.
std::vector<Tick> LogTicks(double low, double high, const char* unit);

// Multiples of step from low to high; labels with `decimals` decimals.
std::vector<Tick> LinearTicks(double low, double high, double step, int decimals);

// Frame, grid, tick labels (x labels only when xLabels), and axis titles.
void DrawPanel(Svg& svg, const Panel& panel, const std::vector<Tick>& x, const std::vector<Tick>& y,
               std::string_view xTitle, std::string_view yTitle, bool xLabels = true);

struct LegendEntry {
    std::string Label;
    std::string Style;  // the curve's attributes, drawn as a short sample
};

// A boxed legend with its top left corner at (x, y), one row per entry;
// LegendWidth is its width.
inline constexpr double kLegendWidth = 250;
void DrawLegend(Svg& svg, double x, double y, const std::vector<LegendEntry>& entries);

// A curve of (x, y) data clipped to the panel.
void DrawCurve(Svg& svg, const Panel& panel, const Points& data, std::string_view attrs);

}  // namespace velmora
