// One-pixel, unsmoothed drawing for line art. Everything is clipped to the
// image, so a shape may run over the edge. All coordinates are pixels with
// (0, 0) at the top-left corner.
#pragma once

#include "image.h"

void PlotPixel(Image& image, int x, int y, Rgba colour);

// Bresenham line including both ends; axis-parallel lines are exact.
//   DrawLine(image, 10, 5, 10, 20, kWhite)  // 16 pixels, x = 10
void DrawLine(Image& image, int x0, int y0, int x1, int y1, Rgba colour);

// Filled axis-aligned rectangle, top-left corner and size.
void FillRect(Image& image, int x, int y, int width, int height, Rgba colour);

// Filled disc, and a one-pixel circle outline, about (cx, cy).
//   FillDisc(image, 50, 50, 2, kWhite)  // a 5 x 5 junction dot with clipped corners
void FillDisc(Image& image, int cx, int cy, int radius, Rgba colour);
void DrawCircle(Image& image, int cx, int cy, int radius, Rgba colour);
