#include "raster.h"

#include <cstdlib>

void PlotPixel(Image& image, int x, int y, Rgba colour) {
    if (x < 0 || y < 0 || x >= image.Width || y >= image.Height) return;
    PixelAt(image, x, y) = colour;
}

void DrawLine(Image& image, int x0, int y0, int x1, int y1, Rgba colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        PlotPixel(image, x0, y0, colour);
        if (x0 == x1 && y0 == y1) return;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += sx;
        }
        if (twice <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void FillRect(Image& image, int x, int y, int width, int height, Rgba colour) {
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            PlotPixel(image, column, row, colour);
        }
    }
}

// The "+ radius" slack rounds the disc the way a hand-drawn dot looks: a 5 x 5
// block without its corners for radius 2 instead of a plus sign.
void FillDisc(Image& image, int cx, int cy, int radius, Rgba colour) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (dx * dx + dy * dy <= radius * radius + radius) {
                PlotPixel(image, cx + dx, cy + dy, colour);
            }
        }
    }
}

// Midpoint circle: one pixel thick, eight-way symmetric, no gaps.
void DrawCircle(Image& image, int cx, int cy, int radius, Rgba colour) {
    int x = radius;
    int y = 0;
    int error = 1 - radius;
    while (x >= y) {
        const int points[8][2] = {{x, y},   {y, x},   {-y, x}, {-x, y},
                                  {-x, -y}, {-y, -x}, {y, -x}, {x, -y}};
        for (const auto& p : points) {
            PlotPixel(image, cx + p[0], cy + p[1], colour);
        }
        ++y;
        if (error < 0) {
            error += 2 * y + 1;
        } else {
            --x;
            error += 2 * (y - x) + 1;
        }
    }
}
