#include "app_icon.h"

#include "ico.h"
#include "icon_art.h"
#include "palette.h"
#include "png.h"

namespace {

Bytes EncodeImage(const Image& art, int bits) {
    if (bits == 32) {
        return art.Width >= kPngIconSize ? EncodePngRgba(art) : EncodeIconDib(art, 32, {}, {});
    }
    const std::vector<Rgba> palette = IconArtPalette(1 << bits);
    const std::vector<uint8_t> indices = QuantizeImage(art, palette);
    if (art.Width >= kPngIconSize) {
        return EncodePngIndexed(art.Width, art.Height, bits, indices, palette);
    }
    return EncodeIconDib(art, bits, indices, palette);
}

}  // namespace

Bytes BuildAppIcon() {
    std::vector<IconEntry> entries;
    for (const IconFormat& format : kAppIconFormats) {
        entries.push_back(
            {format.Size, format.Bits, EncodeImage(DrawIconArt(format.Size), format.Bits)});
    }
    return EncodeIcoFile(entries);
}
