// Windows device-independent bitmap files, 24 bits per pixel.
#pragma once

#include "image.h"

// Resolution written into the header, both ways: 4,724 pixels per metre is
// 120 DPI. Only informative; the window shows the bitmap pixel for pixel.
inline constexpr int kPixelsPerMetre = 4724;

// A .bmp file: 14-byte file header, 40-byte BITMAPINFOHEADER (bottom-up, one
// plane, 24 bits, BI_RGB, no colour table), then the rows, bottom row first,
// each B, G, R per pixel and padded to a multiple of four bytes. Alpha is
// dropped.
//   EncodeBmp24(MakeImage(380, 250, kBlack)).size() -> 54 + 250 * 1140
Bytes EncodeBmp24(const Image& image);

// Bytes in one stored row: 3 per pixel rounded up to a multiple of four.
//   BmpRowBytes(380) -> 1140     BmpRowBytes(1) -> 4
int BmpRowBytes(int width);
