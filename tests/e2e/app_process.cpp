#include "app_process.h"

#include "waiting.h"

namespace {

struct WindowSearch {
    DWORD ProcessId;
    const std::string* Caption;
    std::vector<HWND> Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.ProcessId && IsWindowVisible(window) &&
        WindowText(window) == *search.Caption)
        search.Found.push_back(window);
    return TRUE;
}

GUITHREADINFO ThreadInfo(const App& app) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(app.Process.dwThreadId, &info);
    return info;
}

}  // namespace

bool AppLaunch(App& app, const std::wstring& exePath) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"";
    return CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &app.Process) != FALSE;
}

bool AppStart(App& app, const std::wstring& exePath) {
    if (!AppLaunch(app, exePath)) return false;
    WaitUntil([&] {
        const std::vector<HWND> shown = AppWindows(app, kMainCaption);
        app.Main = shown.empty() ? nullptr : shown.front();
        return (app.Main && ActiveOf(app) == app.Main && FocusOf(app)) || !AppRunning(app);
    });
    return app.Main && AppRunning(app);
}

std::vector<HWND> AppWindows(const App& app, const std::string& caption) {
    WindowSearch search = {app.Process.dwProcessId, &caption, {}};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool AppRunning(const App& app) {
    return app.Process.hProcess && WaitForSingleObject(app.Process.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> AppWaitExit(App& app) {
    if (!app.Process.hProcess ||
        WaitForSingleObject(app.Process.hProcess, kHangGuardMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(app.Process.hProcess, &code);
    return code;
}

void AppEnd(App& app) {
    if (AppRunning(app)) {
        for (const char* caption : {kMainCaption, "Help/About", "Error"})
            for (HWND window : AppWindows(app, caption))
                PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (!AppWaitExit(app)) TerminateProcess(app.Process.hProcess, 1);
        WaitForSingleObject(app.Process.hProcess, INFINITE);
    }
    if (app.Process.hThread) CloseHandle(app.Process.hThread);
    if (app.Process.hProcess) CloseHandle(app.Process.hProcess);
    app = App{};
}

HWND ActiveOf(const App& app) {
    return ThreadInfo(app).hwndActive;
}

HWND FocusOf(const App& app) {
    return ThreadInfo(app).hwndFocus;
}

std::string WindowText(HWND window) {
    if (!window) return {};
    std::wstring text(static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return std::string(text.begin(), text.end());  // every text of the program is ASCII
}

std::string ControlText(HWND dialog, int id) {
    return dialog ? WindowText(GetDlgItem(dialog, id)) : std::string();
}

void ControlSetTextRemote(HWND dialog, int id, const std::string& text) {
    const std::wstring wide(text.begin(), text.end());
    if (HWND control = dialog ? GetDlgItem(dialog, id) : nullptr)
        SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void WindowPostCommand(HWND dialog, int id) {
    if (dialog)
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}
