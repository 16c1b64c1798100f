// Writing SVG by hand: elements appended to a string.
//
// Styling is done with presentation attributes, never CSS, so a drawing
// looks the same standalone, in a browser, inline in an HTML page beside
// other drawings, and through rsvg-convert. Ids inside a drawing carry a
// caller's prefix so that several drawings can share one page.
//
//   Svg svg{400, 200};
//   SvgLine(svg, 10, 10, 390, 10, R"(stroke="#444")");
//   SvgText(svg, 200, 30, "R1 < 2 kOhm", R"(text-anchor="middle")");   // escaped
//   std::string file = SvgDocument(svg, true);   // with the XML declaration
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

struct Svg {
    double Width = 0;
    double Height = 0;
    std::string Body;
};

using Points = std::vector<std::pair<double, double>>;

// &, <, >, " and ' as entities.
std::string EscapeXml(std::string_view text);

// A coordinate with two decimals at most, trailing zeros dropped: "12.5".
std::string Coord(double v);

void SvgLine(Svg& svg, double x1, double y1, double x2, double y2, std::string_view attrs);
void SvgRect(Svg& svg, double x, double y, double w, double h, std::string_view attrs);
void SvgCircle(Svg& svg, double cx, double cy, double r, std::string_view attrs);
void SvgText(Svg& svg, double x, double y, std::string_view text, std::string_view attrs);

// A polyline through the points; a non-finite point breaks it in two.
void SvgPolyline(Svg& svg, const Points& points, std::string_view attrs);

// Raw markup (already well-formed), such as a <g> opening with a clip path.
void SvgRaw(Svg& svg, std::string_view markup);

// The drawing as an <svg> element in a sans-serif font; `standalone` adds
// the XML declaration a .svg file starts with.
std::string SvgDocument(const Svg& svg, bool standalone);

}  // namespace velmora
