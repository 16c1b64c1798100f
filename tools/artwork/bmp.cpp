#include "bmp.h"

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;

}  // namespace

int BmpRowBytes(int width) {
    return (width * 3 + 3) / 4 * 4;
}

Bytes EncodeBmp24(const Image& image) {
    const uint32_t row_bytes = static_cast<uint32_t>(BmpRowBytes(image.Width));
    const uint32_t pixel_bytes = row_bytes * static_cast<uint32_t>(image.Height);
    const uint32_t offset = kFileHeaderBytes + kInfoHeaderBytes;

    Bytes out;
    out.reserve(offset + pixel_bytes);
    PutU16Le(out, 0x4D42);  // "BM"
    PutU32Le(out, offset + pixel_bytes);
    PutU32Le(out, 0);  // two reserved words
    PutU32Le(out, offset);

    PutU32Le(out, kInfoHeaderBytes);
    PutU32Le(out, static_cast<uint32_t>(image.Width));
    PutU32Le(out, static_cast<uint32_t>(image.Height));  // positive: bottom-up
    PutU16Le(out, 1);                                    // planes
    PutU16Le(out, 24);                                   // bits per pixel
    PutU32Le(out, 0);                                    // BI_RGB
    PutU32Le(out, pixel_bytes);
    PutU32Le(out, kPixelsPerMetre);
    PutU32Le(out, kPixelsPerMetre);
    PutU32Le(out, 0);  // colours used: no table
    PutU32Le(out, 0);  // colours important

    for (int y = image.Height - 1; y >= 0; --y) {
        const std::size_t row_start = out.size();
        for (int x = 0; x < image.Width; ++x) {
            const Rgba& pixel = PixelAt(image, x, y);
            out.push_back(pixel.B);
            out.push_back(pixel.G);
            out.push_back(pixel.R);
        }
        out.resize(row_start + row_bytes, 0);
    }
    return out;
}
