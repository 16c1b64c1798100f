// The raster both artworks are drawn into before an encoder turns it into a
// file format, and the little-endian byte writers those encoders share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One pixel, straight (not premultiplied) alpha; 255 is opaque.
struct Rgba {
    uint8_t R = 0;
    uint8_t G = 0;
    uint8_t B = 0;
    uint8_t A = 255;
    friend bool operator==(const Rgba&, const Rgba&) = default;
};

inline constexpr Rgba kBlack{0, 0, 0, 255};
inline constexpr Rgba kWhite{255, 255, 255, 255};
inline constexpr Rgba kClear{0, 0, 0, 0};

// Row-major, top row first, Width * Height pixels.
struct Image {
    int Width = 0;
    int Height = 0;
    std::vector<Rgba> Pixels;
};

//   Image picture = MakeImage(380, 250, kBlack);
Image MakeImage(int width, int height, Rgba fill);

// Pixel access without bounds checks; callers stay inside.
inline Rgba& PixelAt(Image& image, int x, int y) {
    return image.Pixels[static_cast<std::size_t>(y) * image.Width + x];
}
inline const Rgba& PixelAt(const Image& image, int x, int y) {
    return image.Pixels[static_cast<std::size_t>(y) * image.Width + x];
}

using Bytes = std::vector<uint8_t>;

//   PutU16Le(out, 0x4D42) appends 42 4D;  PutU32Be(out, 13) appends 00 00 00 0D.
void PutU16Le(Bytes& out, uint32_t value);
void PutU32Le(Bytes& out, uint32_t value);
void PutU32Be(Bytes& out, uint32_t value);
void PutBytes(Bytes& out, const Bytes& more);
