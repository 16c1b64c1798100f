// Waiting on conditions, never on the clock alone: every wait polls a
// condition until it holds or a bounded timeout passes.
//
//   ASSERT_TRUE(WaitUntil([&] { return ControlText(main, ID_OUT_FREQ) == "1000."; }));
#pragma once

#include <windows.h>

#include <functional>

// Generous enough for a loaded machine running Wine; a passing test never
// waits this long.
inline constexpr DWORD kWaitTimeoutMs = 10000;

// Polls the condition about every millisecond; true as soon as it holds,
// false once timeoutMs has passed without it.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitTimeoutMs);

// Seconds since an arbitrary start, with the performance counter's resolution.
double SecondsNow();
