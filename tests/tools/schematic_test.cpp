// The schematic picture: file header, content and layout.
#include "artwork/schematic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "artwork/bmp.h"
#include "artwork/font.h"
#include "byte_reader.h"

namespace {

TEST(SchematicBitmap, HeaderFieldsAreExact) {
    const Bytes file = EncodeBmp24(DrawSchematic());
    struct Field {
        const char* Name;
        std::size_t Offset;
        int Width;  // bytes
        uint32_t Expected;
    };
    const Field fields[] = {
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
    EXPECT_EQ(file, EncodeBmp24(DrawSchematic())) << "deterministic";
    for (const Field& field : fields) {
        const uint32_t actual =
            field.Width == 2 ? ReadU16Le(file, field.Offset) : ReadU32Le(file, field.Offset);
        EXPECT_EQ(actual, field.Expected) << field.Name;
    }
}

TEST(SchematicBitmap, RowsAreBottomUpBgrAndPadded) {
    // 3 x 2 pixels: 9 bytes of colour, 3 of padding per row.
    Image image = MakeImage(3, 2, kBlack);
    PixelAt(image, 0, 0) = {1, 2, 3, 255};  // top-left
    PixelAt(image, 2, 1) = {4, 5, 6, 255};  // bottom-right
    const Bytes file = EncodeBmp24(image);
    ASSERT_EQ(file.size(), 54u + 2 * 12);
    EXPECT_EQ(BmpRowBytes(3), 12);
    EXPECT_EQ(BmpRowBytes(380), 1140);
    const ByteVector bottom_right{file.begin() + 54 + 6, file.begin() + 54 + 9};
    const ByteVector top_left{file.begin() + 54 + 12, file.begin() + 54 + 15};
    EXPECT_EQ(bottom_right, (ByteVector{6, 5, 4}));
    EXPECT_EQ(top_left, (ByteVector{3, 2, 1}));
    EXPECT_EQ(ReadU32Le(file, 54 + 9) & 0xFFFFFF, 0u) << "padding of the bottom row";
}

TEST(SchematicBitmap, IsWhiteLineArtOnBlack) {
    const Image image = DrawSchematic();
    ASSERT_EQ(image.Width, kSchematicWidth);
    ASSERT_EQ(image.Height, kSchematicHeight);
    const auto white = std::count(image.Pixels.begin(), image.Pixels.end(), kWhite);
    const auto black = std::count(image.Pixels.begin(), image.Pixels.end(), kBlack);
    EXPECT_EQ(white + black, static_cast<long>(image.Pixels.size())) << "only black and white";
    EXPECT_GT(white, 2000) << "the circuit is drawn";
    EXPECT_LT(white, static_cast<long>(image.Pixels.size()) / 10) << "and is line art";
}

TEST(SchematicParts, CarryEveryLabelOfTheCircuit) {
    std::multiset<std::string> labels;
    for (const SchematicPart& part : SchematicParts()) {
        if (*part.Label != '\0') labels.insert(part.Label);
    }
    const std::multiset<std::string> expected{"IN", "R1", "R2", "R3",  "R4",   "C1", "C2",
                                              "C3", "C4", "U1", "OUT", "RK-R", "R"};
    EXPECT_EQ(labels, expected);
}

// Kinds and the capacitor ends that tell C1/C3 (to the output line above)
// from C2/C4 (to ground below).
TEST(SchematicParts, CapacitorsGoUpOrDownAsTheCircuitDemands) {
    struct Expectation {
        const char* Label;
        bool Up;
    };
    const Expectation expectations[] = {{"C1", true}, {"C2", false}, {"C3", true}, {"C4", false}};
    for (const Expectation& e : expectations) {
        const auto parts = SchematicParts();
        const auto part = std::find_if(parts.begin(), parts.end(), [&](const SchematicPart& p) {
            return std::string(p.Label) == e.Label;
        });
        ASSERT_NE(part, parts.end()) << e.Label;
        EXPECT_EQ(part->Kind, PartKind::kCapacitor) << e.Label;
        EXPECT_EQ(part->From.X, part->To.X) << e.Label << " is vertical";
        EXPECT_EQ(part->To.Y < part->From.Y, e.Up) << e.Label;
    }
}

bool Overlaps(const Box& a, const Box& b, int clearance) {
    return a.X - clearance < b.X + b.Width && b.X - clearance < a.X + a.Width &&
           a.Y - clearance < b.Y + b.Height && b.Y - clearance < a.Y + a.Height;
}

std::vector<std::pair<std::string, Box>> Labels() {
    std::vector<std::pair<std::string, Box>> labels;
    for (const SchematicPart& part : SchematicParts()) {
        if (*part.Label != '\0') labels.emplace_back(part.Label, LabelBox(part));
    }
    return labels;
}

TEST(SchematicLayout, LabelsAreDrawableInsideThePictureAndApart) {
    const auto labels = Labels();
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const auto& [text, box] = labels[i];
        EXPECT_TRUE(CanDrawText(text)) << text;
        EXPECT_EQ(box.Width, TextWidth(text)) << text;
        EXPECT_EQ(box.Height, kGlyphHeight) << text;
        EXPECT_GE(box.X, 1) << text;
        EXPECT_GE(box.Y, 1) << text;
        EXPECT_LE(box.X + box.Width, kSchematicWidth - 1) << text;
        EXPECT_LE(box.Y + box.Height, kSchematicHeight - 1) << text;
        for (std::size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(Overlaps(box, labels[j].second, 2)) << text << " and " << labels[j].first;
    }
}

TEST(SchematicLayout, LabelsKeepClearOfLines) {
    Image bodies = MakeImage(kSchematicWidth, kSchematicHeight, kBlack);
    for (const SchematicPart& part : SchematicParts()) {
        DrawPartBody(bodies, part);
    }
    for (const auto& [text, box] : Labels()) {
        for (int y = box.Y - 2; y < box.Y + box.Height + 2; ++y) {
            for (int x = box.X - 2; x < box.X + box.Width + 2; ++x) {
                ASSERT_EQ(PixelAt(bodies, x, y), kBlack)
                    << text << " touches a line at " << x << "," << y;
            }
        }
    }
}

// Where a part's leads end. A terminal is an open circle of radius 3 that
// connects at its left or right edge.
std::vector<Point> Pins(const SchematicPart& part) {
    switch (part.Kind) {
        case PartKind::kOpAmp:
            return {part.From, OpAmpMinusInput(part.From), OpAmpOutput(part.From)};
        case PartKind::kTerminal:
            return {{part.From.X - 3, part.From.Y}, {part.From.X + 3, part.From.Y}};
        case PartKind::kGround:
        case PartKind::kJunction:
            return {part.From};
        default:
            return {part.From, part.To};
    }
}

// How many leads of the part meet at p: one where a lead ends there, two
// where a wire runs through it.
int LeadsAt(const SchematicPart& part, Point p) {
    for (Point pin : Pins(part)) {
        if (pin.X == p.X && pin.Y == p.Y) return 1;
    }
    if (part.Kind != PartKind::kWire) return 0;
    const bool on_row = part.From.Y == part.To.Y && p.Y == part.From.Y &&
                        std::min(part.From.X, part.To.X) < p.X &&
                        p.X < std::max(part.From.X, part.To.X);
    const bool on_column = part.From.X == part.To.X && p.X == part.From.X &&
                           std::min(part.From.Y, part.To.Y) < p.Y &&
                           p.Y < std::max(part.From.Y, part.To.Y);
    return on_row || on_column ? 2 : 0;
}

// Every lead ends on another part or on a wire, and is drawn there: nothing
// floats after a coordinate changes. A junction dot must sit where three
// leads meet, and wherever three or more meet a dot says they join;
// terminals are the circuit's own ends.
TEST(SchematicLayout, EveryPinIsConnectedDrawnAndDottedAtTees) {
    const auto parts = SchematicParts();
    const Image image = DrawSchematic();
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const SchematicPart& part = parts[i];
        const std::string name = std::to_string(static_cast<int>(part.Kind)) + " " + part.Label +
                                 " #" + std::to_string(i);
        if (part.Kind == PartKind::kWire || part.Kind == PartKind::kResistor ||
            part.Kind == PartKind::kCapacitor) {
            EXPECT_TRUE(part.From.X == part.To.X || part.From.Y == part.To.Y) << name;
        }
        for (Point pin : Pins(part)) {
            const std::string at =
                name + " at " + std::to_string(pin.X) + "," + std::to_string(pin.Y);
            int all = 0, others = 0;
            bool dotted = false;
            for (std::size_t j = 0; j < parts.size(); ++j) {
                if (parts[j].Kind == PartKind::kJunction) {
                    dotted = dotted || (parts[j].From.X == pin.X && parts[j].From.Y == pin.Y);
                    continue;
                }
                const int leads = LeadsAt(parts[j], pin);
                all += leads;
                if (j != i) others += leads;
            }
            if (all >= 3) {
                EXPECT_TRUE(dotted) << "no dot: " << at;
            }
            if (part.Kind == PartKind::kTerminal) continue;
            EXPECT_EQ(PixelAt(image, pin.X, pin.Y), kWhite) << at;
            EXPECT_GE(others, part.Kind == PartKind::kJunction ? 3 : 1) << at;
        }
    }
}

TEST(SchematicFont, MeasuresAndCoversTheLabelAlphabet) {
    struct Case {
        const char* Text;
        bool Drawable;
        int Width;
    };
    const Case cases[] = {
        {"", true, 0},     {"R", true, 5},    {"R1", true, 11},  {"RK-R", true, 23},
        {"OUT", true, 17}, {"U1+", true, 17}, {"r1", false, 11}, {"R 1", false, 17},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanDrawText(c.Text), c.Drawable) << c.Text;
        EXPECT_EQ(TextWidth(c.Text), c.Width) << c.Text;
    }
}

}  // namespace
