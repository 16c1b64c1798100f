// Reduction of a picture to a fixed palette, for indexed icon images.
#pragma once

#include <vector>

#include "image.h"

// Indexed images have one-bit transparency: a pixel at least half opaque
// is kept, anything fainter drops out.
//   IsKeptOpaque({9, 9, 9, 128}) -> true     IsKeptOpaque({9, 9, 9, 127}) -> false
inline bool IsKeptOpaque(Rgba pixel) {
    return pixel.A >= 128;
}

// One palette index per pixel, rows top first. Dropped pixels get index 0
// (the transparent entry); kept ones the nearest colour (squared RGB
// distance, lowest index on a tie) among entries 1 onward, so a kept pixel
// never turns transparent.
//   QuantizeImage(image_of_one_pixel({250, 0, 0, 255}), {kClear, kWhite, {255, 0, 0, 255}}) -> {2}
std::vector<uint8_t> QuantizeImage(const Image& image, const std::vector<Rgba>& palette);
