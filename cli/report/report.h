// How velmora-calc shows one calculation: for people, or as one JSON object.
#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>

#include "common/calculation.h"

namespace velmora {

//   Velmora Designer 1.03: fourth-order low-pass design
//   Inputs: AF1 1.847759, F1 1, AF2 .765367, F2 1, C 1 uF, FSF 1000, ISF 0.01, R* 2000 ohms
//
//           Prototype        Scaled
//   R1      119421.6 ohms    1194.2 ohms
//   ...
//   Bisection passes: 41
void WriteTextReport(std::ostream& out, const InputTexts& inputs, const CalculationResult& result);

// {"inputs":{"AF1":"1.847759",...},"prototype":{"R1":"119421.6",...},
//  "scaled":{"R1":"1194.2",...,"Freq":"1000."},"passes":41}
void WriteJsonReport(std::ostream& out, const InputTexts& inputs, const CalculationResult& result);

// The object WriteJsonReport prints, for callers that add to it.
nlohmann::ordered_json JsonReport(const InputTexts& inputs, const CalculationResult& result);

}  // namespace velmora
