#include "velmora_session.h"

bool RunningUnderWine() {
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

HWND FocusOf(const App& app) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(app.Process.dwThreadId, &info)) return nullptr;
    return info.hwndFocus;
}
