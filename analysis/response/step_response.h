// Response to a 1 V input step, for the realised circuit and the target.
//
// Both are integrated exactly at the sample instants (the discrete-time
// equivalent of the state equations, from a matrix exponential), so the
// sample spacing limits only the drawing, never the accuracy:
//
//   std::vector<StepPoint> s = CircuitStep(parts, StepSpanSeconds(pairs), 400);
//   StepFigures f = MeasureStep(s, a.DcGain);   // Butterworth: f.OvershootPct ~ 10.8
#pragma once

#include <span>
#include <vector>

#include "model/circuit.h"

namespace velmora {

struct StepPoint {
    double Seconds = 0;
    double Volts = 0;
};

struct StepFigures {
    double OvershootPct = 0;  // peak above the final value, in % of it; >= 0
    double SettlingS = 0;     // last sample outside +-1 % of the final value
};

// `count` samples from t = 0 to endS. Empty when the parts are not solvable.
std::vector<StepPoint> CircuitStep(const FilterParts& parts, double endS, int count);
std::vector<StepPoint> PolePairStep(std::span<const PolePair> pairs, double dcGain, double endS,
                                    int count);

// Long enough for the slowest pole pair to decay to 0.1 %: 7 / (its decay
// rate). 0 when a pair has no positive F0 and Q.
double StepSpanSeconds(std::span<const PolePair> pairs);

// finalVolts is where the step settles: the DC gain.
StepFigures MeasureStep(const std::vector<StepPoint>& step, double finalVolts);

}  // namespace velmora
