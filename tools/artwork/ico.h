// Windows .ico files: a directory of images, each either a device-
// independent bitmap (colour rows plus a one-bit transparency mask) or,
// from Vista on, a whole PNG file.
#pragma once

#include <vector>

#include "image.h"

struct IconEntry {
    int Size = 0;  // width and height in pixels
    int Bits = 0;  // 4, 8 or 32: what the directory announces
    Bytes Data;    // a DIB from EncodeIconDib, or a PNG file
};

// One icon image in DIB form: a BITMAPINFOHEADER with the height doubled
// (colour rows and mask stacked), the palette for 4 and 8 bits (every
// entry, reserved bytes zero), the colour rows bottom-up, then the AND mask
// (bit set = transparent), every row padded to four bytes.
// At 4 and 8 bits `indices` gives the pixels and `art` only the
// transparency; at 32 bits the pixels are `art`'s BGRA and a pixel is
// masked when its alpha is 0.
//   EncodeIconDib(DrawIconArt(16), 4, indices, IconArtPalette(16)).size()
//       -> 40 + 16 * 4 + 16 * 8 + 16 * 4
Bytes EncodeIconDib(const Image& art, int bits, const std::vector<uint8_t>& indices,
                    const std::vector<Rgba>& palette);

// The .ico file: ICONDIR (reserved 0, type 1, count), one 16-byte entry per
// image in the given order (size 256 written as 0; colour count 16 for 4
// bits, else 0; planes 1), then the images back to back.
Bytes EncodeIcoFile(const std::vector<IconEntry>& entries);
