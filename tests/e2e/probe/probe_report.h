// What the probe DLL reports from inside a running velmora.exe: the facts
// that do not cross a process boundary (dialog-unit mapping, icon and bitmap
// handles, GDI and USER object counts).
//
// The facts are read in process because they must be: under Wine,
// MapDialogRect fails on another process's dialog, WM_GETICON from another
// process returns null, and GDI handles mean nothing outside their process.
// The calculations run in process to be quick: the program's modal loop
// polls with 1 ms sleeps, so every message sent from outside waits for it.
//
// The driver creates the named mapping ProbeMappingName(pid), writes the
// request (rectangles to map, calculations to run), hooks the program's GUI
// thread with ProbeHookProc from velmora_probe.dll and sends the main window
// kProbeMessageName with a new request number, then unhooks. The hook only
// sets a timer; when the program's message loop runs it, the probe fills in
// the report in the program's own thread and sets Answered to the request
// number last. The driver polls for that.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

inline constexpr const wchar_t* kProbeMessageName = L"VelmoraProbeRequest";
inline constexpr const char* kProbeHookProcName =
    "ProbeHookProc";  // exported undecorated (--kill-at)
inline constexpr int kProbeMaxRects = 80;

inline std::wstring ProbeMappingName(DWORD processId) {
    return L"Local\\VelmoraProbe." + std::to_wstring(processId);
}

struct ProbeSize {
    int32_t Width, Height, BitsPerPixel;
};

struct ProbeReport {
    uint32_t Answered;  // the request number, once answered

    // In: calculations to run before the facts are read, in the program's
    // own thread: each puts random texts drawn from SoakSeed into the eight
    // input boxes (empty parameter boxes and ISF 0 among them, which give
    // infinite results) and sends the main window CALC's command. Out: how
    // long they took.
    int32_t SoakCalculations;
    uint32_t SoakSeed;
    double SoakSeconds;

    // In: rectangles in dialog units. Out: the same, through MapDialogRect
    // on the main window.
    int32_t RectCount;
    RECT Rects[kProbeMaxRects];

    ProbeSize LargeIcon;  // colour bitmap of WM_GETICON ICON_BIG; 0 x 0 when none
    ProbeSize SmallIcon;  // ICON_SMALL
    ProbeSize Picture;    // STM_GETIMAGE IMAGE_BITMAP of the schematic control

    // The dialog font, from WM_GETFONT.
    wchar_t FontFace[LF_FACESIZE];
    int32_t FontHeight, FontWeight, FontItalic, FontCharset;

    // Object counts of the process. Where the platform's GetGuiResources is
    // not implemented (Wine), GDI objects are counted in the process's GDI
    // handle table and USER objects as the thread's windows.
    uint32_t GdiObjects;
    uint32_t UserObjects;
    int32_t CountsFromPlatform;
};
