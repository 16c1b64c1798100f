// Plots of a build as standalone SVG documents: the spread of a Monte Carlo
// run as histograms, and responses side by side (ideal, snapped, finite
// GBW) as gain in dB over a logarithmic frequency axis.
//
// Same look as the Bode plot (svg_canvas.h, plot_axes.h): title, subtitle,
// framed panel, blue for what is built, dashed grey for the target.
//
// A histogram's axis spans the 0.5 to 99.5 % points of the builds it shows,
// widened to hold the target and the mask band; the builds beyond fall in
// an end bar on each side, set apart, with their count. The caption counts
// the builds drawn and those left out (unstable or degenerate: no figure).
//
//   std::string svg = HistogramSvg({"-3 dB frequency", "Hz", {&run.Minus3dBSamples, run.Failed},
//                                   1000, 980, 1020});
//   std::string svg = ResponseSvg("Snapped vs ideal", "E96, ISF 0.04", curves, 100, 10000);
#pragma once

#include <string>
#include <vector>

#include "build/spread_accumulator.h"

namespace velmora {

// One figure of a run's builds, and the builds of the run without it.
struct BuildFigures {
    const SpreadAccumulator* Values = nullptr;
    int LeftOut = 0;  // unstable or degenerate builds
};

struct Histogram {
    std::string Title;
    std::string Unit;
    BuildFigures Builds;
    double Target = 0;                 // drawn as a line; NaN: none
    double MaskLow = 0, MaskHigh = 0;  // the mask band, shaded; equal: none
    // The same builds before an adjustment, drawn behind in grey on the same
    // bins; none without Values.
    BuildFigures Before;
};

// standalone: a file of its own; otherwise an <svg> element for a page.
std::string HistogramSvg(const Histogram& h, bool standalone = true);

struct ResponseCurve {
    std::string Name;
    std::vector<double> Hz;
    std::vector<double> GainDb;
};

// Up to four curves over [fLow, fHigh] Hz, each with its legend entry; the
// first is drawn as the target (dashed grey).
std::string ResponseSvg(const std::string& title, const std::string& subtitle,
                        const std::vector<ResponseCurve>& curves, double fLow, double fHigh);

}  // namespace velmora
