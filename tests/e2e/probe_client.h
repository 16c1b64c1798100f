// Asks the probe DLL, hooked into the running program's GUI thread, for the
// facts that cannot be read from outside (see probe/probe_report.h).
//
//   ProbeReport report;
//   ASSERT_TRUE(ProbeMapRects(app, {RECT{0, 0, 4, 8}}, report));
//   report.Rects[0].right  // horizontal dialog base unit in pixels
//
//   ProbeReport soak = {};
//   soak.SoakCalculations = 10000;
//   ASSERT_TRUE(ProbeRead(app, soak));    // soak.GdiObjects after the run
#pragma once

#include <vector>

#include "app_process.h"
#include "probe_report.h"

// Sends the request part of the report (rectangles, calculations) and
// replaces the report with the program's answer; false if it did not answer.
bool ProbeRead(const App& app, ProbeReport& report);

// Maps the given dialog-unit rectangles on the main window and fills in the
// other facts.
bool ProbeMapRects(const App& app, const std::vector<RECT>& dialogUnitRects, ProbeReport& report);
