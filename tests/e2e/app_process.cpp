#include "app_process.h"

#include "remote_window.h"

namespace {

struct WindowSearch {
    DWORD ProcessId;
    const std::string* Caption;
    const std::string* ClassName;
    HWND Found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search.ProcessId || !IsWindowVisible(window)) return TRUE;
    if (!search.ClassName->empty() && WindowClass(window) != *search.ClassName) return TRUE;
    if (WindowText(window) != *search.Caption) return TRUE;
    search.Found = window;
    return FALSE;
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
    return WaitUntil([&] {
        app.Main = AppFindWindow(app, kMainCaption);
        return app.Main != nullptr;
    });
}

HWND AppFindWindow(const App& app, const std::string& caption, const std::string& className) {
    WindowSearch search = {app.Process.dwProcessId, &caption, &className, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

bool AppRunning(const App& app) {
    return app.Process.hProcess && WaitForSingleObject(app.Process.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> AppWaitExit(App& app, DWORD timeoutMs) {
    if (!app.Process.hProcess ||
        WaitForSingleObject(app.Process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(app.Process.hProcess, &code);
    return code;
}

void AppEnd(App& app) {
    if (AppRunning(app)) {
        if (app.Main) PostMessageW(app.Main, WM_SYSCOMMAND, SC_CLOSE, 0);
        if (!AppWaitExit(app, 2000)) {
            TerminateProcess(app.Process.hProcess, 1);
            WaitForSingleObject(app.Process.hProcess, kWaitTimeoutMs);
        }
    }
    if (app.Process.hThread) CloseHandle(app.Process.hThread);
    if (app.Process.hProcess) CloseHandle(app.Process.hProcess);
    app = App{};
}
