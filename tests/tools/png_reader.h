// A strict little PNG reader for the tests: checks the signature, every
// chunk's CRC, the chunk order and the IDAT stream, and unpacks the pixels
// of the kinds the icon uses (RGBA 8, indexed 4 and 8, filter 0 to 4).
#pragma once

#include <string>
#include <vector>

#include "artwork/image.h"
#include "byte_reader.h"

struct PngContents {
    std::string Error;  // empty when the file is sound
    uint32_t Width = 0;
    uint32_t Height = 0;
    int BitDepth = 0;
    int ColourType = 0;
    ByteVector Palette;       // PLTE: R, G, B per entry
    ByteVector Transparency;  // tRNS
    ByteVector Rows;          // unfiltered scanlines, no filter bytes
};

PngContents ReadPng(const ByteVector& file);

// Pixel (x, y) of a sound PNG as straight RGBA.
Rgba PngPixel(const PngContents& png, int x, int y);
