// The application icon's picture: the magnitude response of a low-pass
// filter (flat, a knee, a steep fall) in amber over a pair of axes on a
// rounded navy tile. Drawn on a 16-unit grid scaled by whole numbers, so the
// flat part and the axes land on pixel edges at every size and stay sharp.
#pragma once

#include <vector>

#include "image.h"

// The sizes the picture is tuned for: line widths differ per size so the
// curve stays bold at 16 pixels without turning clumsy at 256.
inline constexpr int kIconSizes[] = {16, 32, 48, 256};

// Renders the picture with smoothed edges and straight alpha: transparent
// outside the tile's rounded corners, opaque inside.
//   DrawIconArt(16).Width -> 16     DrawIconArt(20) -> empty image (untuned size)
Image DrawIconArt(int size);

// A palette of exactly `entries` colours (16 or 256) for the picture's
// indexed images: entry 0 is transparent black, the index transparent pixels
// carry; then the picture's colours, then blends between the colours that
// meet (thirds with 16 entries, sixteenths with 256), then opaque black
// padding.
//   IconArtPalette(16)[0] -> kClear     IconArtPalette(256).size() -> 256
std::vector<Rgba> IconArtPalette(int entries);
