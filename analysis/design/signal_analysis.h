// The signal through a designed filter: noise, levels and drive, DC offset,
// with a source and a load, for one op-amp. What velmora-calc's signal
// section prints, in one value.
//
//   SignalAnalysis s = AnalyseSignal(SignalFor(analysis, GenericOpAmp()), {});
//   // s.Noise.OutRms, s.Levels.LargestSine, s.Offset.Worst, s.DynamicRangeDb
#pragma once

#include "design/analysis_result.h"
#include "response/dc_offset.h"
#include "response/levels.h"
#include "response/noise.h"

namespace velmora {

// The circuit as shown, with the op-amp, a source and a load.
SignalCircuit SignalFor(const DesignAnalysis& analysis, const OpAmp& amp, double sourceOhms = 0,
                        double loadOhms = 0);

struct SignalBand {
    double LowHz = 0;   // 0: a thousandth of the -3 dB frequency
    double HighHz = 0;  // 0: ten times the -3 dB frequency
};

struct SignalAnalysis {
    // False when the parts make no stable low-pass with a -3 dB point (a
    // design not computed, a missing part): then nothing else is filled.
    bool Valid = false;
    SignalCircuit Circuit;
    double Minus3dBHz = 0;  // with the source in R1, ideal op-amp
    NoiseFigures Noise;
    LevelFigures Levels;  // over the same band
    DcOffset Offset;
    // The largest clean sine at the output's passband level, rms, over the
    // output's noise: 20 log10(LargestSine |H(0)| / sqrt 2 / OutRms).
    double DynamicRangeDb = 0;
    // R1 that gives the designed response with the source in series:
    // R1 - Rs; negative when the source alone exceeds R1.
    double R1ForSource = 0;
};

SignalAnalysis AnalyseSignal(const SignalCircuit& circuit, const SignalBand& band);

}  // namespace velmora
