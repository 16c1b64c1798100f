#include "dialog_thread.h"

#include <windows.h>

#include <vector>

#include "dialog.h"
#include "dialog_records.h"

namespace {

// The dialog font: what the template of every dialog names, so that dialog
// units mean the same on every run.
DialogFont DefaultDialogFont() {
    return DialogFont{L"MS Sans Serif", 8, FW_NORMAL, false, 0};
}

SpinFlag fontsFlag;
std::vector<DialogFont> fonts;

// 0 is CP_ACP: the system's ANSI code page, whatever it is.
thread_local UINT textCodePage = CP_ACP;

}  // namespace

void DialogThreadStart() {
    SpinFlagTake(fontsFlag);
    fonts.assign(kDialogFontEntry + 1, DialogFont{});
    fonts[kDialogFontEntry] = DefaultDialogFont();
    SpinFlagRelease(fontsFlag);
    textCodePage = CP_ACP;
}

void DialogThreadEnd() {
    SpinFlagTake(fontsFlag);
    fonts.clear();
    fonts.shrink_to_fit();
    SpinFlagRelease(fontsFlag);
    textCodePage = CP_ACP;
}

DialogFont DialogFontEntry(int index) {
    DialogFont font = DefaultDialogFont();
    SpinFlagTake(fontsFlag);
    if (index >= 0 && static_cast<size_t>(index) < fonts.size() && !fonts[index].Face.empty()) {
        font = fonts[index];
    }
    SpinFlagRelease(fontsFlag);
    return font;
}

std::wstring TextToWide(const std::string& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int wideLength =
        MultiByteToWideChar(textCodePage, MB_PRECOMPOSED, text.data(), length, nullptr, 0);
    if (wideLength <= 0) return {};
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    MultiByteToWideChar(textCodePage, MB_PRECOMPOSED, text.data(), length, wide.data(), wideLength);
    return wide;
}

std::string TextFromWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int length = static_cast<int>(text.size());
    const int narrowLength =
        WideCharToMultiByte(textCodePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (narrowLength <= 0) return {};
    std::string narrow(static_cast<size_t>(narrowLength), '\0');
    WideCharToMultiByte(textCodePage, 0, text.data(), length, narrow.data(), narrowLength, nullptr,
                        nullptr);
    return narrow;
}
