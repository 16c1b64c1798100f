#include "schematic.h"

#include <string_view>

#include "font.h"
#include "raster.h"

namespace {

using enum PartKind;
using enum LabelSide;

// Rows and columns the circuit hangs on. The ladder runs along kMain; C1
// and C3 reach up to the output return line kTop; C2 and C4 reach down to
// ground at kCapGround.
constexpr int kTop = 28;
constexpr int kMain = 102;
constexpr int kInputSpacing = 24;  // op-amp + input to - input
constexpr int kMinus = kMain + kInputSpacing;
constexpr int kDivider = 168;
constexpr int kCapGround = 182;
constexpr int kDividerGround = 218;

constexpr int kIn = 11;
constexpr int kNodeA = 72;   // R1-R2, C1
constexpr int kNodeB = 124;  // R2-R3, C2
constexpr int kNodeC = 176;  // R3-R4, C3
constexpr int kNodeD = 228;  // R4 and C4 at the + input
constexpr int kAmpX = 266;
constexpr int kFeedback = 256;  // - input down to the divider
constexpr int kReturn = 336;    // output up to the C1/C3 line
constexpr int kTap = 352;       // output down to RK-R
constexpr int kOut = 365;

constexpr int kTerminalRadius = 3;

// Op-amp triangle relative to the + input.
constexpr int kOpAmpAbove = 18;
constexpr int kOpAmpBelow = 42;
constexpr int kOpAmpLength = 52;
constexpr int kOutput = kMain + (kOpAmpBelow - kOpAmpAbove) / 2;

constexpr SchematicPart Wire(Point from, Point to) {
    return {kWire, from, to, "", kNone};
}
constexpr SchematicPart Resistor(Point from, Point to, const char* label, LabelSide side) {
    return {kResistor, from, to, label, side};
}
constexpr SchematicPart Capacitor(Point from, Point to, const char* label, LabelSide side) {
    return {kCapacitor, from, to, label, side};
}
constexpr SchematicPart Ground(Point at) {
    return {kGround, at, at, "", kNone};
}
constexpr SchematicPart Junction(Point at) {
    return {kJunction, at, at, "", kNone};
}
constexpr SchematicPart Terminal(Point at, const char* label) {
    return {kTerminal, at, at, label, kAbove};
}
constexpr SchematicPart OpAmp(Point plus, const char* label) {
    return {kOpAmp, plus, plus, label, kAbove};
}

constexpr SchematicPart kParts[] = {
    // The ladder into the + input.
    Terminal({kIn, kMain}, "IN"),
    Resistor({kIn + kTerminalRadius, kMain}, {kNodeA, kMain}, "R1", kAbove),
    Resistor({kNodeA, kMain}, {kNodeB, kMain}, "R2", kAbove),
    Resistor({kNodeB, kMain}, {kNodeC, kMain}, "R3", kAbove),
    Resistor({kNodeC, kMain}, {kNodeD, kMain}, "R4", kAbove),
    Wire({kNodeD, kMain}, {kAmpX, kMain}),
    OpAmp({kAmpX, kMain}, "U1"),

    // C1 and C3 back to the output.
    Capacitor({kNodeA, kMain}, {kNodeA, kTop}, "C1", kRight),
    Capacitor({kNodeC, kMain}, {kNodeC, kTop}, "C3", kRight),
    Wire({kNodeA, kTop}, {kReturn, kTop}),
    Wire({kReturn, kTop}, {kReturn, kOutput}),

    // C2 and C4 to ground; C4's label goes left, clear of the - input wire.
    Capacitor({kNodeB, kMain}, {kNodeB, kCapGround}, "C2", kRight),
    Ground({kNodeB, kCapGround}),
    Capacitor({kNodeD, kMain}, {kNodeD, kCapGround}, "C4", kLeft),
    Ground({kNodeD, kCapGround}),

    Wire({kAmpX + kOpAmpLength, kOutput}, {kOut - kTerminalRadius, kOutput}),
    Terminal({kOut, kOutput}, "OUT"),

    // Gain divider: RK-R from the output, R to ground, the - input between.
    Wire({kAmpX, kMinus}, {kFeedback, kMinus}),
    Wire({kFeedback, kMinus}, {kFeedback, kDivider}),
    Resistor({kFeedback, kDivider}, {kTap, kDivider}, "RK-R", kBelow),
    Wire({kTap, kDivider}, {kTap, kOutput}),
    Resistor({kFeedback, kDivider}, {kFeedback, kDividerGround}, "R", kRight),
    Ground({kFeedback, kDividerGround}),

    Junction({kNodeA, kMain}),
    Junction({kNodeB, kMain}),
    Junction({kNodeC, kMain}),
    Junction({kNodeD, kMain}),
    Junction({kNodeC, kTop}),
    Junction({kReturn, kOutput}),
    Junction({kTap, kOutput}),
    Junction({kFeedback, kDivider}),
};

// Symbol sizes. The zigzag has six peaks over 24 pixels: its corners, as
// the distance along the part and the side of the axis they stand on.
constexpr int kZigzagHalfLength = 12;
constexpr int kZigzagAmplitude = 5;
constexpr int kZigzag[][2] = {{-12, 0}, {-10, -1}, {-6, 1}, {-2, -1},
                              {2, 1},   {6, -1},   {10, 1}, {12, 0}};
// Capacitor plates are two pixels thick with a six-pixel gap.
constexpr int kPlateHalfWidth = 9;
constexpr int kPlateOffset = 3;  // gap centre to the plate's inner edge
constexpr int kLabelGap = 3;

bool IsVertical(const SchematicPart& part) {
    return part.From.X == part.To.X;
}

Point Middle(const SchematicPart& part) {
    return {(part.From.X + part.To.X) / 2, (part.From.Y + part.To.Y) / 2};
}

// Maps a point given along the part's axis and across it to the image.
Point Along(const SchematicPart& part, int along, int across) {
    const Point middle = Middle(part);
    if (IsVertical(part)) return {middle.X + across, middle.Y + along};
    return {middle.X + along, middle.Y + across};
}

void Line(Image& image, Point a, Point b) {
    DrawLine(image, a.X, a.Y, b.X, b.Y, kWhite);
}

// Leads from both ends to the symbol, which spans -half..half along the axis.
void DrawLeads(Image& image, const SchematicPart& part, int half) {
    const bool forward = IsVertical(part) ? part.To.Y > part.From.Y : part.To.X > part.From.X;
    const int sign = forward ? 1 : -1;
    Line(image, part.From, Along(part, -sign * half, 0));
    Line(image, Along(part, sign * half, 0), part.To);
}

void DrawResistor(Image& image, const SchematicPart& part) {
    DrawLeads(image, part, kZigzagHalfLength);
    for (std::size_t i = 1; i < std::size(kZigzag); ++i) {
        Line(image, Along(part, kZigzag[i - 1][0], kZigzag[i - 1][1] * kZigzagAmplitude),
             Along(part, kZigzag[i][0], kZigzag[i][1] * kZigzagAmplitude));
    }
}

void DrawCapacitor(Image& image, const SchematicPart& part) {
    DrawLeads(image, part, kPlateOffset + 1);
    for (int along : {-kPlateOffset - 1, -kPlateOffset, kPlateOffset, kPlateOffset + 1}) {
        Line(image, Along(part, along, -kPlateHalfWidth), Along(part, along, kPlateHalfWidth));
    }
}

void DrawGround(Image& image, Point at) {
    const int half_widths[] = {9, 6, 3};
    for (int i = 0; i < 3; ++i) {
        const int y = at.Y + 3 * i;
        DrawLine(image, at.X - half_widths[i], y, at.X + half_widths[i], y, kWhite);
    }
}

void DrawOpAmp(Image& image, Point plus) {
    const Point top{plus.X, plus.Y - kOpAmpAbove};
    const Point bottom{plus.X, plus.Y + kOpAmpBelow};
    const Point tip = OpAmpOutput(plus);
    Line(image, top, bottom);
    Line(image, top, tip);
    Line(image, bottom, tip);
    // The signs sit just inside the edge, level with their inputs.
    const int sign_x = plus.X + 7;
    DrawLine(image, sign_x - 2, plus.Y, sign_x + 2, plus.Y, kWhite);
    DrawLine(image, sign_x, plus.Y - 2, sign_x, plus.Y + 2, kWhite);
    const Point minus = OpAmpMinusInput(plus);
    DrawLine(image, sign_x - 2, minus.Y, sign_x + 2, minus.Y, kWhite);
}

// A label beside a symbol that reaches half_x and half_y from centre.
Box BesideSymbol(Point centre, int half_x, int half_y, LabelSide side, std::string_view text) {
    const int width = TextWidth(text);
    const int height = kGlyphHeight;
    switch (side) {
        case kAbove:
            return {centre.X - width / 2, centre.Y - half_y - kLabelGap - height, width, height};
        case kBelow:
            return {centre.X - width / 2, centre.Y + half_y + kLabelGap + 1, width, height};
        case kLeft:
            return {centre.X - half_x - kLabelGap - width, centre.Y - height / 2, width, height};
        case kRight:
            return {centre.X + half_x + kLabelGap + 1, centre.Y - height / 2, width, height};
        case kNone:
            break;
    }
    return {};
}

}  // namespace

Point OpAmpMinusInput(Point plus_input) {
    return {plus_input.X, plus_input.Y + kInputSpacing};
}

Point OpAmpOutput(Point plus_input) {
    return {plus_input.X + kOpAmpLength, plus_input.Y + (kOpAmpBelow - kOpAmpAbove) / 2};
}

std::span<const SchematicPart> SchematicParts() {
    return kParts;
}

Box LabelBox(const SchematicPart& part) {
    const std::string_view text = part.Label;
    if (text.empty() || part.Side == kNone) return {};
    const bool vertical = IsVertical(part);
    switch (part.Kind) {
        case kResistor: {
            const int across = kZigzagAmplitude;
            const int along = kZigzagHalfLength;
            return vertical ? BesideSymbol(Middle(part), across, along, part.Side, text)
                            : BesideSymbol(Middle(part), along, across, part.Side, text);
        }
        case kCapacitor: {
            const int across = kPlateHalfWidth;
            const int along = kPlateOffset + 1;
            return vertical ? BesideSymbol(Middle(part), across, along, part.Side, text)
                            : BesideSymbol(Middle(part), along, across, part.Side, text);
        }
        case kTerminal:
            return BesideSymbol(part.From, kTerminalRadius, kTerminalRadius, part.Side, text);
        case kOpAmp:
            // Over the sloping upper edge, clear of the triangle and the
            // return line beyond the tip.
            return {part.From.X + 30, part.From.Y - kOpAmpAbove + 2, TextWidth(text), kGlyphHeight};
        case kWire:
        case kGround:
        case kJunction:
            break;
    }
    return BesideSymbol(part.From, 0, 0, part.Side, text);
}

void DrawPartBody(Image& image, const SchematicPart& part) {
    switch (part.Kind) {
        case kWire:
            Line(image, part.From, part.To);
            break;
        case kResistor:
            DrawResistor(image, part);
            break;
        case kCapacitor:
            DrawCapacitor(image, part);
            break;
        case kGround:
            DrawGround(image, part.From);
            break;
        case kJunction:
            FillDisc(image, part.From.X, part.From.Y, 2, kWhite);
            break;
        case kTerminal:
            DrawCircle(image, part.From.X, part.From.Y, kTerminalRadius, kWhite);
            break;
        case kOpAmp:
            DrawOpAmp(image, part.From);
            break;
    }
}

void DrawPartLabel(Image& image, const SchematicPart& part) {
    const Box box = LabelBox(part);
    if (box.Width > 0) DrawText(image, box.X, box.Y, part.Label, kWhite);
}

Image DrawSchematic() {
    Image image = MakeImage(kSchematicWidth, kSchematicHeight, kBlack);
    // Labels last, so no line is drawn over a letter.
    for (const SchematicPart& part : kParts) {
        DrawPartBody(image, part);
    }
    for (const SchematicPart& part : kParts) {
        DrawPartLabel(image, part);
    }
    return image;
}
