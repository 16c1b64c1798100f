#include "build_plan.h"

#include <algorithm>

namespace velmora {

namespace {

// Pilot runs that choose the test frequency and fit the range: enough to
// rank the frequencies, small enough to try them all.
constexpr int kPilotTrials = 2000;

}  // namespace

BoardRequest RequestOf(const BuildPlan& p) {
    BoardRequest q;
    q.Series = p.Series;
    q.IsfSearch = p.IsfSearch;
    q.IsfLow = p.IsfLow;
    q.IsfHigh = p.IsfHigh;
    q.IsfSteps = p.IsfSteps;
    q.Trials = p.Trials;
    q.Tol = p.Tol;
    q.Seed = p.Seed;
    q.Mask = p.Mask;
    q.Trim = p.Trim;
    q.TrimSettings.Steps = p.TrimSteps;
    q.TrimSettings.Meter = p.TrimMeter;
    q.TrimSettings.FixedSeries = p.Series.Resistors;
    q.TrimSettings.PilotTrials = std::min(p.Trials, kPilotTrials);
    q.TrimSettings.Seed = p.Seed;
    q.TrimSettings.Amp = p.YieldAmp;
    q.PlanYield = p.PlanYield;
    q.OpAmpLimit = p.GbwHz || p.Bom || !p.BomCsv.empty() || !p.BoardReport.empty();
    return q;
}

bool BoardDiffersFromDesign(const BuildPlan& p) {
    return p.Series.Resistors || p.Series.Capacitors || p.IsfSearch || p.Trim ||
           p.PlanYield.has_value();
}

}  // namespace velmora
