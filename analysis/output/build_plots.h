// Plots of a build as standalone SVG documents: the spread of a Monte Carlo
// run as histograms, and responses side by side (ideal, snapped, finite
// GBW) as gain in dB over a logarithmic frequency axis.
//
// Same look as the Bode plot (svg_canvas.h, plot_axes.h): title, subtitle,
// framed panel, blue for what is built, dashed grey for the target.
//
//   std::string svg = HistogramSvg({"-3 dB frequency", "Hz", samples, 1000, 980, 1020});
//   std::string svg = ResponseSvg("Snapped vs ideal", "E96, ISF 0.04", curves, 100, 10000);
#pragma once

#include <string>
#include <vector>

namespace velmora {

struct Histogram {
    std::string Title;
    std::string Unit;
    std::vector<double> Samples;
    double Target = 0;                 // drawn as a line; NaN: none
    double MaskLow = 0, MaskHigh = 0;  // the mask band, shaded; equal: none
};

// standalone: a file of its own; otherwise an <svg> element for a page.
// before: the same builds before an adjustment, drawn behind in grey on
// the same bins.
std::string HistogramSvg(const Histogram& h, bool standalone = true,
                         const std::vector<double>& before = {});

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
