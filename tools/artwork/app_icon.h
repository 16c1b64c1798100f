// APPICON: the program's only icon group, the low-pass picture of
// icon_art.h at 16, 32, 48 and 256 pixels, each in 16 colours, 256 colours
// and 32-bit colour with alpha. The 256-pixel images are PNG-compressed,
// the rest plain DIBs, so the file stays small and pre-Vista readers still
// find their sizes.
#pragma once

#include "image.h"

struct IconFormat {
    int Size;
    int Bits;
};

// The twelve images in file order: by size, and within a size by depth.
inline constexpr IconFormat kAppIconFormats[] = {
    {16, 4}, {16, 8}, {16, 32}, {32, 4},  {32, 8},  {32, 32},
    {48, 4}, {48, 8}, {48, 32}, {256, 4}, {256, 8}, {256, 32},
};

// Images of this size or larger are stored as PNG.
inline constexpr int kPngIconSize = 256;

// The complete .ico file.
Bytes BuildAppIcon();
