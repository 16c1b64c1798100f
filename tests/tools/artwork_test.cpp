// The artwork as the resources need it: the schematic bitmap's format and
// colours, the circuit it shows, and the icon's twelve images. The generated
// bytes themselves are approved (gen_schematic and gen_icon in
// tests/approvals.txt), so these facts guard a redrawing.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

#include "artwork/app_icon.h"
#include "artwork/bmp.h"
#include "artwork/schematic.h"

namespace {

uint32_t Le(const Bytes& bytes, size_t at, int width) {
    uint32_t value = 0;
    for (int k = width - 1; k >= 0; --k)
        value = value << 8 | bytes.at(at + k);
    return value;
}

uint32_t Be32(const Bytes& bytes, size_t at) {
    return bytes.at(at) << 24 | bytes.at(at + 1) << 16 | bytes.at(at + 2) << 8 | bytes.at(at + 3);
}

TEST(SchematicBitmap, HeaderFieldsAreExact) {
    const Bytes file = EncodeBmp24(DrawSchematic());
    const struct {
        const char* Name;
        size_t Offset;
        int Width;
        uint32_t Expected;
    } fields[] = {
        {"bfType", 0, 2, 0x4D42},
        {"bfSize", 2, 4, 54 + 285000},
        {"bfReserved", 6, 4, 0},
        {"bfOffBits", 10, 4, 54},
        {"biSize", 14, 4, 40},
        {"biWidth", 18, 4, 380},
        {"biHeight", 22, 4, 250},
        {"biPlanes", 26, 2, 1},
        {"biBitCount", 28, 2, 24},
        {"biCompression", 30, 4, 0},
        {"biSizeImage", 34, 4, 285000},
        {"biXPelsPerMeter", 38, 4, 4724},
        {"biYPelsPerMeter", 42, 4, 4724},
        {"biClrUsed", 46, 4, 0},
        {"biClrImportant", 50, 4, 0},
    };
    ASSERT_EQ(file.size(), 54u + 285000u);
    for (const auto& field : fields)
        EXPECT_EQ(Le(file, field.Offset, field.Width), field.Expected) << field.Name;
}

// 3 x 2 pixels: 9 bytes of colour and 3 of padding per row, bottom row first.
TEST(SchematicBitmap, RowsAreBottomUpBgrAndPadded) {
    Image image = MakeImage(3, 2, kBlack);
    PixelAt(image, 0, 0) = {1, 2, 3, 255};
    PixelAt(image, 2, 1) = {4, 5, 6, 255};
    const Bytes file = EncodeBmp24(image);
    EXPECT_EQ(Bytes(file.begin() + 54, file.end()),
              (Bytes{0, 0, 0, 0, 0, 0, 6, 5, 4, 0, 0, 0, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SchematicBitmap, IsWhiteLineArtOnBlack) {
    const Image image = DrawSchematic();
    ASSERT_EQ(image.Pixels.size(), 380u * 250u);
    const auto white = std::count(image.Pixels.begin(), image.Pixels.end(), kWhite);
    const auto black = std::count(image.Pixels.begin(), image.Pixels.end(), kBlack);
    EXPECT_EQ(white + black, 380 * 250) << "only black and white";
    EXPECT_GT(white, 2000) << "the circuit is drawn";
    EXPECT_LT(white, 380 * 250 / 10) << "as line art";
}

// Every label of the circuit, and the capacitors' far ends: C1 and C3 go up
// to the line back from the output, C2 and C4 down to ground.
TEST(SchematicParts, ShowTheCircuit) {
    std::multiset<std::string> labels;
    std::set<std::string> capacitors;
    for (const SchematicPart& part : SchematicParts()) {
        if (*part.Label) labels.insert(part.Label);
        if (part.Kind == PartKind::kCapacitor && part.From.X == part.To.X)
            capacitors.insert(std::string(part.Label) +
                              (part.To.Y < part.From.Y ? " up" : " down"));
    }
    EXPECT_EQ(labels, (std::multiset<std::string>{"IN", "R1", "R2", "R3", "R4", "C1", "C2", "C3",
                                                  "C4", "U1", "OUT", "RK-R", "R"}));
    EXPECT_EQ(capacitors, (std::set<std::string>{"C1 up", "C2 down", "C3 up", "C4 down"}));
}

// Twelve images back to back: 16, 32, 48 and 256 pixels, each in 4, 8 and 32
// bits; the 256-pixel ones PNG, the others a DIB of colours and mask.
TEST(AppIcon, TwelveImagesOfTheirSizesAndDepths) {
    const Bytes file = BuildAppIcon();
    EXPECT_EQ(file, BuildAppIcon()) << "deterministic";
    ASSERT_EQ(Le(file, 0, 4), 0x00010000u) << "reserved, type 1: icon";
    ASSERT_EQ(Le(file, 4, 2), 12u);
    uint32_t next = 6 + 16 * 12;
    for (int k = 0; k < 12; ++k) {
        const uint32_t size = std::array{16, 32, 48, 256}[k / 3],
                       bits = std::array{4, 8, 32}[k % 3];
        const size_t at = 6 + 16 * k;
        const std::string name = std::to_string(size) + "px/" + std::to_string(bits);
        EXPECT_EQ(Le(file, at, 4), (size % 256) * 0x101 | (bits == 4 ? 16u << 16 : 0)) << name;
        EXPECT_EQ(Le(file, at + 4, 4), 1 | bits << 16) << name << ": planes, bits";
        EXPECT_EQ(Le(file, at + 12, 4), next) << name;
        const uint32_t bytes = Le(file, at + 8, 4);
        if (size == 256) {
            EXPECT_EQ(Be32(file, next), 0x89504E47u) << name << ": PNG signature";
            EXPECT_EQ(Be32(file, next + 16), size) << name;
            EXPECT_EQ(Be32(file, next + 20), size) << name;
            EXPECT_EQ(Be32(file, next + 24) >> 16, bits == 32 ? 0x0806u : bits << 8 | 3) << name;
        } else {
            const uint32_t palette = bits < 32 ? 4u << bits : 0;
            const uint32_t pixels = ((size * bits + 31) / 32 * 4 + (size + 31) / 32 * 4) * size;
            EXPECT_EQ(Le(file, next, 4), 40u) << name;
            EXPECT_EQ(Le(file, next + 4, 4), size) << name;
            EXPECT_EQ(Le(file, next + 8, 4), 2 * size) << name << ": colours and mask";
            EXPECT_EQ(Le(file, next + 12, 4), 1 | bits << 16) << name;
            EXPECT_EQ(Le(file, next + 16, 4), 0u) << name << ": BI_RGB";
            EXPECT_EQ(bytes, 40 + palette + pixels) << name;
        }
        next += bytes;
    }
    EXPECT_EQ(next, file.size()) << "nothing after the last image";
}

}  // namespace
