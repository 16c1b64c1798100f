// The main window: built once at start-up, run modally until EXIT or the
// close box, then gone for good.
//
//   int32_t result = BuildMainWindow(nullptr);   // returns after the window closed; 0
//
// Everything happens on the one GUI thread. Between two calculations the
// only copy of every input and result is the text of its control.
#pragma once

#include <windows.h>

#include <cstdint>

#include "velmora_version.h"

// Where and how the main window appears: dialog units of the dialog font,
// relative to the screen, no centring.
struct MainWindowFrame {
    const char* Caption;
    int X, Y, Width, Height;  // Width and Height are the client area
    uint32_t Style;
    uint32_t ExStyle;
    const char* IconName;
};

// Fixed frame with caption, system menu, minimise and maximise boxes; shown
// by the modal run, not by creation (WS_VISIBLE is dropped by DialogCreate).
inline constexpr char kMainWindowCaption[] = "Velmora Designer  " VELMORA_VERSION_TEXT;
inline constexpr uint32_t kMainWindowStyle =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
    WS_MAXIMIZEBOX | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
inline constexpr MainWindowFrame kMainWindowFrame = {
    kMainWindowCaption, 145, 138, 513, 277, kMainWindowStyle, WS_EX_CONTROLPARENT, "APPICON"};

// Creates the window and its 65 controls in table order, gives it its icon
// and runs it with MainWindowCallback. Returns the result the window was
// finished with. A window that cannot be created makes this return 0 at
// once, silently.
int32_t BuildMainWindow(HWND parent);

// The main window's event handler (a DialogHandler). Always returns 0, so the
// dialog layer and the platform's dialog manager still do their default
// processing of every message, including the ones acted on here:
//   WM_NCACTIVATE  remembers the focused control on deactivation and gives
//                  it the focus back on the next activation;
//   WM_COMMAND     with notification code 0 or 1: the preset buttons fill
//                  the four parameter boxes, CALC computes, EXIT finishes
//                  the window, HELP/ABOUT shows the help page. Every other
//                  ID (text boxes, IDOK, IDCANCEL) and code does nothing.
//
// The help page has no owner, so this handler is re-entered while it is
// open; every action is safe nested, EXIT included.
int32_t MainWindowCallback(HWND window, uint32_t message, uint32_t wParam, int32_t lParam);
