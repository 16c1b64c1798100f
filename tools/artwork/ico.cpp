#include "ico.h"

#include "palette.h"
#include "png.h"

namespace {

constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kDirectoryBytes = 6;
constexpr uint32_t kEntryBytes = 16;

int PaddedRowBytes(int width, int bits) {
    return (width * bits + 31) / 32 * 4;
}

}  // namespace

Bytes EncodeIconDib(const Image& art, int bits, const std::vector<uint8_t>& indices,
                    const std::vector<Rgba>& palette) {
    const int size = art.Width;
    const int colour_row = PaddedRowBytes(size, bits);
    const int mask_row = PaddedRowBytes(size, 1);
    const uint32_t image_bytes = static_cast<uint32_t>((colour_row + mask_row) * size);

    Bytes out;
    PutU32Le(out, kInfoHeaderBytes);
    PutU32Le(out, static_cast<uint32_t>(size));
    PutU32Le(out, static_cast<uint32_t>(2 * size));
    PutU16Le(out, 1);
    PutU16Le(out, static_cast<uint32_t>(bits));
    PutU32Le(out, 0);  // BI_RGB
    PutU32Le(out, image_bytes);
    PutU32Le(out, 0);  // resolution: unused for icons
    PutU32Le(out, 0);
    PutU32Le(out, 0);  // colours used: all 2^bits
    PutU32Le(out, 0);

    if (bits <= 8) {
        for (std::size_t i = 0; i < (std::size_t{1} << bits); ++i) {
            const Rgba entry = i < palette.size() ? palette[i] : kBlack;
            out.insert(out.end(), {entry.B, entry.G, entry.R, 0});
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        const std::size_t first = static_cast<std::size_t>(y) * size;
        if (bits == 32) {
            for (int x = 0; x < size; ++x) {
                const Rgba& p = art.Pixels[first + x];
                out.insert(out.end(), {p.B, p.G, p.R, p.A});
            }
        } else {
            PutBytes(out, PackIndexRow(&indices[first], size, bits, colour_row));
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(mask_row), 0);
        for (int x = 0; x < size; ++x) {
            const Rgba& p = PixelAt(art, x, y);
            const bool transparent = bits == 32 ? p.A == 0 : !IsKeptOpaque(p);
            if (transparent) row[x / 8] = static_cast<uint8_t>(row[x / 8] | 0x80 >> (x % 8));
        }
        PutBytes(out, row);
    }
    return out;
}

Bytes EncodeIcoFile(const std::vector<IconEntry>& entries) {
    Bytes out;
    PutU16Le(out, 0);
    PutU16Le(out, 1);
    PutU16Le(out, static_cast<uint32_t>(entries.size()));
    uint32_t offset = kDirectoryBytes + kEntryBytes * static_cast<uint32_t>(entries.size());
    for (const IconEntry& entry : entries) {
        const auto dimension = static_cast<uint8_t>(entry.Size >= 256 ? 0 : entry.Size);
        out.push_back(dimension);
        out.push_back(dimension);
        out.push_back(entry.Bits == 4 ? 16 : 0);
        out.push_back(0);
        PutU16Le(out, 1);
        PutU16Le(out, static_cast<uint32_t>(entry.Bits));
        PutU32Le(out, static_cast<uint32_t>(entry.Data.size()));
        PutU32Le(out, offset);
        offset += static_cast<uint32_t>(entry.Data.size());
    }
    for (const IconEntry& entry : entries) {
        PutBytes(out, entry.Data);
    }
    return out;
}
