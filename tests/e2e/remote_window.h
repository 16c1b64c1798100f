// Reading and driving another process's windows, as a user's tools do. Every
// call tolerates a null or vanished window (empty text, zero style) and
// never blocks for long: a hung or dead target cannot hang the test.
//
//   HWND calc = ControlFind(main, ID_CALC);
//   WindowText(calc) == "CALC"
//   ControlSetTextRemote(main, ID_AF1, "1.5");      // as if typed, via WM_SETTEXT
//   ControlText(main, ID_OUT_FREQ) == "1000."
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

inline constexpr UINT kSendTimeoutMs = 5000;

// Text through WM_GETTEXT (marshalled across processes), as 8-bit ANSI;
// every text of the program is ASCII.
std::string WindowText(HWND window);
std::wstring WindowTextWide(HWND window);
std::string WindowClass(HWND window);
uint32_t WindowStyle(HWND window);
uint32_t WindowExStyle(HWND window);
int WindowId(HWND window);
HWND WindowOwner(HWND window);
bool WindowExists(HWND window);
// The window rectangle relative to the parent's client area (pixels).
RECT WindowRectInParent(HWND window);
RECT WindowClientOnScreen(HWND window);
POINT WindowCentreOnScreen(HWND window);

// Children in the order the dialog manager walks them (GW_CHILD, then
// GW_HWNDNEXT): creation order for a dialog built without z-order changes.
std::vector<HWND> WindowChildren(HWND parent);

HWND ControlFind(HWND dialog, int id);
std::string ControlText(HWND dialog, int id);
void ControlSetTextRemote(HWND dialog, int id, const std::string& text);

// A WM_COMMAND from a control, as the control itself would send it.
void WindowSendCommand(HWND dialog, int id, int notification);
void WindowPostCommand(HWND dialog, int id, int notification);
