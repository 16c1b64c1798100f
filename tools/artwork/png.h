// PNG files, written whole: signature, IHDR, PLTE and tRNS for indexed
// images, one IDAT (zlib, maximum compression, filter 0 on every row), IEND.
// The same input gives the same bytes.
#pragma once

#include <vector>

#include "image.h"

// Colour type 6, 8 bits per channel, straight alpha.
//   EncodePngRgba(MakeImage(256, 256, kClear)) starts 89 50 4E 47 0D 0A 1A 0A
Bytes EncodePngRgba(const Image& image);

// Colour type 3 at bit depth 4 or 8. `indices` holds one entry per pixel,
// rows top first; PLTE lists the whole palette and tRNS the alpha of the
// entries up to the last one that is not opaque (absent when all are).
//   EncodePngIndexed(256, 256, 4, indices, IconArtPalette(16))
Bytes EncodePngIndexed(int width, int height, int bit_depth, const std::vector<uint8_t>& indices,
                       const std::vector<Rgba>& palette);

// Packs palette indices into rows of `bits` (4 or 8) per pixel, high nibble
// first, each row padded with zero bytes to `row_bytes`.
//   PackIndexRow({1, 2, 3}, 4, 4) -> 12 30 00 00
Bytes PackIndexRow(const uint8_t* indices, int count, int bits, int row_bytes);
