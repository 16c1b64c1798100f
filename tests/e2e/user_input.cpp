#include "user_input.h"

#include <cstdio>
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

// Under Wine a focus event that the X server reports late makes Wine line
// its modifier keys up with the X server's, which never saw our Alt: Alt is
// released between our Alt and F4 press, the window gets a plain F4, and a
// lone Alt press may even open the system menu. A Tab after the chord tells
// taken from lost: input is served in order, and the close that Alt+F4 posts
// is served before any later input, so a focus that moves on inside the
// window, or a menu, means the chord was lost.
bool InputAltF4(const App& app, HWND window) {
    const auto inMenu = [&] {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(app.Process.dwThreadId, &info);
        return (info.flags & (GUI_INMENUMODE | GUI_SYSTEMMENUMODE | GUI_POPUPMENUMODE)) != 0;
    };
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (!InputBringToFront(app, window)) return !IsWindow(window);
        const HWND before = FocusOf(app);
        InputChord(VK_MENU, VK_F4);
        InputKey(VK_TAB);
        bool lost = false;
        const bool settled = WaitUntil([&] {
            if (!IsWindow(window) || !AppRunning(app)) return true;
            const HWND focus = FocusOf(app);
            lost = inMenu() || (focus != before && IsChild(window, focus));
            return lost;
        });
        if (!settled) return false;
        if (!lost) return true;
        std::printf("Alt+F4 was lost to a late focus event of the X server; pressed again\n");
        while (inMenu()) {
            InputKey(VK_ESCAPE);
            if (!WaitUntil([&] { return !inMenu() || !AppRunning(app); })) return false;
        }
    }
    return false;
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
