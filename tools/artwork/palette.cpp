#include "palette.h"

namespace {

int DistanceSquared(Rgba a, Rgba b) {
    const int dr = a.R - b.R;
    const int dg = a.G - b.G;
    const int db = a.B - b.B;
    return dr * dr + dg * dg + db * db;
}

}  // namespace

std::vector<uint8_t> QuantizeImage(const Image& image, const std::vector<Rgba>& palette) {
    std::vector<uint8_t> indices;
    indices.reserve(image.Pixels.size());
    for (const Rgba& pixel : image.Pixels) {
        std::size_t best = 0;
        if (IsKeptOpaque(pixel)) {
            best = 1;
            for (std::size_t i = 2; i < palette.size(); ++i) {
                if (DistanceSquared(pixel, palette[i]) < DistanceSquared(pixel, palette[best])) {
                    best = i;
                }
            }
        }
        indices.push_back(static_cast<uint8_t>(best));
    }
    return indices;
}
