#include "remote_window.h"

namespace {

LRESULT SendBounded(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!window || !SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG,
                                        kSendTimeoutMs, &result))
        return 0;
    return static_cast<LRESULT>(result);
}

}  // namespace

std::wstring WindowTextWide(HWND window) {
    const auto length = static_cast<size_t>(SendBounded(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        SendBounded(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return text;
}

std::string WindowText(HWND window) {
    const std::wstring wide = WindowTextWide(window);
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size,
                        nullptr, nullptr);
    return text;
}

std::string WindowClass(HWND window) {
    char name[64] = {};
    if (!window || !GetClassNameA(window, name, sizeof name)) return {};
    return name;
}

uint32_t WindowStyle(HWND window) {
    return window ? static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE)) : 0;
}

uint32_t WindowExStyle(HWND window) {
    return window ? static_cast<uint32_t>(GetWindowLongW(window, GWL_EXSTYLE)) : 0;
}

int WindowId(HWND window) {
    return window ? GetDlgCtrlID(window) : 0;
}

HWND WindowOwner(HWND window) {
    return window ? GetWindow(window, GW_OWNER) : nullptr;
}

bool WindowExists(HWND window) {
    return window && IsWindow(window);
}

RECT WindowRectInParent(HWND window) {
    RECT rect = {};
    if (!window || !GetWindowRect(window, &rect)) return {};
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT WindowClientOnScreen(HWND window) {
    RECT rect = {};
    if (!window || !GetClientRect(window, &rect)) return {};
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT WindowCentreOnScreen(HWND window) {
    RECT rect = {};
    if (!window || !GetWindowRect(window, &rect)) return {};
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::vector<HWND> WindowChildren(HWND parent) {
    std::vector<HWND> children;
    if (!parent) return children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND ControlFind(HWND dialog, int id) {
    return dialog ? GetDlgItem(dialog, id) : nullptr;
}

std::string ControlText(HWND dialog, int id) {
    return WindowText(ControlFind(dialog, id));
}

void ControlSetTextRemote(HWND dialog, int id, const std::string& text) {
    HWND control = ControlFind(dialog, id);
    if (!control) return;
    const int size =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    SendBounded(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void WindowSendCommand(HWND dialog, int id, int notification) {
    SendBounded(dialog, WM_COMMAND, MAKEWPARAM(id, notification),
                reinterpret_cast<LPARAM>(ControlFind(dialog, id)));
}

void WindowPostCommand(HWND dialog, int id, int notification) {
    if (dialog)
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, notification),
                     reinterpret_cast<LPARAM>(ControlFind(dialog, id)));
}
