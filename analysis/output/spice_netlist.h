// A SPICE netlist of the scaled circuit, ready for an AC analysis in
// ngspice (or any SPICE3-compatible simulator).
//
// The gain is built as drawn: R* from the op-amp's inverting input to
// ground and RK-R from the output to it. The op-amp is a subcircuit, either
// ideal (a voltage-controlled voltage source of open-loop gain 1e6) or a
// single pole of 100 dB DC gain and the given gain-bandwidth product, which
// SinglePoleStageGain (circuit.h) models the same way.
//
//   SpiceNetlist net = MakeSpiceNetlist(parts, 2000, 2076, {0, 10, 100e3, 50, "Butterworth"});
//   // net.Text: "VIN in 0 DC 0 AC 1", "R1 in n1 1194.2", ..., ".ac dec 50 10 100000"
//   // probe V(out); the input is 1 V, so V(out) is the transfer function
#pragma once

#include <optional>
#include <string>

#include "model/circuit.h"
#include "model/opamp.h"

namespace velmora {

struct SpiceOptions {
    double GbwHz = 0;  // 0: ideal op-amp
    double StartHz = 10;
    double StopHz = 100e3;
    int PointsPerDecade = 50;
    std::string Title;  // one line, for the title comment
    // A datasheet op-amp in place of GbwHz's: its single pole, slew rate,
    // output swing, input capacitance and noise (en with its 1/f corner,
    // in at each input), for .ac, .noise and .tran alike. A source
    // resistance and a load go with it.
    std::optional<OpAmp> Amp;
    double SourceOhms = 0;  // 0: the source drives R1 directly
    double LoadOhms = 0;    // 0: none
};

struct SpiceNetlist {
    bool Ok = false;
    std::string Text;     // the netlist when Ok
    std::string Problem;  // why not, in plain words, when !Ok
};

// Open-loop gain of the "ideal" op-amp: K / A is 2e-6 (2e-5 dB), and the
// simulator's matrix stays well conditioned; with 1e9 its AC solution
// loses about a hundred times more digits.
inline constexpr double kIdealOpAmpGain = 1e6;

// Needs finite, non-zero R1..R4 and C, a positive R* and a finite RK-R;
// a negative RK-R (K < 1) still simulates and is flagged in a comment.
SpiceNetlist MakeSpiceNetlist(const FilterParts& parts, double rStarOhms, double rkrOhms,
                              const SpiceOptions& options);

}  // namespace velmora
