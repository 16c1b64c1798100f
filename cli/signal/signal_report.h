// The signal sections as text, JSON and XHTML, from one SignalAnalysis.
// Figures are printed to the digits they mean (three or four), so that the
// bytes are the same wherever the logarithms' last bits differ.
//
//   Signal through the filter: op-amp gbw=10MHz,sr=5V/us,... (the generic default)
//   Noise, 1 Hz to 10 kHz:
//     Output          3.52 uV rms      input-referred 1.73 uV rms
//   ...
#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>

#include "design/signal_analysis.h"

namespace velmora {

// The op-amp's text as --opamp reads it back, e.g. "gbw=10MHz,sr=5V/us,...".
std::string OpAmpText(const OpAmp& amp);

// ampGiven: whether the user named the op-amp (else it is the default's).
void WriteSignalText(std::ostream& out, const SignalAnalysis& signal, bool ampGiven);

nlohmann::ordered_json SignalJson(const SignalAnalysis& signal, bool ampGiven);

// Sections for the HTML report: tables and both plots inline; `id`
// prefixes the plots' ids.
std::string SignalHtml(const SignalAnalysis& signal, bool ampGiven, const std::string& id);

}  // namespace velmora
