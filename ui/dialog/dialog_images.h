// Pictures of the layer: the image control's bitmap or icon, and the icons
// of a dialog, all loaded from the program's own resources.
#pragma once

#include <windows.h>

#include <string>

// Whether the module has a bitmap resource of this name: ASCII letters match
// without regard to case, and "#12" stands for the number 12.
//
//   ModuleHasBitmap("Schematic") -> true for BITMAP SCHEMATIC
//   ModuleHasBitmap("#7")        -> true for 7 BITMAP
bool ModuleHasBitmap(const std::string& name);

// Loads the named bitmap (or icon) into an image control and keeps it in the
// control's record; the control stays empty if nothing loads.
void ImageControlLoad(HWND control, const std::string& name, bool isBitmap);
