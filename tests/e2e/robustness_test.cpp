// Many calculations in a row: nothing may accumulate. GDI and USER objects
// and memory of the process are the same after 10,000 CALCs on random texts
// (infinite results among them) as before, and each CALC is quick.
#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>

#include "probe_client.h"
#include "user_input.h"
#include "velmora_session.h"

namespace {

struct Usage {
    ProbeReport Objects;
    size_t WorkingSet;
    size_t Committed;
};

// Runs the calculations inside the program, then reads its object counts and
// memory.
bool CalculateAndMeasure(const App& app, int calculations, uint32_t seed, Usage& usage) {
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    usage.Objects = ProbeReport{};
    usage.Objects.SoakCalculations = calculations;
    usage.Objects.SoakSeed = seed;
    if (!ProbeRead(app, usage.Objects) ||
        !GetProcessMemoryInfo(app.Process.hProcess, &memory, sizeof memory))
        return false;
    usage.WorkingSet = memory.WorkingSetSize;
    usage.Committed = memory.PagefileUsage;
    return true;
}

using Robustness = VelmoraSession;

TEST_F(Robustness, TenThousandCalculationsLeaveObjectsAndMemoryFlat) {
    // Warm up first: caches, the probe DLL and the edit controls' buffers.
    Usage before = {};
    ASSERT_TRUE(CalculateAndMeasure(app, 500, 1, before));
    Usage after = {};
    ASSERT_TRUE(CalculateAndMeasure(app, 10000, 20240611, after));
    const double seconds = after.Objects.SoakSeconds;
    ASSERT_TRUE(WindowExists(main));
    // The last calculation's texts are still readable from outside.
    EXPECT_FALSE(Text(ID_OUT_FREQ).empty());

    std::printf(
        "10000 CALCs in %.1f s; GDI %u -> %u, USER %u -> %u (%s); working set %zu -> %zu KB,"
        " committed %zu -> %zu KB\n",
        seconds, before.Objects.GdiObjects, after.Objects.GdiObjects, before.Objects.UserObjects,
        after.Objects.UserObjects,
        before.Objects.CountsFromPlatform ? "GetGuiResources" : "handle table and windows",
        before.WorkingSet / 1024, after.WorkingSet / 1024, before.Committed / 1024,
        after.Committed / 1024);
    EXPECT_GT(before.Objects.GdiObjects, 0u);
    EXPECT_EQ(after.Objects.GdiObjects, before.Objects.GdiObjects);
    EXPECT_EQ(after.Objects.UserObjects, before.Objects.UserObjects);
    // A leak of even 100 bytes a calculation would add a megabyte.
    constexpr size_t kSlack = 512 * 1024;
    EXPECT_LE(after.WorkingSet, before.WorkingSet + kSlack);
    EXPECT_LE(after.Committed, before.Committed + kSlack);
}

TEST_F(Robustness, ClickToLastResultTime) {
    WindowSendCommand(main, ID_STD_BUTTERWORTH, BN_CLICKED);
    ASSERT_TRUE(InputBringToFront(main));
    std::vector<double> times;
    for (int k = 0; k < 20; ++k) {
        ControlSetTextRemote(main, ID_OUT_FREQ, "");
        const double start = SecondsNow();
        InputClick(Control(ID_CALC));
        ASSERT_TRUE(WaitUntil([&] { return !Text(ID_OUT_FREQ).empty(); }));
        times.push_back(SecondsNow() - start);
    }
    std::sort(times.begin(), times.end());
    std::printf("CALC click to last result text: median %.2f ms, max %.2f ms (20 clicks)\n",
                times[times.size() / 2] * 1000, times.back() * 1000);
    EXPECT_EQ(Text(ID_PROTO_R1), "119421.6");
    EXPECT_LT(times[times.size() / 2], 0.5);
}

}  // namespace
