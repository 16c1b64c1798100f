// The main window's controls as data: BuildMainWindow walks this table once,
// in order, and adds one control per row. The order is also the keyboard
// order, since the dialog manager tabs through children in creation order.
//
//   for (const ControlRow& row : MainWindowControls())
//       DialogAddControl(window, row.Id, row.Text, row.Kind, row.X, row.Y,
//                        row.Width, row.Height, row.Style, row.ExStyle);
//
//   MainWindowControls().size() == 65
//   MainWindowControls()[0].Id == ID_AF1, [22].Id == ID_SCHEMATIC
#pragma once

#include <cstdint>
#include <span>

#include "dialog.h"

// One control of the main window. Positions and sizes are dialog units.
// Style 0 with ExStyle 0 means "the kind's default" (see ControlKind).
struct ControlRow {
    int Id;
    ControlKind Kind;
    const char* Text;  // for ControlKind::Image: the bitmap's resource name
    int X, Y, Width, Height;
    uint32_t Style;
    uint32_t ExStyle;
};

// The 65 rows in creation order, IDs ascending from 1001 to 1068 (1029, 1052
// and 1053 are not used).
std::span<const ControlRow> MainWindowControls();

// Read-only result box: focusable, selectable, not editable, sunken.
inline constexpr uint32_t kResultBoxStyle =
    WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL;
// Schematic picture: a bitmap shown at its own size, centred, sunken.
inline constexpr uint32_t kPictureStyle = WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_BITMAP;
inline constexpr uint32_t kSunkenEdge = WS_EX_CLIENTEDGE;
