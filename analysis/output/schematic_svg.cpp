#include "schematic_svg.h"

#include <cmath>
#include <cstdio>

#include "number_text.h"
#include "svg_canvas.h"
#include "text/quantity_text.h"

namespace velmora {

namespace {

constexpr double kWidth = 900, kHeight = 410;
constexpr double kShift = -50;  // nothing is drawn in the top 50 units
constexpr double kMain = 200;   // the ladder
constexpr double kRail = 80;    // the wire from C1 and C3 to the output
constexpr double kOut = 810;    // x of the output node
constexpr double kOutY = 230;   // y of the op-amp output

constexpr const char* kWire = R"(stroke="#222222" stroke-width="2" fill="none")";
constexpr const char* kBody = R"(stroke="#222222" stroke-width="2" fill="#ffffff")";
constexpr const char* kName = R"(font-size="14" font-weight="bold" fill="#111111")";
constexpr const char* kValue = R"(font-size="13" fill="#1f5fbf")";

void Dot(Svg& svg, double x, double y) {
    SvgCircle(svg, x, y, 4, R"(fill="#222222")");
}

void Ground(Svg& svg, double x, double y) {
    SvgLine(svg, x - 14, y, x + 14, y, kWire);
    SvgLine(svg, x - 9, y + 6, x + 9, y + 6, kWire);
    SvgLine(svg, x - 4, y + 12, x + 4, y + 12, kWire);
}

// A resistor body centred on (x, y), horizontal or vertical, with its
// name and value on either side.
void Resistor(Svg& svg, double x, double y, bool vertical, const char* name,
              const std::string& value) {
    if (vertical) {
        SvgRect(svg, x - 8, y - 25, 16, 50, kBody);
        SvgText(svg, x + 16, y - 4, name, kName);
        SvgText(svg, x + 16, y + 14, value, kValue);
    } else {
        SvgRect(svg, x - 35, y - 8, 70, 16, kBody);
        SvgText(svg, x, y - 16, name, std::string(kName) + R"( text-anchor="middle")");
        SvgText(svg, x, y + 28, value, std::string(kValue) + R"( text-anchor="middle")");
    }
}

// A vertical capacitor between y1 (top) and y2 with its plates at the
// middle, labelled on its right or, where wiring runs there, its left.
void Capacitor(Svg& svg, double x, double y1, double y2, const char* name, const std::string& value,
               bool labelLeft) {
    const double mid = (y1 + y2) / 2;
    SvgLine(svg, x, y1, x, mid - 5, kWire);
    SvgLine(svg, x, mid + 5, x, y2, kWire);
    SvgLine(svg, x - 16, mid - 5, x + 16, mid - 5, R"(stroke="#222222" stroke-width="3")");
    SvgLine(svg, x - 16, mid + 5, x + 16, mid + 5, R"(stroke="#222222" stroke-width="3")");
    const double tx = labelLeft ? x - 24 : x + 24;
    const std::string anchor = labelLeft ? R"( text-anchor="end")" : "";
    SvgText(svg, tx, mid - 3, name, kName + anchor);
    SvgText(svg, tx, mid + 14, value, kValue + anchor);
}

struct Rung {
    double X;  // node on the ladder
    const char* Capacitor;
    bool ToOutput;  // to the rail (C1, C3) or to ground (C2, C4)
};

// Ladder nodes n1..n4, left to right, and the capacitor at each.
constexpr Rung kRungs[4] = {
    {190, "C1", true}, {330, "C2", false}, {470, "C3", true}, {610, "C4", false}};

// A result text as a label: the display writes an infinity as a thousand
// digits, which no drawing can hold.
std::string Label(const std::string& text) {
    if (text.size() <= 16) return text;
    const double v = ParseNumber(text);
    if (std::isinf(v)) return v > 0 ? "\u221e" : "\u2212\u221e";
    return Significant(v, 6);
}

}  // namespace

SchematicLabels LabelsFromTexts(const ResultTexts& texts, const std::string& rStarText) {
    const std::string ohm = " \u03a9";
    return {Label(texts[Result::OutR1]) + ohm,       Label(texts[Result::OutR2]) + ohm,
            Label(texts[Result::OutR3]) + ohm,       Label(texts[Result::OutR4]) + ohm,
            Label(texts[Result::OutC]) + " \u00b5F", Label(rStarText) + ohm,
            Label(texts[Result::OutRkr]) + ohm,      "K = " + Label(texts[Result::ProtoK])};
}

SchematicLabels LabelsOfBoard(const FilterParts& p, double rstar, double rkr, double potOhms) {
    const auto ohms = [](double v) { return FormatEngineering(v, 4) + " \u03a9"; };
    char k[32];
    std::snprintf(k, sizeof k, "K = %.4f", p.K);
    return {ohms(p.R1),
            ohms(p.R2),
            ohms(p.R3),
            ohms(p.R4),
            FormatEngineering(p.C1, 4) + "F",
            ohms(rstar),
            ohms(rkr) + (potOhms > 0 ? " + VR1 " + ohms(potOhms) : ""),
            k};
}

std::string LabelsLine(const SchematicLabels& l) {
    return "R1 " + l.R1 + ", R2 " + l.R2 + ", R3 " + l.R3 + ", R4 " + l.R4 + ", C " + l.C +
           ", R* " + l.RStar + ", RK-R " + l.RKR + ", " + l.K;
}

std::string SchematicSvg(const SchematicLabels& l, bool standalone) {
    Svg svg{kWidth, kHeight, ""};
    SvgRaw(svg, "<g transform=\"translate(0 " + Coord(kShift) + ")\">\n");

    // 1. The ladder: IN, R1..R4, n4 into the + input.
    SvgText(svg, 20, kMain + 5, "IN", std::string(kName) + R"( text-anchor="middle")");
    SvgCircle(svg, 40, kMain, 5, kBody);
    SvgLine(svg, 45, kMain, 660, kMain, kWire);
    const char* names[4] = {"R1", "R2", "R3", "R4"};
    const std::string* values[4] = {&l.R1, &l.R2, &l.R3, &l.R4};
    const double centres[4] = {115, 260, 400, 540};
    for (int k = 0; k < 4; ++k)
        Resistor(svg, centres[k], kMain, false, names[k], *values[k]);

    // 2. The capacitors: C1 and C3 up to the rail, C2 and C4 down to ground.
    for (const Rung& r : kRungs) {
        Dot(svg, r.X, kMain);
        if (r.ToOutput) {
            Capacitor(svg, r.X, kRail, kMain, r.Capacitor, l.C, false);
        } else {
            // The gain network's wiring runs just right of C4.
            Capacitor(svg, r.X, kMain, 300, r.Capacitor, l.C, true);
            Ground(svg, r.X, 300);
        }
    }
    SvgLine(svg, kRungs[0].X, kRail, kOut, kRail, kWire);
    Dot(svg, kRungs[2].X, kRail);

    // 3. The op-amp, its output and the OUT terminal.
    SvgRaw(svg,
           "<polygon points=\"660,170 660,290 760,230\" stroke=\"#222222\" stroke-width=\"2\" "
           "fill=\"#ffffff\"/>\n");
    SvgText(svg, 668, kMain + 6, "+", R"(font-size="18" fill="#111111")");
    SvgText(svg, 670, 265, "\u2212", R"(font-size="18" fill="#111111")");
    SvgText(svg, 700, 300, l.K, std::string(kValue) + R"( text-anchor="start")");
    SvgLine(svg, 760, kOutY, 860, kOutY, kWire);
    SvgLine(svg, kOut, kRail, kOut, 350, kWire);
    Dot(svg, kOut, kOutY);
    SvgCircle(svg, 865, kOutY, 5, kBody);
    SvgText(svg, 865, kOutY - 14, "OUT", std::string(kName) + R"( text-anchor="middle")");

    // 4. The gain network: RK-R from the output to the - input, R* to ground.
    SvgLine(svg, 660, 260, 640, 260, kWire);
    SvgLine(svg, 640, 260, 640, 350, kWire);
    SvgLine(svg, 640, 350, kOut, 350, kWire);
    Dot(svg, 640, 350);
    Resistor(svg, 725, 350, false, "RK-R", l.RKR);
    SvgLine(svg, 640, 350, 640, 440, kWire);
    Resistor(svg, 640, 395, true, "R*", l.RStar);
    Ground(svg, 640, 440);
    SvgRaw(svg, "</g>\n");
    return SvgDocument(svg, standalone);
}

}  // namespace velmora
