// How large the signal gets inside the filter and what the op-amp must
// deliver for it: the gain from the input to every node, the largest clean
// input, the output's currents and the slew rate it needs.
//
// One op-amp carries both pole pairs, so the ladder's nodes and the output
// peak near the cutoff above their DC gains (a 0.5 dB Tchebysheff's output
// at 2.2 x its input): the input must stay below the op-amp's ranges
// divided by those peaks, not by K.
//
//   LevelFigures l = MeasureLevels(circuit, 1, 10e3);
//   // l.Peaks[kNodeOut] = {2.22, 12e3}; l.LargestSine: the input's peak volts
#pragma once

#include <array>
#include <vector>

#include "model/signal_circuit.h"

namespace velmora {

enum NodeId { kNodeN1, kNodeN2, kNodeN3, kNodeN4, kNodeOut, kNodeCount };
inline constexpr const char* kNodeNames[kNodeCount] = {"n1", "n2", "n3", "n4", "output"};

// What sets the largest input, in words: "the op-amp's input range at n4".
inline const char* LimitText(int node) {
    return node == kNodeN4 ? "the op-amp's input range at n4" : "the output's swing";
}

// The largest value of a magnitude over frequency and where; Hz 0 is DC.
struct Peak {
    double Value = 0;
    double Hz = 0;
};

// The output's current at the largest sine: into C1, into C3, into the
// gain network RK-R + R*, into the load, and all of them together.
enum CurrentId { kCurrentC1, kCurrentC3, kCurrentGain, kCurrentLoad, kCurrentTotal, kCurrentCount };
inline constexpr const char* kCurrentNames[kCurrentCount] = {"C1", "C3", "RK-R + R*", "load",
                                                             "total"};

struct LevelFigures {
    double LowHz = 0, HighHz = 0;          // the sweep
    std::array<Peak, kNodeCount> Peaks{};  // |v / vin| per node
    // The largest input sine, peak volts, that keeps n4 within the op-amp's
    // input range and the output within its swing at every frequency, and
    // the node that sets it (kNodeN4 or kNodeOut).
    double LargestSine = 0;
    NodeId Limiting = kNodeOut;
    // The DC input range about the middle, from DcLow (<= 0) to DcHigh.
    double DcLow = 0, DcHigh = 0;
    std::array<Peak, kCurrentCount> Currents{};  // amps, peak, at LargestSine
    Peak SlewNeeded;                             // V/s for LargestSine at its worst frequency
};

// Every node's gain |v / vin| at hz (0: DC), with the op-amp's GBW.
std::array<double, kNodeCount> NodeGains(const SignalCircuit& circuit, double hz);

// The sweep from lowHz to highHz at 100 points a decade, each maximum
// refined by golden section between its neighbours; DC counts as a
// frequency of its own.
LevelFigures MeasureLevels(const SignalCircuit& circuit, double lowHz, double highHz);

}  // namespace velmora
