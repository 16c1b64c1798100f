// Output for the generators.
#pragma once

#include "image.h"

// Replaces the file with the bytes. On failure prints the reason to stderr
// and returns false; a partly written file is removed so a build never
// picks it up.
//   WriteFile("schematic.bmp", EncodeBmp24(DrawSchematic())) -> true
bool WriteFile(const char* path, const Bytes& bytes);
