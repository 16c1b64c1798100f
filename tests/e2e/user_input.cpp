#include "user_input.h"

#include <vector>

#include "waiting.h"

namespace {

INPUT KeyEvent(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT MouseEvent(DWORD flags, LONG x = 0, LONG y = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = x;
    input.mi.dy = y;
    input.mi.dwFlags = flags;
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

bool InputBringToFront(const App& app, HWND window) {
    if (!window) return false;
    // Activation sends messages to the thread that had the foreground, which
    // may be this one: serve them while waiting. And a late focus event from
    // the X server can hand the foreground back: then ask again.
    return WaitUntil([&] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        if (GetForegroundWindow() != window) SetForegroundWindow(window);
        return GetForegroundWindow() == window && ActiveOf(app) == window && FocusOf(app);
    });
}

void InputClickAt(POINT screen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    // Absolute coordinates are 0..65535 across the primary screen. Each event
    // carries the position: under Wine a pointer motion reported late by the
    // X server can otherwise move a press back to where the last click was.
    const LONG x = MulDiv(screen.x, 65536, width) + 65536 / width / 2;
    const LONG y = MulDiv(screen.y, 65536, height) + 65536 / height / 2;
    constexpr DWORD kAt = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send({MouseEvent(kAt, x, y), MouseEvent(kAt | MOUSEEVENTF_LEFTDOWN, x, y),
          MouseEvent(kAt | MOUSEEVENTF_LEFTUP, x, y)});
}

void InputClick(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    // A second click on the spot of the last one may count as a double
    // click, which an edit control ignores unless it already has the focus.
    static POINT last = {-1, -1};
    if (centre.x == last.x && centre.y == last.y) centre.x += GetSystemMetrics(SM_CXDOUBLECLK);
    last = centre;
    InputClickAt(centre);
}

void InputKey(WORD virtualKey) {
    Send({KeyEvent(virtualKey, false), KeyEvent(virtualKey, true)});
}

void InputChord(WORD modifier, WORD virtualKey) {
    Send({KeyEvent(modifier, false), KeyEvent(virtualKey, false), KeyEvent(virtualKey, true),
          KeyEvent(modifier, true)});
}

void InputType(const std::string& text) {
    for (const char c : text) {
        const SHORT scan = VkKeyScanA(c);
        const auto key = static_cast<WORD>(scan & 0xFF);
        if (scan & 0x100)
            InputChord(VK_SHIFT, key);
        else
            InputKey(key);
    }
}
