// velmora_pose: starts velmora.exe and brings it into the state the README's
// picture shows (Butterworth loaded, CALC clicked, results shown), with real
// clicks, then leaves it running for scripts/screenshot.sh to photograph, or
// closes it as a user would (scripts/package-tests.sh, on an installed copy).
//
//   velmora_pose.exe PATH\velmora.exe          exit 0 once the results are shown
//   velmora_pose.exe PATH\velmora.exe --close  ... and the program has ended with 0
#include <windows.h>

#include <cstdio>
#include <string>

#include "app_process.h"
#include "control_ids.h"
#include "user_input.h"
#include "waiting.h"

int wmain(int argc, wchar_t** argv) {
    const bool close = argc == 3 && std::wstring(argv[2]) == L"--close";
    if (argc != 2 && !close) {
        std::fprintf(stderr, "usage: velmora_pose PATH-TO-velmora.exe [--close]\n");
        return 2;
    }
    App app;
    if (!AppStart(app, argv[1]) || !InputBringToFront(app, app.Main)) {
        std::fprintf(stderr, "velmora_pose: the main window did not appear\n");
        return 1;
    }
    InputClick(GetDlgItem(app.Main, ID_STD_BUTTERWORTH));
    const bool loaded = WaitUntil([&] { return ControlText(app.Main, ID_F2) == "1"; });
    InputClick(GetDlgItem(app.Main, ID_CALC));
    const bool shown = WaitUntil([&] { return ControlText(app.Main, ID_OUT_FREQ) == "1000."; });
    if (!loaded || !shown) {
        std::fprintf(stderr, "velmora_pose: the Butterworth results did not appear\n");
        return 1;
    }
    std::printf("velmora_pose: Butterworth results shown\n");
    if (close) {
        PostMessageW(app.Main, WM_SYSCOMMAND, SC_CLOSE, 0);
        const std::optional<DWORD> status = AppWaitExit(app);
        AppEnd(app);
        if (status != 0u) {
            std::fprintf(stderr, "velmora_pose: the program did not end cleanly on close\n");
            return 1;
        }
        return 0;
    }
    // The program keeps running; the handles are simply closed.
    CloseHandle(app.Process.hThread);
    CloseHandle(app.Process.hProcess);
    return 0;
}
