// velmora_pose: starts velmora.exe and brings it into the state the README's
// picture shows (Butterworth loaded, CALC clicked, results shown), with real
// clicks, then leaves it running for scripts/screenshot.sh to photograph.
//
//   velmora_pose.exe PATH\velmora.exe      exit 0 once the results are shown
#include <windows.h>

#include <cstdio>
#include <string>

#include "app_process.h"
#include "control_ids.h"
#include "user_input.h"
#include "waiting.h"

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmora_pose PATH-TO-velmora.exe\n");
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
    // The program keeps running; the handles are simply closed.
    CloseHandle(app.Process.hThread);
    CloseHandle(app.Process.hProcess);
    return 0;
}
