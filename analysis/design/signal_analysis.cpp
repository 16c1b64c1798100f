#include "signal_analysis.h"
#include "model/portable_math.h"

#include <cmath>

#include "response/response.h"

namespace velmora {

SignalCircuit SignalFor(const DesignAnalysis& a, const OpAmp& amp, double sourceOhms,
                        double loadOhms) {
    return {a.Shown.Parts, a.RStar, a.RKRShown, amp, sourceOhms, loadOhms};
}

SignalAnalysis AnalyseSignal(const SignalCircuit& c, const SignalBand& band) {
    SignalAnalysis s;
    s.Circuit = c;
    const CircuitAnalysis shape = AnalyseCircuit(DrivenParts(c));
    s.Minus3dBHz = shape.Minus3dBHz;
    s.Valid = shape.Valid && shape.Stable && std::isfinite(s.Minus3dBHz) && s.Minus3dBHz > 0 &&
              c.RStarOhms > 0 && std::isfinite(c.RkrOhms) && c.RkrOhms >= 0;
    if (!s.Valid) return s;
    const double low = band.LowHz > 0 ? band.LowHz : s.Minus3dBHz / 1000;
    const double high = band.HighHz > 0 ? band.HighHz : s.Minus3dBHz * 10;
    s.Noise = IntegrateNoise(c, low, high);
    s.Levels = MeasureLevels(c, low, high);
    s.Offset = OutputOffset(c);
    const double dcGain = NodeGains(c, 0)[kNodeOut];
    const double fullScaleRms = s.Levels.LargestSine * dcGain / std::sqrt(2.0);
    s.DynamicRangeDb =
        s.Noise.OutRms > 0 && fullScaleRms > 0 ? 20 * Log10(fullScaleRms / s.Noise.OutRms) : 0;
    s.R1ForSource = c.Parts.R1 - c.SourceOhms;
    return s;
}

}  // namespace velmora
