// The circuit picture shown in the main window: the four-pole low-pass
// ladder IN - R1 - R2 - R3 - R4 into the + input of U1, C1 and C3 back to
// the output, C2 and C4 to ground, and the gain divider RK-R / R on the
// - input. White line art and labels on black, 380 x 250 pixels.
//
// The drawing is a table of parts (wires, resistors, capacitors, grounds,
// junction dots, terminals, the op-amp); each part knows where its label
// goes, so a test can check that no label touches a line or another label.
#pragma once

#include <span>

#include "image.h"

inline constexpr int kSchematicWidth = 380;
inline constexpr int kSchematicHeight = 250;

struct Point {
    int X = 0;
    int Y = 0;
};

// Two-terminal parts run between From and To, which share an X or a Y; the
// symbol sits in the middle and plain leads fill the rest. Ground, junction
// and terminal sit at From. The op-amp's From is its + input on the left
// edge of the triangle; the - input is 24 pixels below it and the output at
// the tip, 52 pixels to the right and 12 below.
enum class PartKind { kWire, kResistor, kCapacitor, kGround, kJunction, kTerminal, kOpAmp };

enum class LabelSide { kNone, kAbove, kBelow, kLeft, kRight };

struct SchematicPart {
    PartKind Kind = PartKind::kWire;
    Point From;
    Point To;
    const char* Label = "";
    LabelSide Side = LabelSide::kNone;
};

struct Box {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

// The op-amp's - input and output, given its + input.
//   OpAmpMinusInput({266, 102}) -> {266, 126}     OpAmpOutput({266, 102}) -> {318, 114}
Point OpAmpMinusInput(Point plus_input);
Point OpAmpOutput(Point plus_input);

// The parts of the circuit, in drawing order.
std::span<const SchematicPart> SchematicParts();

// Where a part's label is drawn; a zero-size box when it has none.
//   LabelBox({PartKind::kResistor, {16, 102}, {72, 102}, "R1", LabelSide::kAbove})
//       -> {39, 87, 11, 7}: centred over the zigzag, 3 pixels clear of it
Box LabelBox(const SchematicPart& part);

// Draws one part's symbol and leads, or its label, in white.
void DrawPartBody(Image& image, const SchematicPart& part);
void DrawPartLabel(Image& image, const SchematicPart& part);

// The finished picture: black background, every body, then every label.
Image DrawSchematic();
