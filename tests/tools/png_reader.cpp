#include "png_reader.h"

#include <zlib.h>

#include <cstdlib>

namespace {

int BytesPerPixel(const PngContents& png) {
    return png.ColourType == 6 ? 4 : 1;
}

std::size_t RowBytes(const PngContents& png) {
    const int bits = png.ColourType == 6 ? 32 : png.BitDepth;
    return (png.Width * bits + 7) / 8;
}

uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    return static_cast<uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

std::string Unfilter(PngContents& png, const ByteVector& raw) {
    const std::size_t stride = RowBytes(png);
    if (raw.size() != png.Height * (stride + 1)) return "IDAT inflates to the wrong length";
    const std::size_t step = BytesPerPixel(png);
    png.Rows.assign(png.Height * stride, 0);
    for (std::size_t y = 0; y < png.Height; ++y) {
        const uint8_t filter = raw[y * (stride + 1)];
        if (filter > 4) return "bad filter type";
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= step ? png.Rows[y * stride + i - step] : 0;
            const int b = y > 0 ? png.Rows[(y - 1) * stride + i] : 0;
            const int c = i >= step && y > 0 ? png.Rows[(y - 1) * stride + i - step] : 0;
            const int predictors[] = {0, a, b, (a + b) / 2, Paeth(a, b, c)};
            png.Rows[y * stride + i] =
                static_cast<uint8_t>(raw[y * (stride + 1) + 1 + i] + predictors[filter]);
        }
    }
    return "";
}

}  // namespace

PngContents ReadPng(const ByteVector& file) {
    PngContents png;
    const ByteVector signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(signature.begin(), signature.end(), file.begin())) {
        png.Error = "no PNG signature";
        return png;
    }
    ByteVector compressed;
    std::vector<std::string> order;
    std::size_t at = 8;
    while (at + 12 <= file.size()) {
        const uint32_t length = ReadU32Be(file, at);
        if (at + 12 + length > file.size()) break;
        const std::string type(file.begin() + at + 4, file.begin() + at + 8);
        const uint8_t* body = file.data() + at + 4;
        if (crc32(0, body, 4 + length) != ReadU32Be(file, at + 8 + length)) {
            png.Error = "bad CRC in " + type;
            return png;
        }
        const ByteVector data(file.begin() + at + 8, file.begin() + at + 8 + length);
        if (type == "IHDR" && length == 13) {
            png.Width = ReadU32Be(data, 0);
            png.Height = ReadU32Be(data, 4);
            png.BitDepth = data[8];
            png.ColourType = data[9];
            if (data[10] != 0 || data[11] != 0 || data[12] != 0) png.Error = "unusual IHDR";
        } else if (type == "PLTE") {
            png.Palette = data;
        } else if (type == "tRNS") {
            png.Transparency = data;
        } else if (type == "IDAT") {
            compressed.insert(compressed.end(), data.begin(), data.end());
        }
        order.push_back(type);
        at += 12 + length;
    }
    if (!png.Error.empty()) return png;
    if (at != file.size()) {
        png.Error = "truncated or trailing bytes";
    } else if (order.empty() || order.front() != "IHDR") {
        png.Error = "IHDR is not first";
    } else if (order.back() != "IEND") {
        png.Error = "IEND is not last";
    } else if (png.ColourType == 3 && png.Palette.empty()) {
        png.Error = "indexed without PLTE";
    }
    if (!png.Error.empty()) return png;

    ByteVector raw(png.Height * (RowBytes(png) + 1));
    uLongf size = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &size, compressed.data(), static_cast<uLong>(compressed.size())) !=
        Z_OK) {
        png.Error = "IDAT does not inflate";
        return png;
    }
    raw.resize(size);
    png.Error = Unfilter(png, raw);
    return png;
}

Rgba PngPixel(const PngContents& png, int x, int y) {
    const std::size_t row = static_cast<std::size_t>(y) * RowBytes(png);
    if (png.ColourType == 6) {
        const uint8_t* p = &png.Rows[row + 4 * static_cast<std::size_t>(x)];
        return {p[0], p[1], p[2], p[3]};
    }
    const uint8_t byte = png.Rows[row + static_cast<std::size_t>(x) * png.BitDepth / 8];
    const int index = png.BitDepth == 8 ? byte : (x % 2 == 0 ? byte >> 4 : byte & 0x0F);
    const std::size_t entry = 3 * static_cast<std::size_t>(index);
    const uint8_t alpha = static_cast<std::size_t>(index) < png.Transparency.size()
                              ? png.Transparency[index]
                              : uint8_t{255};
    return {png.Palette.at(entry), png.Palette.at(entry + 1), png.Palette.at(entry + 2), alpha};
}
