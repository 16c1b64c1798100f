// The dialog layer: every window of the program is a dialog built from an
// in-memory template, filled with child controls, run modally with an event
// handler and finished with a 32-bit result.
//
//   DialogThreadStart();                       // once, from process start-up
//   HWND dlg = DialogCreate(Units::Dialog, nullptr, "Title", 145, 138, 513, 277,
//                           WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT);
//   DialogAddControl(dlg, 1001, "", ControlKind::TextBox, 70, 10, 60, 10, 0, 0);
//   DialogAddControl(dlg, 1023, "Schematic", ControlKind::Image, 15, 95, 255, 155,
//                    WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE | SS_BITMAP, WS_EX_CLIENTEDGE);
//   DialogLoadIcon(dlg, "APPICON");
//   int32_t result = DialogRunModal(dlg, MyHandler);  // returns once dlg is gone
//   DialogThreadEnd();
//
// All of it runs on the one GUI thread. Texts are 8-bit strings in the ANSI
// code page; they become UTF-16 only at the window boundary. Nothing here
// reports failure: a window that cannot be created is simply absent, and
// every operation on a handle that is not a dialog of this layer does nothing.
//
// Not provided, because no window of the program needs them: owner windows,
// menus, accelerator tables, custom colours and per-control handlers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// How positions and sizes are given: dialog units of the dialog font (as
// MapDialogRect converts them), or pixels, where DialogCreate's size is the
// client size and its position is relative to the parent's client area.
enum class Units { Dialog, Pixels };

// The kinds of child control DialogAddControl knows. With style 0 each gets
// its default, always WS_CHILD | WS_VISIBLE and: Button WS_TABSTOP |
// BS_PUSHBUTTON, Label SS_LEFT, TextBox WS_TABSTOP | ES_AUTOHSCROLL with
// WS_EX_CLIENTEDGE (sunken), Image SS_BITMAP.
enum class ControlKind { Button, Label, TextBox, Image };

// The event handler of a dialog. Parameters and result are 32 bits wide, as
// on the platform the program targets. Return 0 for "not handled": the layer
// then applies its defaults (SC_CLOSE finishes the dialog with 0) and the
// platform its default dialog processing. A nonzero result is returned to the
// platform and, unless the handler stored one itself, becomes the message
// result (DWLP_MSGRESULT).
//
// The handler may run a nested message loop (a message box) and may finish
// its own dialog from inside it.
using DialogHandler = int32_t (*)(HWND dialog, uint32_t message, uint32_t wParam, int32_t lParam);

// x or y of DialogCreate that asks for a centred dialog (DS_CENTER).
inline constexpr int kDialogCentred = INT32_MIN;

// Per-thread state of the layer; process start-up calls DialogThreadStart
// before the first window and DialogThreadEnd after the last. Without them
// the layer uses the same values: the dialog font (font table entry 1) "MS
// Sans Serif" 8 pt, normal weight, ANSI charset, and the ANSI code page.
void DialogThreadStart();
void DialogThreadEnd();

// Creates a hidden dialog without controls and returns it, or null. Style 0
// means WS_POPUP | WS_CAPTION | DS_MODALFRAME. WS_VISIBLE and DS_SYSMODAL are
// always removed: the dialog appears when DialogRunModal shows it.
HWND DialogCreate(Units units, HWND parent, const std::string& caption, int x, int y, int width,
                  int height, uint32_t style, uint32_t exStyle);

// Adds a visible child control in the dialog's font. Style 0 picks the kind's
// default; exStyle is used as given. For ControlKind::Image the text is no
// window text but the name of the picture: a bitmap resource, matched ASCII
// case-insensitively, "#7" standing for number 7; a name that is no bitmap is
// loaded as an icon, and the control stays empty if that fails too.
//
//   DialogAddControl(dlg, 1023, "schematic", ControlKind::Image, ...)  // BITMAP SCHEMATIC
void DialogAddControl(HWND dialog, int id, const std::string& text, ControlKind kind, int x, int y,
                      int width, int height, uint32_t style, uint32_t exStyle);

// Gives the dialog the 32 px (large) and 16 px (small) images of an icon
// group; the small one is tried only if the large one loaded.
void DialogLoadIcon(HWND dialog, const std::string& iconName);

// Calls the handler with WM_INITDIALOG and WM_SIZE while the dialog is still
// hidden, shows it, and pumps the thread's messages until the dialog no
// longer exists, however it was destroyed. WM_QUIT does not end the run.
// Returns the result given to DialogFinish, else 0.
int32_t DialogRunModal(HWND dialog, DialogHandler handler);

// Stores the result for DialogRunModal and destroys the dialog. The handler
// still receives WM_CLOSE on the way.
void DialogFinish(HWND dialog, int32_t result);

// The whole text of the child with the given ID, or "" if there is none.
std::string ControlGetText(HWND window, int id);

// Gives the child with the given ID exactly this text; no such child, no-op.
void ControlSetText(HWND window, int id, const std::string& text);

// How many windows (dialogs and their controls) the layer keeps records for;
// 0 once every dialog has been destroyed.
int DialogRecordCount();
