// Process start-up. The C runtime of a GUI-subsystem program calls main;
// this main does what must happen around WinMain and then ends the process
// itself with WinMain's result.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "command_line.h"
#include "dialog.h"
#include "dialog_thread.h"

namespace {

constexpr DWORD kNoSupportBoxStyle = MB_TASKMODAL | MB_SETFOREGROUND;  // 0x12000
constexpr UINT kNoSupportExitCode = 255;

// Windows 9x and ME lack what the dialog layer relies on (UTF-16 windows
// throughout), so they get one message and nothing else.
bool IsNtPlatform() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

int StartupShowCommand() {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

void RegisterCommonControlClasses() {
    // List and tree views, bars, tabs, progress and hot-key controls, pagers,
    // native font and standard classes: registered before any window exists.
    const INITCOMMONCONTROLSEX classes = {
        sizeof(INITCOMMONCONTROLSEX), ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES |
                                          ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS |
                                          ICC_HOTKEY_CLASS | ICC_PAGESCROLLER_CLASS |
                                          ICC_NATIVEFNTCTL_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
}

}  // namespace

int main() {
    if (!IsNtPlatform()) {
        MessageBoxA(nullptr, "Win98 No Support", nullptr, kNoSupportBoxStyle);
        ExitProcess(kNoSupportExitCode);
    }
    const int showCommand = StartupShowCommand();
    std::string arguments = TextFromWide(std::wstring(CommandLineArguments(GetCommandLineW())));
    HINSTANCE instance = GetModuleHandleW(nullptr);

    DialogThreadStart();
    CoInitialize(nullptr);
    RegisterCommonControlClasses();

    const int result = WinMain(instance, nullptr, arguments.data(), showCommand);

    arguments = std::string();
    DialogThreadEnd();
    CoUninitialize();
    ExitProcess(static_cast<UINT>(result));
}
