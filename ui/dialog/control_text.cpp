// ControlGetText and ControlSetText: the only way texts enter and leave the
// controls, converted between the ANSI code page and UTF-16.
#include <string>

#include "dialog.h"
#include "dialog_thread.h"

std::string ControlGetText(HWND window, int id) {
    HWND control = window ? GetDlgItem(window, id) : nullptr;
    if (!control) return {};
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return TextFromWide(text);
}

void ControlSetText(HWND window, int id, const std::string& text) {
    HWND control = window ? GetDlgItem(window, id) : nullptr;
    if (!control) return;
    SetWindowTextW(control, TextToWide(text).c_str());
}
