// Real input through SendInput: it travels the platform's input path (the
// foreground window, the focus, the dialog manager's keyboard handling)
// exactly as a user's keystrokes and clicks do.
//
//   ASSERT_TRUE(InputBringToFront(app.Main));
//   InputClick(ControlFind(app.Main, ID_CALC));
//   InputKey(VK_TAB);  InputChord(VK_MENU, VK_F4);  InputType("1.5e3");
#pragma once

#include <windows.h>

#include <string>

// Makes the window the foreground window and waits until it is.
bool InputBringToFront(HWND window);

void InputClickAt(POINT screen);
// A left click in the middle of the window.
void InputClick(HWND window);

void InputKey(WORD virtualKey);
// A key pressed while a modifier (VK_MENU, VK_SHIFT, VK_CONTROL) is held.
void InputChord(WORD modifier, WORD virtualKey);
// Types ASCII text key by key, with Shift where the layout needs it.
void InputType(const std::string& text);
