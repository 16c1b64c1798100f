// velmora-calc options for the signal through the filter: the op-amp by its
// datasheet figures, a source and a load, the noise band, and where the
// signal sections go (text, JSON, plots; the HTML report and the netlist
// take the op-amp too).
//
//   velmora-calc --preset cheb05 --c-out 10nF --signal
//       --opamp gbw=10MHz,sr=5V/us,en=8nV,fc=10Hz,in=1pA,vos=1mV,ib=10nA,out=0.1V,cm=0V:1.5V
//       --source-r 600 --load 2k --noise-band 20Hz:20kHz --signal-json - --signal-plots plots
#pragma once

#include <CLI/CLI.hpp>
#include <iosfwd>
#include <string>

#include "board/build_options.h"
#include "design/signal_analysis.h"
#include "insight/insight.h"

namespace velmora {

struct SignalOptions {
    bool Text = false;         // --signal
    std::string OpAmpText;     // --opamp
    std::string Source, Load;  // --source-r, --load
    std::string Band;          // --noise-band LO:HI
    std::string JsonFile;      // --signal-json, "-": standard output
    std::string PlotDir;       // --signal-plots
    // Read by FinishSignalOptions:
    OpAmp Amp;
    bool AmpGiven = false;  // --opamp or --gbw named the op-amp
    double SourceOhms = 0, LoadOhms = 0;
    SignalBand Bands;
};

void AddSignalOptions(CLI::App& app, SignalOptions& options);

// Reads the texts into the op-amp, source, load and band; ties --gbw and
// --opamp gbw= together (the one given sets the other; both must agree);
// gives the netlist and the HTML report the op-amp and the signal's
// sections. Returns a usage message, or "" when all fits.
std::string FinishSignalOptions(SignalOptions& options, BuildOptions& build,
                                InsightOptions& insight, bool json, bool batch);

// Whether a signal section was asked for or a figure given: then the
// design is analysed.
bool SignalRequested(const SignalOptions& options);

// Reads "gbw=10MHz,sr=5V/us,en=8nV,..." over `amp`; returns a message, or "".
std::string ParseOpAmp(const std::string& text, OpAmp& amp);

// Writes the text section, the JSON and the plots asked for; names files on
// `out` when text is being written; puts the board page's sections into
// `boardPage` when given. Returns 0, or 1 when a file failed.
int WriteSignalSections(const SignalOptions& options, const DesignAnalysis& analysis,
                        const std::string& title, bool json, std::ostream& out, std::ostream& err,
                        std::string* boardPage = nullptr);

}  // namespace velmora
