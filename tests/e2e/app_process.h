// velmora.exe as a separate process under test.
//
//   App app;
//   ASSERT_TRUE(AppStart(app, Options().VelmoraExe));   // waits for the main window
//   ... drive app.Main ...
//   PostMessageW(app.Main, WM_SYSCOMMAND, SC_CLOSE, 0);
//   EXPECT_EQ(AppWaitExit(app), 0u);
//   AppEnd(app);                                        // always, also after failures
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "waiting.h"

inline constexpr const char* kMainCaption = "Velmora Designer  1.03";

struct App {
    PROCESS_INFORMATION Process = {};
    HWND Main = nullptr;
};

// Starts the program without arguments and waits until its main window is
// visible; false if it never shows.
bool AppStart(App& app, const std::wstring& exePath);

// Starts the program and returns at once (for runs that show no main window).
bool AppLaunch(App& app, const std::wstring& exePath);

// A visible top-level window of the program whose caption is exactly this
// text and whose class is this one (any class when empty); null if none.
HWND AppFindWindow(const App& app, const std::string& caption, const std::string& className = "");

bool AppRunning(const App& app);

// The exit code once the process has ended within the timeout.
std::optional<DWORD> AppWaitExit(App& app, DWORD timeoutMs = kWaitTimeoutMs);

// Ends whatever the test left running (close box first, then termination)
// and releases the handles. Safe to call twice.
void AppEnd(App& app);
