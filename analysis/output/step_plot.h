// The step response of a design: the output for a 1 V input step, target
// against the circuit as shown, with the settled value, the overshoot and
// the 1 % settling time marked.
//
//   StepData data = MakeStepData(analysis, "Butterworth", "FSF 1000");
//   std::string svg = StepPlotSvg(data, "step", true);
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/design_analysis.h"
#include "response/step_response.h"

namespace velmora {

struct StepData {
    std::string Title;
    std::string Subtitle;
    double EndS = 0;
    std::vector<StepPoint> Target;    // empty when the target is not valid
    std::vector<StepPoint> Realised;  // empty when the shown parts are not solvable
    std::string RealisedName = "the values as shown";
    double FinalVolts = 0;  // DC gain of the realised circuit
    StepFigures Figures;    // of the realised circuit
};

// 800 samples over StepSpanSeconds of the target pairs.
StepData MakeStepData(const DesignAnalysis& analysis, std::string title, std::string subtitle);

std::string StepPlotSvg(const StepData& data, std::string_view idPrefix, bool standalone);

}  // namespace velmora
