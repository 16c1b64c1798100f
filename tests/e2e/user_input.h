// Real input through SendInput: it travels the platform's input path (the
// foreground window, the focus, the dialog manager's keyboard handling)
// exactly as a user's keystrokes and clicks do. Input goes to whatever is in
// front when it is queued, so each step waits for its effect before the next.
//
//   ASSERT_TRUE(InputBringToFront(app, app.Main));
//   InputClick(GetDlgItem(app.Main, ID_CALC));
//   InputKey(VK_TAB);  InputChord(VK_MENU, VK_F4);  InputType("1.5e3");
#pragma once

#include <windows.h>

#include <string>

#include "app_process.h"

// Makes the window the foreground window and waits until the program has
// taken the activation: the window is its active one and a control has the
// focus.
bool InputBringToFront(const App& app, HWND window);

void InputClickAt(POINT screen);
// A left click in the middle of the window.
void InputClick(HWND window);

// Alt+F4 to the window, pressed again for as long as the platform lost it
// (at most a few times); false when the window never took it. See
// InputAltF4's comment for why a press can be lost.
bool InputAltF4(const App& app, HWND window);

void InputKey(WORD virtualKey);
// A key pressed while a modifier (VK_MENU, VK_SHIFT, VK_CONTROL) is held.
void InputChord(WORD modifier, WORD virtualKey);
// Types ASCII text key by key, with Shift where the layout needs it.
void InputType(const std::string& text);
