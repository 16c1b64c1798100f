// Every file velmora-calc writes is named on the command line and checked
// the same way before anything is computed: an empty name is refused, and
// so is a name whose extension does not fit what is written into it.
//
//   app: AddOutputOption(app, "--plot", o.PlotFile, kSvgFile, "write a Bode plot");
//   CheckOutputName("--plot", "x.png", kSvgFile)
//       -> "--plot 'x.png' has another extension: give a file name ending in .svg, e.g. plot.svg"
//   CheckOutputName("--bom-csv", "-", kCsvFile) -> ""  (standard output)
//
// Missing folders on the way are made when the file is written
// (WriteTextFile, program.h), for every output alike.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace velmora {

struct OutputKind {
    const char* Extensions[3];  // lower case, the first one in examples; none for a folder
    bool StandardOutput;        // "-" writes to standard output
    const char* Example;
};

inline constexpr OutputKind kSvgFile = {{".svg"}, false, "plot.svg"};
inline constexpr OutputKind kHtmlFile = {{".html", ".htm"}, false, "report.html"};
inline constexpr OutputKind kNetlistFile = {{".cir", ".sp", ".net"}, false, "filter.cir"};
inline constexpr OutputKind kCsvFile = {{".csv"}, true, "bom.csv"};
inline constexpr OutputKind kJsonFile = {{".json"}, true, "out.json"};
inline constexpr OutputKind kFolder = {{}, false, "plots"};

// "" when the name fits, else the message.
std::string CheckOutputName(const std::string& option, const std::string& name,
                            const OutputKind& kind);

// Registers an option naming an output; a name that does not fit stops the
// parse with the message.
CLI::Option* AddOutputOption(CLI::App& app, const std::string& name, std::string& target,
                             const OutputKind& kind, const std::string& help);

}  // namespace velmora
