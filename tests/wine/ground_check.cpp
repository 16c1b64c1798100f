// Checks the ground the window tests stand on, before they run: the face Wine
// resolves for the dialog font, the base units that face gives, the screen
// size and the DPI. The window tests compare pixel positions, so a host whose
// fonts differ would fail them by the dozen with no word of why; this says in
// one line what is off and what sets it right, and exits 1.
//
//   ground_check.exe    -> "Wine ground: MS Sans Serif 8 is Liberation Sans,
//                            base units 6 x 12, screen 1024 x 768 at 96 dpi"
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Ground {
    std::wstring Face;  // face of the font file Wine actually uses
    int UnitX = 0, UnitY = 0;
    int ScreenX = 0, ScreenY = 0;
    int Dpi = 0;
};

// What scripts/wine-session.sh pins: the dialog font served by a face from a
// package that install-deps.sh installs (wine-prefix.reg), a 1024 x 768
// screen, 96 dpi.
const Ground kPinned{L"Liberation Sans", 6, 12, 1024, 768, 96};

Ground Measure() {
    Ground g;
    g.ScreenX = GetSystemMetrics(SM_CXSCREEN);
    g.ScreenY = GetSystemMetrics(SM_CYSCREEN);
    HDC dc = GetDC(nullptr);
    g.Dpi = GetDeviceCaps(dc, LOGPIXELSY);

    // The font a dialog template's "MS Sans Serif", 8 gets.
    LOGFONTW request{};
    request.lfHeight = -MulDiv(8, g.Dpi, 72);
    request.lfWeight = FW_NORMAL;
    request.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(request.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
    HFONT font = CreateFontIndirectW(&request);
    HGDIOBJ previous = SelectObject(dc, font);

    // GetTextFace and the family name answer with the name asked for when a
    // replacement serves it; the outline face name is the file's own.
    if (UINT size = GetOutlineTextMetricsW(dc, 0, nullptr)) {
        std::vector<char> buffer(size);
        auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
        if (GetOutlineTextMetricsW(dc, size, metrics))
            g.Face = reinterpret_cast<const wchar_t*>(
                buffer.data() + reinterpret_cast<size_t>(metrics->otmpFaceName));
    } else {
        wchar_t name[LF_FACESIZE] = L"";
        GetTextFaceW(dc, LF_FACESIZE, name);
        g.Face = std::wstring(name) + L" (bitmap)";
    }

    // Base units as the dialog manager computes them from the font.
    TEXTMETRICW text{};
    GetTextMetricsW(dc, &text);
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE extent{};
    GetTextExtentPoint32W(dc, kAlphabet, 52, &extent);
    g.UnitX = (extent.cx / 26 + 1) / 2;
    g.UnitY = text.tmHeight;

    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    return g;
}

}  // namespace

int main() {
    const Ground g = Measure();
    if (g.Face != kPinned.Face || g.UnitX != kPinned.UnitX || g.UnitY != kPinned.UnitY) {
        std::printf(
            "Wine ground: the dialog font MS Sans Serif 8 is %ls with base units %d x %d, not %ls "
            "with %d x %d: install fonts-liberation (bash scripts/install-deps.sh) and "
            "run in a prefix pinned by scripts/wine-session.sh\n",
            g.Face.c_str(), g.UnitX, g.UnitY, kPinned.Face.c_str(), kPinned.UnitX, kPinned.UnitY);
        return 1;
    }
    if (g.ScreenX != kPinned.ScreenX || g.ScreenY != kPinned.ScreenY) {
        std::printf(
            "Wine ground: the screen is %d x %d, not %d x %d: the Xvfb screen of "
            "scripts/wine-session.sh\n",
            g.ScreenX, g.ScreenY, kPinned.ScreenX, kPinned.ScreenY);
        return 1;
    }
    if (g.Dpi != kPinned.Dpi) {
        std::printf(
            "Wine ground: %d dpi, not %d: LogPixels in the prefix (scripts/wine-prefix.reg)\n",
            g.Dpi, kPinned.Dpi);
        return 1;
    }
    std::printf(
        "Wine ground: MS Sans Serif 8 is %ls, base units %d x %d, screen %d x %d at %d dpi\n",
        g.Face.c_str(), g.UnitX, g.UnitY, g.ScreenX, g.ScreenY, g.Dpi);
    return 0;
}
