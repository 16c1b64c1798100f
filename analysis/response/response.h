// Frequency responses and their figures, for the realised circuit and for
// the target given as pole pairs.
//
// The target is the ideal all-pole low-pass
//   H(s) = gain * prod( w^2 / (s^2 + (w/Q) s + w^2) ),  w = 2 pi F0Hz,
// so a design can be drawn and measured against what it was asked to be:
//
//   PolePair butterworth[2] = {{1000, 0.5412}, {1000, 1.3066}};
//   CircuitAnalysis t = AnalysePolePairs(butterworth, 2.038);
//   // t.Minus3dBHz ~ 1000, t.PeakingDb ~ 0
//   ResponsePoint p = PolePairPoint(butterworth, 2.038, 1000);
//   // p.GainDb ~ 6.18 - 3.01, p.PhaseDeg ~ -180
#pragma once

#include <complex>
#include <functional>
#include <span>
#include <vector>

#include "model/circuit.h"

namespace velmora {

struct CircuitAnalysis {
    bool Valid = false;     // false when the parts give no fourth-order denominator
    double DcGain = 0;      // H(0)
    PolePair Pairs[2];      // lower Q first
    double Minus3dBHz = 0;  // first frequency where |H| falls 3 dB below |H(0)|
    double PeakingDb = 0;   // max |H| at any frequency relative to |H(0)|, >= 0
    bool Stable = false;    // every pole in the left half-plane
    double PeakHz = 0;      // where the peaking is; 0 when |H| never rises above |H(0)|
};

// One frequency of a response. PhaseDeg is continuous from DC (0 to -360
// for a fourth-order low-pass); DelayS is the group delay.
struct ResponsePoint {
    double Hz = 0;
    double GainDb = 0;
    double PhaseDeg = 0;
    double DelayS = 0;
};

struct FrequencySpan {
    double LowHz = 0;
    double HighHz = 0;
};

// Peaking is the highest gain of the response over its DC gain, at any
// frequency (before or after the -3 dB point), and 0 when the gain never
// rises above DC: the same figure as ResponseShape's closed form.
struct PassbandFigures {
    double Minus3dBHz = 0;  // 0 when |H| never falls 3 dB below DC in the span
    double PeakingDb = 0;   // >= 0
    double PeakHz = 0;      // 0 when there is no peak above the DC gain
};

// Half-power ratio: "-3 dB" is 1/sqrt(2), -3.0103 dB.
inline constexpr double kHalfPower = 0.70710678118654752;

// Three decades either side of the pole pairs: wide enough for the -3 dB
// point and the peaking of any pair with a positive F0 and Q.
// SearchSpan({{1000, .54}, {1000, 1.3}}) -> {1, 1e6}
FrequencySpan SearchSpan(std::span<const PolePair> pairs);

// Finds the first half-power point and the peaking over the span, from
// samples refined by bisection and golden section.
PassbandFigures MeasurePassband(const std::function<double(double hz)>& magnitude,
                                double dcMagnitude, double lowHz, double highHz);

// `count` frequencies spaced evenly on a log scale, both ends included.
// LogFrequencies(10, 1000, 3) -> {10, 100, 1000}
std::vector<double> LogFrequencies(double lowHz, double highHz, int count);

// The realised circuit: its poles as two pairs, DC gain and passband figures.
//
//   FilterParts parts{1194.2, 4282, 4282, 293, 0.1e-6, 0.1e-6, 0.1e-6, 0.1e-6, 2.038};
//   CircuitAnalysis a = AnalyseCircuit(parts);
//   // a.DcGain ~ 2.038, a.Minus3dBHz ~ 1000, a.Pairs[*].F0Hz ~ 1000
CircuitAnalysis AnalyseCircuit(const FilterParts& parts);

// The realised circuit at one frequency.
ResponsePoint CircuitPoint(const FilterParts& parts, double hz);

// The target: pole pairs with a DC gain.
std::complex<double> PolePairResponse(std::span<const PolePair> pairs, double dcGain, double hz);
ResponsePoint PolePairPoint(std::span<const PolePair> pairs, double dcGain, double hz);

// Figures of the target, in the same record as the circuit's: Valid when
// every F0 and Q is finite and non-zero; Pairs sorted lower Q first.
CircuitAnalysis AnalysePolePairs(std::span<const PolePair> pairs, double dcGain);

}  // namespace velmora
