// A calculated design seen as parts and as the response it aims at.
//
//   DesignRecord d = ...;  ComputeDesign(d);          // Butterworth row, defaults
//   ScaledParts(d)  -> {1194.2 ohms, 4282, 4282, 293, 0.1 uF x 4, K 2.038}
//   TargetShape(d)  -> pairs {1000 Hz, Q 0.5412}, {1000 Hz, Q 1.3066}, -3 dB at 1000 Hz
#pragma once

#include "design.h"
#include "model/circuit.h"
#include "model/polynomial.h"
#include "response/response_shape.h"
#include "results.h"

namespace velmora {

// The scaled column as parts: R1..R4 times ISF in ohms, four capacitors of
// CapMF / (ISF * FSF) in farads, gain K.
FilterParts ScaledParts(const DesignRecord& d);

// The same design at another impedance scaling factor: resistors times isf,
// capacitors divided by it. The prototype does not depend on ISF.
FilterParts ScaledPartsAt(const DesignRecord& d, double isf);

// The target denominator (s^2 + AF1 w1 s + w1^2)(s^2 + AF2 w2 s + w2^2) with
// w = 2 pi F * FSF, and what it does. The pole pairs are those typed in, so
// they carry no error of the search.
Polynomial TargetDenominator(const DesignRecord& d);
ResponseShape TargetShape(const DesignRecord& d);

}  // namespace velmora
