#include "icon_art.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

constexpr Rgba kTileEdge{78, 120, 190, 255};
constexpr Rgba kTile{18, 42, 92, 255};
constexpr Rgba kGrid{38, 70, 132, 255};
constexpr Rgba kAxis{176, 192, 216, 255};
constexpr Rgba kCurve{255, 190, 20, 255};

// Pixel widths per size: whole pixels for everything on pixel edges.
struct IconStyle {
    int Size;
    double Rim;     // lighter tile edge
    double Corner;  // tile corner radius
    double Axis;
    double Curve;
    double Grid;  // 0: no grid lines
};

constexpr IconStyle kStyles[] = {
    {16, 1, 3, 1, 2, 0},
    {32, 1, 5, 2, 4, 0},
    {48, 2, 7, 2, 6, 1},
    {256, 6, 36, 8, 20, 3},
};

struct UnitPoint {
    double X;
    double Y;
};

// A fourth-order Butterworth magnitude on log-log axes: 0 dB at y = 5,
// the knee near x = 9, then -80 dB per decade.
constexpr UnitPoint kCurvePoints[] = {
    {3.5, 5.0},  {7.17, 5.0},  {8.23, 5.04}, {8.75, 5.14},  {9.28, 5.39},
    {9.8, 5.87}, {10.32, 6.5}, {10.85, 7.2}, {14.0, 11.55},
};

// Pairs of colours whose smoothed edges need blends in an indexed palette,
// and how many even steps each gets when the palette has only 16 entries
// (ten blends fit beside the transparent entry and the five colours). The
// curve's sloping edges over the tile show most; where it starts on the
// axis and crosses the grid, halfway is enough.
struct ColourMeeting {
    Rgba From;
    Rgba To;
    int StepsIn16;
};

constexpr ColourMeeting kMeetings[] = {
    {kCurve, kTile, 4}, {kTileEdge, kTile, 3}, {kAxis, kTile, 3},
    {kCurve, kAxis, 2}, {kCurve, kGrid, 2},    {kGrid, kTile, 2},
};

// The plot area in units. The axes start at their left or top edge and grow
// right and down by their pixel width, as do the grid lines, so they stay
// sharp at every size.
constexpr double kAxisLeft = 2;
constexpr double kAxisBottom = 13;
constexpr double kPlotTop = 2.5;
constexpr double kPlotRight = 14.5;
constexpr double kGridColumns[] = {6, 9, 12};
constexpr double kGridRows[] = {7, 10};

struct Canvas {
    int Size;
    std::vector<double> R, G, B, A;  // premultiplied, 0..1
};

// Paints `colour` over every pixel in proportion to the share of its 4 x 4
// sample points that `inside` accepts. Samples sit at sub-pixel centres, so
// a shape edge on a pixel edge covers whole pixels exactly.
template <typename Inside>
void Paint(Canvas& canvas, Rgba colour, Inside inside) {
    constexpr int kSamples = 4;
    for (int y = 0; y < canvas.Size; ++y) {
        for (int x = 0; x < canvas.Size; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x + (sx + 0.5) / kSamples;
                    const double py = y + (sy + 0.5) / kSamples;
                    if (inside(px, py)) ++hits;
                }
            }
            if (hits == 0) continue;
            const double cover = hits / double(kSamples * kSamples);
            const std::size_t i = static_cast<std::size_t>(y) * canvas.Size + x;
            canvas.R[i] = colour.R / 255.0 * cover + canvas.R[i] * (1 - cover);
            canvas.G[i] = colour.G / 255.0 * cover + canvas.G[i] * (1 - cover);
            canvas.B[i] = colour.B / 255.0 * cover + canvas.B[i] * (1 - cover);
            canvas.A[i] = cover + canvas.A[i] * (1 - cover);
        }
    }
}

bool InRoundedSquare(double x, double y, double lo, double hi, double radius) {
    const double cx = std::clamp(x, lo + radius, hi - radius);
    const double cy = std::clamp(y, lo + radius, hi - radius);
    const double dx = x - cx;
    const double dy = y - cy;
    return x >= lo && x <= hi && y >= lo && y <= hi && dx * dx + dy * dy <= radius * radius;
}

double SegmentDistanceSquared(double x, double y, UnitPoint a, UnitPoint b) {
    const double vx = b.X - a.X;
    const double vy = b.Y - a.Y;
    const double t = std::clamp(((x - a.X) * vx + (y - a.Y) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    const double dx = x - (a.X + t * vx);
    const double dy = y - (a.Y + t * vy);
    return dx * dx + dy * dy;
}

uint8_t ToByte(double unit) {
    return static_cast<uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0));
}

Rgba Blend(Rgba a, Rgba b, int step, int steps) {
    auto mix = [&](uint8_t p, uint8_t q) {
        return static_cast<uint8_t>((p * (steps - step) + q * step + steps / 2) / steps);
    };
    return {mix(a.R, b.R), mix(a.G, b.G), mix(a.B, b.B), 255};
}

}  // namespace

Image DrawIconArt(int size) {
    const auto style = std::find_if(std::begin(kStyles), std::end(kStyles),
                                    [&](const IconStyle& s) { return s.Size == size; });
    if (style == std::end(kStyles)) return {};
    const double unit = size / 16.0;
    const double full = size;

    const std::size_t count = static_cast<std::size_t>(size) * size;
    Canvas canvas{size, std::vector<double>(count), std::vector<double>(count),
                  std::vector<double>(count), std::vector<double>(count)};

    Paint(canvas, kTileEdge,
          [&](double x, double y) { return InRoundedSquare(x, y, 0, full, style->Corner); });
    Paint(canvas, kTile, [&](double x, double y) {
        return InRoundedSquare(x, y, style->Rim, full - style->Rim, style->Corner - style->Rim);
    });
    if (style->Grid > 0) {
        Paint(canvas, kGrid, [&](double x, double y) {
            const bool in_plot = x > kAxisLeft * unit && x < kPlotRight * unit &&
                                 y > kPlotTop * unit && y < kAxisBottom * unit;
            if (!in_plot) return false;
            for (double column : kGridColumns) {
                if (x >= column * unit && x <= column * unit + style->Grid) return true;
            }
            for (double row : kGridRows) {
                if (y >= row * unit && y <= row * unit + style->Grid) return true;
            }
            return false;
        });
    }
    Paint(canvas, kAxis, [&](double x, double y) {
        const double left = kAxisLeft * unit;
        const double bottom = kAxisBottom * unit;
        const bool vertical = x >= left && x <= left + style->Axis && y >= kPlotTop * unit &&
                              y <= bottom + style->Axis;
        const bool horizontal =
            y >= bottom && y <= bottom + style->Axis && x >= left && x <= kPlotRight * unit;
        return vertical || horizontal;
    });
    const double reach = style->Curve / 2;
    Paint(canvas, kCurve, [&](double x, double y) {
        const std::span<const UnitPoint> points = kCurvePoints;
        for (std::size_t i = 1; i < points.size(); ++i) {
            const UnitPoint a{points[i - 1].X * unit, points[i - 1].Y * unit};
            const UnitPoint b{points[i].X * unit, points[i].Y * unit};
            if (SegmentDistanceSquared(x, y, a, b) <= reach * reach) return true;
        }
        return false;
    });

    Image image = MakeImage(size, size, kClear);
    for (std::size_t i = 0; i < count; ++i) {
        const double alpha = canvas.A[i];
        if (alpha <= 0) continue;
        image.Pixels[i] = {ToByte(canvas.R[i] / alpha), ToByte(canvas.G[i] / alpha),
                           ToByte(canvas.B[i] / alpha), ToByte(alpha)};
    }
    return image;
}

std::vector<Rgba> IconArtPalette(int entries) {
    const Rgba colours[] = {kTileEdge, kTile, kGrid, kAxis, kCurve};
    std::vector<Rgba> palette{kClear};
    for (Rgba colour : colours) {
        palette.push_back(colour);
    }
    for (const ColourMeeting& meeting : kMeetings) {
        const int steps = entries >= 256 ? 16 : meeting.StepsIn16;
        for (int step = 1; step < steps; ++step) {
            if (static_cast<int>(palette.size()) < entries) {
                palette.push_back(Blend(meeting.From, meeting.To, step, steps));
            }
        }
    }
    palette.resize(static_cast<std::size_t>(entries), kBlack);
    return palette;
}
