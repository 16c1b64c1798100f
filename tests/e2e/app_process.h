// velmora.exe as a separate process under test, read and driven through the
// Win32 API as a user's tools do.
//
//   App app;
//   ASSERT_TRUE(AppStart(app, exePath));      // shown and ready for input
//   ControlText(app.Main, ID_OUT_FREQ) == "1000."
//   PostMessageW(app.Main, WM_SYSCOMMAND, SC_CLOSE, 0);
//   EXPECT_EQ(AppWaitExit(app), 0u);
//   AppEnd(app);                               // always, also after failures
//
// Reads are sent messages without a timeout: an answer is a condition, and
// a busy program answers late, not never.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

inline constexpr const char* kMainCaption = "Velmora Designer  1.03";

struct App {
    PROCESS_INFORMATION Process = {};
    HWND Main = nullptr;
};

// Starts the program and returns at once (for runs that show no main window).
bool AppLaunch(App& app, const std::wstring& exePath);

// Starts the program and waits until its main window is shown and active
// with a control focused, so that input sent now reaches it; false if the
// process ends first.
bool AppStart(App& app, const std::wstring& exePath);

// The program's visible top-level windows with exactly this caption.
std::vector<HWND> AppWindows(const App& app, const std::string& caption);

bool AppRunning(const App& app);
std::optional<DWORD> AppWaitExit(App& app);

// Ends whatever the test left running (close request first) and releases the
// handles. Safe to call twice.
void AppEnd(App& app);

// The active window and the focus of the program's GUI thread.
HWND ActiveOf(const App& app);
HWND FocusOf(const App& app);

std::string WindowText(HWND window);
std::string ControlText(HWND dialog, int id);
void ControlSetTextRemote(HWND dialog, int id, const std::string& text);
// A command as the button itself sends it on a click.
void WindowPostCommand(HWND dialog, int id);
