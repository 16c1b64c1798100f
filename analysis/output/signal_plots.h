// Plots of the signal through the filter, in the look of the Bode plot:
// the output's noise density with its largest sources, and the gain from
// the input to every node.
//
//   std::string noise = NoiseDensitySvg(signal, "Butterworth", "noise", true);
//   std::string levels = NodeGainSvg(signal, "Butterworth", "levels", true);
#pragma once

#include <string>

#include "design/signal_analysis.h"

namespace velmora {

// Output noise density (V/rtHz, log-log) over the noise band: the total and
// the three largest sources. `id` prefixes the ids in the drawing.
std::string NoiseDensitySvg(const SignalAnalysis& signal, const std::string& title,
                            const std::string& id, bool standalone);

// |v / vin| of n1..n4 and the output, as plain ratios on a log frequency
// axis, with the op-amp's GBW: the peaks the largest input is set by.
std::string NodeGainSvg(const SignalAnalysis& signal, const std::string& title,
                        const std::string& id, bool standalone);

}  // namespace velmora
