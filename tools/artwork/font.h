// A 5 x 7 pixel font for the schematic's part labels: upper-case letters,
// digits and the few signs a reference designator uses. Each glyph advances
// six pixels (one blank column between letters).
#pragma once

#include <string_view>

#include "image.h"

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// True when every character of the text has a glyph.
//   CanDrawText("RK-R") -> true     CanDrawText("r1") -> false (no lower case)
bool CanDrawText(std::string_view text);

// Width of the inked text, without the blank column after the last glyph.
//   TextWidth("R1") -> 11     TextWidth("") -> 0
int TextWidth(std::string_view text);

// Draws the text with its top-left corner at (x, y). Characters without a
// glyph are skipped but keep their advance; check with CanDrawText first.
void DrawText(Image& image, int x, int y, std::string_view text, Rgba colour);
