// One built board as a Monte Carlo trial draws it: the one place that says
// which quantities a trial draws and in which order, for every Monte Carlo
// of the tool (the plain run, the board run, the trim's pilot builds).
//
// The order: R1..R4, C1..C4, R*, then RK-R (its fixed part when trimmed),
// then, trimmed, the trimmer's end-to-end value and the meter's error, then,
// with a real op-amp, its GBW. A quantity added to the board is drawn after
// these, here, and counted in StepsPerBoard, so that every seed keeps the
// builds it had.
//
//   RandomState r = SeedRandom(1);
//   DrawnBoard d = DrawBoard(r, {built.Built, built.RStar, built.RkrBuilt}, EqualGrades(tol));
//   // d.Parts.K = 1 + d.Rkr / d.RStar
#pragma once

#include "model/circuit.h"
#include "random_draws.h"

namespace velmora {

enum BoardPart {
    kBoardR1,
    kBoardR2,
    kBoardR3,
    kBoardR4,
    kBoardC1,
    kBoardC2,
    kBoardC3,
    kBoardC4,
    kBoardRStar,
    kBoardRkr,
    kBoardPartCount
};

// "R1" .. "R4", "C1" .. "C4", "R*", "RK-R".
const char* BoardPartName(int part);
bool IsCapacitor(int part);

// Relative tolerance of each part, as in Tolerances.
struct PartTolerances {
    double Of[kBoardPartCount] = {};
    Distribution Shape = Distribution::Uniform;
};

PartTolerances EqualGrades(const Tolerances& tol);

// The gain trim: RK-R = FixedOhms + position * PotOhms, the position one of
// Steps + 1 evenly spaced settings from 0 (least gain) to 1.
struct KTrim {
    double FixedOhms = 0;
    double PotOhms = 0;
    double TestHz = 0;      // 0: the technician sets the DC gain
    double StatedGain = 0;  // the reading |Vout / Vin| to turn VR1 up to at TestHz
    int Steps = 100;        // positions the trimmer can be left at, less one
    double Meter = 0.005;   // the reading's relative accuracy, as a tolerance
    double PotTolerance = 0.2;
};

// The op-amp the yields assume: single pole (ShapeWithGbw), its GBW drawn
// per board within +-GbwSpread (as a part's tolerance), its input
// capacitance CinF across C4 (the non-inverting input to ground). GbwHz 0:
// an ideal amplifier, nothing drawn.
struct YieldOpAmp {
    double GbwHz = 0;
    double GbwSpread = 0;  // relative, 0.3 is +-30 %
    double CinF = 0;
    bool Ideal() const { return !(GbwHz > 0); }
};

// The nominal values a trial scatters.
struct BoardNominal {
    FilterParts Parts;  // R1..R4, C1..C4
    double RStar = 0;
    double Rkr = 0;  // RK-R, or the trim's fixed part
    YieldOpAmp Amp = {};
};

struct DrawnBoard {
    FilterParts Parts;  // K from Rkr and RStar: the board before any trim
    double RStar = 0;
    double Rkr = 0;       // RK-R, or the trim's fixed part
    double Pot = 0;       // the trimmer's end-to-end value (trimmed only)
    double Meter = 1;     // the meter reads the true gain times this (trimmed only)
    YieldOpAmp Amp = {};  // GbwHz this board's op-amp's (0: ideal); GbwSpread unused
};

DrawnBoard DrawBoard(RandomState& r, const BoardNominal& nominal, const PartTolerances& tol,
                     const KTrim* trim = nullptr);

// Generator steps one DrawBoard takes, for runs split into blocks.
uint64_t StepsPerBoard(Distribution shape, bool trimmed, bool realOpAmp = false);

}  // namespace velmora
