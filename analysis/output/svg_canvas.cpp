#include "svg_canvas.h"

#include <cmath>
#include <cstdio>

namespace velmora {

std::string EscapeXml(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Coord(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.2f", std::abs(v) < 0.005 ? 0.0 : v);
    std::string s = text;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

void SvgLine(Svg& svg, double x1, double y1, double x2, double y2, std::string_view attrs) {
    svg.Body += "<line x1=\"" + Coord(x1) + "\" y1=\"" + Coord(y1) + "\" x2=\"" + Coord(x2) +
                "\" y2=\"" + Coord(y2) + "\" " + std::string(attrs) + "/>\n";
}

void SvgRect(Svg& svg, double x, double y, double w, double h, std::string_view attrs) {
    svg.Body += "<rect x=\"" + Coord(x) + "\" y=\"" + Coord(y) + "\" width=\"" + Coord(w) +
                "\" height=\"" + Coord(h) + "\" " + std::string(attrs) + "/>\n";
}

void SvgCircle(Svg& svg, double cx, double cy, double r, std::string_view attrs) {
    svg.Body += "<circle cx=\"" + Coord(cx) + "\" cy=\"" + Coord(cy) + "\" r=\"" + Coord(r) +
                "\" " + std::string(attrs) + "/>\n";
}

void SvgText(Svg& svg, double x, double y, std::string_view text, std::string_view attrs) {
    svg.Body += "<text x=\"" + Coord(x) + "\" y=\"" + Coord(y) + "\" " + std::string(attrs) + ">" +
                EscapeXml(text) + "</text>\n";
}

void SvgPolyline(Svg& svg, const Points& points, std::string_view attrs) {
    std::string run;
    size_t count = 0;
    const auto flush = [&] {
        if (count > 1)
            svg.Body +=
                "<polyline fill=\"none\" points=\"" + run + "\" " + std::string(attrs) + "/>\n";
        run.clear();
        count = 0;
    };
    for (const auto& [x, y] : points) {
        if (!std::isfinite(x) || !std::isfinite(y)) {
            flush();
            continue;
        }
        run += (count ? " " : "") + Coord(x) + "," + Coord(y);
        ++count;
    }
    flush();
}

void SvgRaw(Svg& svg, std::string_view markup) {
    svg.Body += markup;
}

std::string SvgDocument(const Svg& svg, bool standalone) {
    const std::string w = Coord(svg.Width), h = Coord(svg.Height);
    return std::string(standalone ? "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" : "") +
           "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
           "\" viewBox=\"0 0 " + w + " " + h +
           "\" font-family=\"DejaVu Sans, Arial, Helvetica, sans-serif\" font-size=\"13\">\n"
           "<rect x=\"0\" y=\"0\" width=\"" +
           w + "\" height=\"" + h + "\" fill=\"#ffffff\"/>\n" + svg.Body + "</svg>\n";
}

}  // namespace velmora
