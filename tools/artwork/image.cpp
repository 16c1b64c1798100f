#include "image.h"

Image MakeImage(int width, int height, Rgba fill) {
    Image image;
    image.Width = width;
    image.Height = height;
    image.Pixels.assign(static_cast<std::size_t>(width) * height, fill);
    return image;
}

void PutU16Le(Bytes& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32Le(Bytes& out, uint32_t value) {
    PutU16Le(out, value & 0xFFFF);
    PutU16Le(out, value >> 16);
}

void PutU32Be(Bytes& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void PutBytes(Bytes& out, const Bytes& more) {
    out.insert(out.end(), more.begin(), more.end());
}
