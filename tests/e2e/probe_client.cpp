#include "probe_client.h"

#include "e2e_options.h"
#include "remote_window.h"

bool ProbeRead(const App& app, ProbeReport& report) {
    static HMODULE probe = LoadLibraryW(Options().ProbeDll.c_str());
    static const auto hookProc = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(GetProcAddress(probe, kProbeHookProcName)));
    static const UINT probeMessage = RegisterWindowMessageW(kProbeMessageName);
    static uint32_t requests = 0;
    if (!hookProc || !app.Main || report.RectCount > kProbeMaxRects) return false;

    HANDLE mapping =
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(ProbeReport),
                           ProbeMappingName(app.Process.dwProcessId).c_str());
    if (!mapping) return false;
    auto* shared = static_cast<ProbeReport*>(
        MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(ProbeReport)));
    bool answered = false;
    if (shared) {
        *shared = report;
        const uint32_t request = ++requests;
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, hookProc, probe, app.Process.dwThreadId);
        if (hook) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(app.Main, probeMessage, request, 0, SMTO_ABORTIFHUNG,
                                kSendTimeoutMs, &ignored);
            UnhookWindowsHookEx(hook);
            // Long enough for the 10,000 calculations of the soak test.
            // The program writes the mapping: read it afresh each time.
            const volatile uint32_t& reply = shared->Answered;
            WaitUntil([&] { return reply == request; }, 180000);
        }
        answered = shared->Answered == request;
        if (answered) report = *shared;
        UnmapViewOfFile(shared);
    }
    CloseHandle(mapping);
    return answered;
}

bool ProbeMapRects(const App& app, const std::vector<RECT>& dialogUnitRects, ProbeReport& report) {
    if (dialogUnitRects.size() > kProbeMaxRects) return false;
    report = ProbeReport{};
    report.RectCount = static_cast<int32_t>(dialogUnitRects.size());
    for (size_t k = 0; k < dialogUnitRects.size(); ++k)
        report.Rects[k] = dialogUnitRects[k];
    return ProbeRead(app, report);
}
