#include "png.h"

#include <zlib.h>

#include <cstring>
#include <stdexcept>

namespace {

void PutChunk(Bytes& out, const char type[4], const Bytes& data) {
    PutU32Be(out, static_cast<uint32_t>(data.size()));
    Bytes body(type, type + 4);
    PutBytes(body, data);
    PutBytes(out, body);
    PutU32Be(out, static_cast<uint32_t>(crc32(0, body.data(), static_cast<uInt>(body.size()))));
}

Bytes Deflate(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(size);
    if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK) {
        throw std::runtime_error("zlib compress2 failed");
    }
    packed.resize(size);
    return packed;
}

// `raw` holds the scanlines, each already led by its filter byte.
Bytes Assemble(int width, int height, int bit_depth, int colour_type, const Bytes& palette_chunk,
               const Bytes& alpha_chunk, const Bytes& raw) {
    Bytes out{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    PutU32Be(header, static_cast<uint32_t>(width));
    PutU32Be(header, static_cast<uint32_t>(height));
    header.push_back(static_cast<uint8_t>(bit_depth));
    header.push_back(static_cast<uint8_t>(colour_type));
    header.push_back(0);  // deflate
    header.push_back(0);  // adaptive filtering
    header.push_back(0);  // not interlaced
    PutChunk(out, "IHDR", header);
    if (!palette_chunk.empty()) PutChunk(out, "PLTE", palette_chunk);
    if (!alpha_chunk.empty()) PutChunk(out, "tRNS", alpha_chunk);
    PutChunk(out, "IDAT", Deflate(raw));
    PutChunk(out, "IEND", {});
    return out;
}

}  // namespace

Bytes PackIndexRow(const uint8_t* indices, int count, int bits, int row_bytes) {
    Bytes row(static_cast<std::size_t>(row_bytes), 0);
    for (int i = 0; i < count; ++i) {
        if (bits == 8) {
            row[i] = indices[i];
        } else {
            const int shift = i % 2 == 0 ? 4 : 0;
            row[i / 2] = static_cast<uint8_t>(row[i / 2] | (indices[i] & 0x0F) << shift);
        }
    }
    return row;
}

Bytes EncodePngRgba(const Image& image) {
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(image.Height) * (1 + 4 * image.Width));
    for (int y = 0; y < image.Height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < image.Width; ++x) {
            const Rgba& p = PixelAt(image, x, y);
            raw.insert(raw.end(), {p.R, p.G, p.B, p.A});
        }
    }
    return Assemble(image.Width, image.Height, 8, 6, {}, {}, raw);
}

Bytes EncodePngIndexed(int width, int height, int bit_depth, const std::vector<uint8_t>& indices,
                       const std::vector<Rgba>& palette) {
    Bytes colours;
    Bytes alphas;
    for (const Rgba& entry : palette) {
        colours.insert(colours.end(), {entry.R, entry.G, entry.B});
    }
    std::size_t translucent = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        if (palette[i].A != 255) translucent = i + 1;
    }
    for (std::size_t i = 0; i < translucent; ++i) {
        alphas.push_back(palette[i].A);
    }

    const int row_bytes = (width * bit_depth + 7) / 8;
    Bytes raw;
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        PutBytes(raw, PackIndexRow(&indices[static_cast<std::size_t>(y) * width], width, bit_depth,
                                   row_bytes));
    }
    return Assemble(width, height, bit_depth, 3, colours, alphas, raw);
}
