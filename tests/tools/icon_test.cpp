// APPICON: the icon directory, the bitmap images, the PNG images and how
// faithfully the indexed images keep the picture.
#include "artwork/app_icon.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "artwork/icon_art.h"
#include "artwork/palette.h"
#include "byte_reader.h"
#include "png_reader.h"

namespace {

struct DirectoryEntry {
    int Size;
    int Colours;
    int Planes;
    int Bits;
    uint32_t Bytes;
    uint32_t Offset;
};

std::vector<DirectoryEntry> ReadDirectory(const ByteVector& file) {
    std::vector<DirectoryEntry> entries;
    const uint32_t count = ReadU16Le(file, 4);
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + 16 * i;
        entries.push_back({file.at(at) == 0 ? 256 : file.at(at), file.at(at + 2),
                           static_cast<int>(ReadU16Le(file, at + 4)),
                           static_cast<int>(ReadU16Le(file, at + 6)), ReadU32Le(file, at + 8),
                           ReadU32Le(file, at + 12)});
        EXPECT_EQ(file.at(at), file.at(at + 1)) << "square image " << i;
        EXPECT_EQ(file.at(at + 3), 0) << "reserved byte " << i;
    }
    return entries;
}

ByteVector ImageBytes(const ByteVector& file, const DirectoryEntry& entry) {
    return {file.begin() + entry.Offset, file.begin() + entry.Offset + entry.Bytes};
}

// Built once: the 256-pixel picture takes a moment to render.
const ByteVector& File() {
    static const ByteVector file = BuildAppIcon();
    return file;
}

TEST(AppIcon, DirectoryListsTwelveImagesInOrder) {
    const ByteVector& file = File();
    EXPECT_EQ(ReadU16Le(file, 0), 0u);
    EXPECT_EQ(ReadU16Le(file, 2), 1u) << "type 1: icon";
    const auto entries = ReadDirectory(file);
    ASSERT_EQ(entries.size(), 12u);
    const int expected[12][3] = {
        // size, bits, colour count byte
        {16, 4, 16}, {16, 8, 0}, {16, 32, 0}, {32, 4, 16},  {32, 8, 0},  {32, 32, 0},
        {48, 4, 16}, {48, 8, 0}, {48, 32, 0}, {256, 4, 16}, {256, 8, 0}, {256, 32, 0},
    };
    uint32_t next = 6 + 16 * 12;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].Size, expected[i][0]) << i;
        EXPECT_EQ(entries[i].Bits, expected[i][1]) << i;
        EXPECT_EQ(entries[i].Colours, expected[i][2]) << i;
        EXPECT_EQ(entries[i].Planes, 1) << i;
        EXPECT_EQ(entries[i].Offset, next) << "images are back to back, " << i;
        next += entries[i].Bytes;
    }
    EXPECT_EQ(next, file.size()) << "nothing after the last image";
}

TEST(AppIcon, IsDeterministic) {
    EXPECT_EQ(BuildAppIcon(), File());
}

// Colour of pixel (x, y), top row 0, read back from a DIB icon image, and
// whether its mask bit makes it transparent.
struct DibPixel {
    Rgba Colour;
    bool Masked;
};

DibPixel ReadDibPixel(const ByteVector& dib, int size, int bits, int x, int y) {
    const std::size_t palette = bits <= 8 ? 4u << bits : 0;
    const std::size_t colour_row = (size * bits + 31) / 32 * 4;
    const std::size_t mask_row = (size + 31) / 32 * 4;
    const std::size_t row = size - 1 - y;
    const std::size_t colours = 40 + palette;
    const std::size_t masks = colours + colour_row * size;
    DibPixel pixel{};
    pixel.Masked = (dib.at(masks + row * mask_row + x / 8) >> (7 - x % 8) & 1) != 0;
    if (bits == 32) {
        const std::size_t at = colours + row * colour_row + 4 * x;
        pixel.Colour = {dib.at(at + 2), dib.at(at + 1), dib.at(at), dib.at(at + 3)};
        return pixel;
    }
    const uint8_t byte = dib.at(colours + row * colour_row + x * bits / 8);
    const int index = bits == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0x0F);
    const std::size_t entry = 40 + 4 * index;
    pixel.Colour = {dib.at(entry + 2), dib.at(entry + 1), dib.at(entry), 255};
    return pixel;
}

int ColourError(Rgba a, Rgba b) {
    return std::max({std::abs(a.R - b.R), std::abs(a.G - b.G), std::abs(a.B - b.B)});
}

// Reading each image back the way the platform does, every pixel must show
// the picture: transparent outside the rounded tile, and inside a colour
// close to the smooth 32-bit rendering. Catches flipped rows, nibble order,
// palette byte order and mask bit order alike. The 256-pixel images are PNGs.
TEST(AppIcon, EveryImageIsSoundAndShowsThePicture) {
    const ByteVector& file = File();
    for (const DirectoryEntry& entry : ReadDirectory(file)) {
        const std::string name = std::to_string(entry.Size) + "px/" + std::to_string(entry.Bits);
        const ByteVector bytes = ImageBytes(file, entry);
        const bool isPng = entry.Size == 256;
        PngContents png;
        if (isPng) {
            png = ReadPng(bytes);
            ASSERT_TRUE(png.Error.empty()) << name << ": " << png.Error;
            EXPECT_EQ(png.Width, 256u) << name;
            EXPECT_EQ(png.Height, 256u) << name;
            EXPECT_EQ(png.BitDepth, entry.Bits == 32 ? 8 : entry.Bits) << name;
            EXPECT_EQ(png.ColourType, entry.Bits == 32 ? 6 : 3) << name;
            EXPECT_EQ(png.Palette.size(), entry.Bits == 32 ? 0u : 3u << entry.Bits) << name;
        } else {
            const uint32_t palette = entry.Bits <= 8 ? 4u << entry.Bits : 0;
            const uint32_t colourRow = (entry.Size * entry.Bits + 31) / 32 * 4;
            const uint32_t pixels = (colourRow + (entry.Size + 31) / 32 * 4) * entry.Size;
            EXPECT_EQ(ReadU32Le(bytes, 0), 40u) << name;
            EXPECT_EQ(ReadI32Le(bytes, 4), entry.Size) << name;
            EXPECT_EQ(ReadI32Le(bytes, 8), 2 * entry.Size) << name << ": colours and mask";
            EXPECT_EQ(ReadU16Le(bytes, 12), 1u) << name;
            EXPECT_EQ(static_cast<int>(ReadU16Le(bytes, 14)), entry.Bits) << name;
            EXPECT_EQ(ReadU32Le(bytes, 16), 0u) << name << " BI_RGB";
            EXPECT_EQ(ReadU32Le(bytes, 20), pixels) << name;
            EXPECT_EQ(bytes.size(), 40 + palette + pixels) << name;
        }
        const Image art = DrawIconArt(entry.Size);
        const int tolerance = entry.Bits == 4 ? 48 : entry.Bits == 8 ? 12 : 0;
        for (int y = 0; y < entry.Size; ++y) {
            for (int x = 0; x < entry.Size; ++x) {
                const Rgba want = PixelAt(art, x, y);
                if (isPng && entry.Bits == 32) {
                    ASSERT_EQ(PngPixel(png, x, y), want) << name << " at " << x << "," << y;
                    continue;
                }
                const DibPixel got = isPng ? DibPixel{PngPixel(png, x, y), false}
                                           : ReadDibPixel(bytes, entry.Size, entry.Bits, x, y);
                const bool masked = isPng ? got.Colour.A == 0 : got.Masked;
                const bool transparent = entry.Bits == 32 ? want.A == 0 : want.A < 128;
                ASSERT_EQ(masked, transparent) << name << " at " << x << "," << y;
                if (transparent) continue;
                ASSERT_LE(ColourError(got.Colour, want), tolerance)
                    << name << " at " << x << "," << y;
                if (entry.Bits == 32) {
                    ASSERT_EQ(got.Colour.A, want.A) << name;
                }
            }
        }
    }
}

TEST(IconArt, DrawsOnlyTheTunedSizes) {
    for (int size : kIconSizes) {
        const Image art = DrawIconArt(size);
        EXPECT_EQ(art.Width, size);
        EXPECT_EQ(PixelAt(art, 0, 0).A, 0) << size << ": rounded corner";
        EXPECT_EQ(PixelAt(art, size / 2, size / 2).A, 255) << size;
    }
    EXPECT_EQ(DrawIconArt(24).Width, 0);
}

TEST(IconPalette, KeepsEntryZeroForTransparency) {
    for (int entries : {16, 256}) {
        const std::vector<Rgba> palette = IconArtPalette(entries);
        ASSERT_EQ(palette.size(), static_cast<std::size_t>(entries));
        EXPECT_EQ(palette[0].A, 0) << entries;
        for (std::size_t i = 1; i < palette.size(); ++i) {
            EXPECT_EQ(palette[i].A, 255) << entries;
        }
    }
}

TEST(IconPalette, QuantizesToTheNearestOpaqueEntry) {
    const std::vector<Rgba> palette{kClear, {0, 0, 0, 255}, {200, 0, 0, 255}, {200, 0, 0, 255}};
    struct Case {
        Rgba Pixel;
        uint8_t Index;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, 0},      // transparent
        {{190, 0, 0, 127}, 0},  // too faint to keep
        {{190, 0, 0, 128}, 2},  // kept: nearest, first of equals
        {{0, 0, 0, 255}, 1},    // opaque black never becomes the transparent entry
        {{90, 0, 0, 255}, 1},  {{110, 0, 0, 255}, 2},
    };
    Image image = MakeImage(static_cast<int>(std::size(cases)), 1, kClear);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        image.Pixels[i] = cases[i].Pixel;
    }
    const std::vector<uint8_t> indices = QuantizeImage(image, palette);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(indices[i], cases[i].Index) << i;
    }
}

}  // namespace
