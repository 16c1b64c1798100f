// The one board a run works out, once: the design snapped to standard
// values, its spread, the gain trim and its procedure, the tolerance plans,
// the grades the parts get and the bill of materials. Every output of the
// run (text, JSON, HTML, plots, netlist) renders this value, so that the
// procedure printed is the procedure of the parts listed and a yield is
// that of the board in the bill.
//
// Which trim and grades the board gets: with a plan, the plan's grades (the
// plan with the trim when a trim is asked for and fits, else the one
// without) and that plan's trim; without one, the given grades and the trim
// designed for them. Before and After are that board's yields, before and
// after its trim, on the run's seed.
//
//   BoardRequest q;  q.Series = {ESeries::E96, std::nullopt, true};
//   q.Trials = 10000;  q.Seed = 1;  q.Mask = {0.03, 0, 0, 0.5};  q.Trim = true;
//   Board b = MakeBoard(design, q);
//   // b.Trim->Trim.StatedGain 1.419 at 1000 Hz; b.After.Yield 0.8902;
//   // b.Nominal.K: the nominal board with VR1 where the procedure leaves it
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bom.h"
#include "tolerance_plan.h"

namespace velmora {

struct BoardRequest {
    BuildSeries Series;
    bool IsfSearch = false;
    double IsfLow = 0, IsfHigh = 0;
    int IsfSteps = 401;
    int Trials = 0;  // 0: no Monte Carlo, no trim, no plan
    Tolerances Tol;
    uint64_t Seed = 0;
    YieldMask Mask;
    bool Trim = false;
    TrimOptions TrimSettings;  // its Seed, PilotTrials and the yields' op-amp Amp from here
    std::optional<double> PlanYield;
    bool OpAmpLimit = false;  // work out the least GBW (for the op-amp line of the bill)
};

struct Board {
    ResponseShape Target;
    SnappedBuild Build;
    std::optional<IsfSearchResult> IsfSearch;
    ResponseShape Built;      // the snapped parts with an ideal amplifier, RK-R as RkrBuilt
    GbwLimit Gbw;             // with OpAmpLimit
    MonteCarloResult Spread;  // the given grades, untrimmed (RunMonteCarlo), with Trials

    // The board: its grades, its trim (none when none is asked for or fits)
    // and its yields before and after that trim, samples kept.
    PartTolerances Grades;
    bool TrimAsked = false;
    std::optional<TrimDesign> Trim;
    BoardRun Before, After;

    // --plan: without and with the trim, and what would reach the target
    // when a plan falls short.
    std::vector<TolerancePlan> Plans;
    std::string WhatWould[2];
    // The series a resistor moved to for a plan grade its own series is not
    // sold in (SeriesForGrade), at the value there nearest the computed one;
    // none where it stays. Build and every yield are of the board so moved.
    std::optional<ESeries> MovedTo[kBoardPartCount];

    // The nominal board as the bill lists it: RK-R the trim's fixed part
    // plus VR1 where the procedure leaves it on the nominal parts (meter
    // exact), or RkrBuilt.
    FilterParts Nominal;
    double NominalRkr = 0;
    int TrimPosition = -1;  // of VR1, 0 .. Steps; -1 without a trim
};

Board MakeBoard(const DesignRecord& design, const BoardRequest& request);

// The series the trim's fixed part comes from: the request's, and the
// board's once the part moved for its grade.
ESeries FixedSeries(const BoardRequest& request);
ESeries FixedSeries(const Board& board, const BoardRequest& request);

// The bill of materials of the board: R1..R4, RK-R (its fixed part and the
// trimmer VR1 after it, with the setting to turn it to), R*, C1..C4, U1,
// each with the board's grade.
std::vector<BomLine> BoardBill(const Board& board, const BoardRequest& request);

}  // namespace velmora
