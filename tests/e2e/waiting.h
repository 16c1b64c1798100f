// Waiting on conditions, never on the clock: every wait polls its condition
// until it holds.
//
//   ASSERT_TRUE(WaitUntil([&] { return ControlText(main, ID_OUT_FREQ) == "1000."; }));
//
// The only bound is a guard that turns a hang into a failure. It is no
// estimate of how long anything takes: on a loaded machine Wine may need
// many seconds to start a program that starts at once on an idle one.
#pragma once

#include <windows.h>

#include <functional>

inline constexpr DWORD kHangGuardMs = 120000;

// True as soon as the condition holds; false only after the guard.
bool WaitUntil(const std::function<bool()>& condition);
