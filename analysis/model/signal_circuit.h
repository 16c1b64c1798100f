// The filter as the signal meets it: the board's parts, the gain network's
// two resistors, the op-amp, the source's resistance in series with R1 and
// the load on the output.
//
//   SignalCircuit c{parts, 2000, 2076, GenericOpAmp(), 600, 10e3};
//   DrivenParts(c).R1 == parts.R1 + 600, DrivenParts(c).C4 == parts.C4 + 5 pF
//   StageGain(c, s)  -> the closed-loop gain K of the op-amp at s
#pragma once

#include <complex>

#include "circuit.h"
#include "opamp.h"

namespace velmora {

struct SignalCircuit {
    FilterParts Parts;  // as on the board: R1 without the source
    double RStarOhms = 0, RkrOhms = 0;
    OpAmp Amp;
    double SourceOhms = 0;  // in series with R1
    double LoadOhms = 0;    // on the output to ground; 0: none
};

// The parts the signal sees: the source's resistance adds to R1, the + input's
// capacitance to C4 (both to ground). The - input's sits across R* || RK-R,
// a pole far above the op-amp's own.
inline FilterParts DrivenParts(const SignalCircuit& c) {
    FilterParts p = c.Parts;
    p.R1 += c.SourceOhms;
    p.C4 += c.Amp.CinF;
    return p;
}

// The non-inverting stage around the op-amp's single pole.
inline std::complex<double> StageGain(const SignalCircuit& c, std::complex<double> s) {
    return SinglePoleStageGain(c.Parts.K, c.Amp.GbwHz, s);
}

// Boltzmann's constant and the temperature noise is figured at: 27 C, as
// SPICE simulators assume unless told otherwise.
inline constexpr double kBoltzmann = 1.380649e-23;
inline constexpr double kNoiseKelvin = 300.15;

}  // namespace velmora
