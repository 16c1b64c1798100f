// The Bode plot of a design: gain, phase and group delay of the target and
// of the circuit as shown, on one log frequency axis, with the -3 dB point
// and any peak above the DC gain marked.
//
//   BodeData data = MakeBodeData(analysis, "Butterworth", "FSF 1000, ISF 0.01");
//   std::string svg = BodePlotSvg(data, "bode", true);   // a complete .svg file
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/design_analysis.h"
#include "response/response.h"

namespace velmora {

struct BodeData {
    std::string Title;
    std::string Subtitle;
    FrequencySpan Span;
    std::vector<ResponsePoint> Target;    // empty when the target is not valid
    std::vector<ResponsePoint> Realised;  // empty when the shown parts are not solvable
    std::string RealisedName = "the values as shown";
    double Minus3dBHz = 0;  // of the realised circuit; 0: no marker
    double Minus3dBGainDb = 0;
    double PeakHz = 0;  // 0: no peak worth marking
    double PeakGainDb = 0;
    double PeakingDb = 0;
};

// Whole decades from about 30 times below the -3 dB point to 5 times above
// the highest pole pair; 10 Hz to 10 kHz for the Butterworth row at 1 kHz.
FrequencySpan PlotSpan(const DesignAnalysis& analysis);

// 600 points across PlotSpan. Nothing to draw leaves both curves empty.
BodeData MakeBodeData(const DesignAnalysis& analysis, std::string title, std::string subtitle);

// The plot as SVG; idPrefix makes its ids unique in a page.
std::string BodePlotSvg(const BodeData& data, std::string_view idPrefix, bool standalone);

}  // namespace velmora
