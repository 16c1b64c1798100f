// An op-amp as its datasheet describes it: the figures that decide how the
// filter's signal fares (bandwidth, slew, noise, DC errors and the voltage
// ranges). No maker's part library: the figures are the user's.
//
// Voltages are held against a split supply: the rails at +-Supply / 2 and
// the filter's ground (R*, C2, C4 and the source) at the middle. A single-
// supply board with a mid-rail reference reads the same.
//
//   OpAmp a = GenericOpAmp();       // 10 MHz, 5 V/us, 8 nV/rtHz ...
//   a.OutputPeak() -> 2.4 V         (5 V supply, 0.1 V from each rail)
//   a.InputPeak()  -> 1.0 V         (inputs to the negative rail, 1.5 V short of the positive)
#pragma once

#include <algorithm>

namespace velmora {

struct OpAmp {
    double GbwHz = 10e6;           // gain-bandwidth product
    double GbwSpread = 0;          // its relative spread from board to board, 0.3: +-30 %
    double SlewVPerS = 5e6;        // slew rate: 5 V/us
    double EnVPerRtHz = 8e-9;      // input voltage noise density, white part
    double FlickerCornerHz = 10;   // where the 1/f part of en equals the white part
    double InAPerRtHz = 1e-12;     // input current noise density, each input
    double VosV = 1e-3;            // input offset voltage
    double IbA = 10e-9;            // input bias current, into each input
    double IosA = 1e-9;            // input offset current, the inputs' difference
    double OutHeadroomV = 0.1;     // the output stays this far from either rail
    double CmLowHeadroomV = 0;     // inputs reach this far above the negative rail
    double CmHighHeadroomV = 1.5;  // and this far below the positive rail
    double CinF = 5e-12;           // common-mode input capacitance
    double SupplyV = 5;            // rail to rail

    // The largest peak about the middle that the output, and the inputs,
    // may carry; never negative.
    double OutputPeak() const { return std::max(0.0, SupplyV / 2 - OutHeadroomV); }
    double InputPeak() const {
        return std::max(0.0, SupplyV / 2 - std::max(CmLowHeadroomV, CmHighHeadroomV));
    }
};

// The documented default when a designer names no op-amp: a modest
// general-purpose CMOS-input part on 5 V, as above.
inline OpAmp GenericOpAmp() {
    return {};
}

}  // namespace velmora
