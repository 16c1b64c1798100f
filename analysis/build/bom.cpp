#include "bom.h"

#include <cstdio>
#include <ostream>

#include "text/quantity_text.h"

namespace velmora {

namespace {

// Digits a part's value is marked with: those of its series, else four.
int MarkedDigits(const std::string& series) {
    if (series.empty()) return 4;
    const auto parsed = ParseSeries(series);
    return parsed ? SeriesDigits(*parsed) : 4;
}

std::string Number(double value, const char* format) {
    return PrintfNumber(format, value);
}

std::string SeriesText(const std::optional<ESeries>& series) {
    return series ? SeriesName(*series) : "";
}

}  // namespace

std::vector<BomLine> BillOfMaterials(const SnappedBuild& b, const BuildSeries& series,
                                     const Tolerances* tol, const GbwLimit* gbw) {
    const std::string rSeries = SeriesText(series.Resistors);
    const std::string cSeries = SeriesText(series.Capacitors);
    const double rTol = tol ? tol->Resistor : 0;
    const double cTol = tol ? tol->Capacitor : 0;
    std::vector<BomLine> lines = {
        {"R1", b.Built.R1, "ohm", b.Ideal.R1, rSeries, rTol, "Resistor"},
        {"R2", b.Built.R2, "ohm", b.Ideal.R2, rSeries, rTol, "Resistor"},
        {"R3", b.Built.R3, "ohm", b.Ideal.R3, rSeries, rTol, "Resistor"},
        {"R4", b.Built.R4, "ohm", b.Ideal.R4, rSeries, rTol, "Resistor"},
        {"RK-R", b.RkrBuilt, "ohm", b.RkrIdeal, rSeries, rTol, "Resistor, gain network"},
        {"R*", b.RStar, "ohm", b.RStar, b.RStar == b.RStarGiven ? "" : rSeries, rTol,
         b.RStar == b.RStarGiven ? "Resistor, gain network (as given)"
                                 : "Resistor, gain network (chosen for K; " +
                                       FormatEngineering(b.RStarGiven, 4) + " given)"},
    };
    const double ideal[4] = {b.Ideal.C1, b.Ideal.C2, b.Ideal.C3, b.Ideal.C4};
    const double built[4] = {b.Built.C1, b.Built.C2, b.Built.C3, b.Built.C4};
    for (int k = 0; k < 4; ++k)
        // C0G: a filter's pole positions follow the capacitors' voltage and
        // temperature coefficients, which other ceramics have in plenty.
        lines.push_back({"C" + std::to_string(k + 1), built[k], "F", ideal[k], cSeries, cTol,
                         "Capacitor, C0G/NP0 or film"});
    std::string opamp = "Op-amp, unity-gain stable";
    if (gbw && gbw->Found)
        opamp += ", GBW >= " + FormatEngineering(gbw->GbwHz, 3) + "Hz (f0 and Q within " +
                 Number(gbw->Limit * 100, "%g") + " %)";
    lines.push_back({"U1", 0, "", 0, "", 0, opamp});
    return lines;
}

void WriteBomText(std::ostream& out, const std::vector<BomLine>& lines) {
    char row[256];
    std::snprintf(row, sizeof row, "%-6s %-12s %-12s %-10s %-7s %s\n", "Ref", "Value", "Computed",
                  "Deviation", "Tol.", "Description");
    out << row;
    for (const BomLine& line : lines) {
        if (line.Value == 0 && line.Computed == 0) {
            std::snprintf(row, sizeof row, "%-6s %-12s %-12s %-10s %-7s %s\n", line.Ref.c_str(), "",
                          "", "", "", line.Description.c_str());
            out << row;
            continue;
        }
        const std::string unit = line.Unit;
        const std::string value =
            FormatEngineering(line.Value, MarkedDigits(line.Series)) + (unit == "ohm" ? "" : unit);
        const std::string computed =
            FormatEngineering(line.Computed, 5) + (unit == "ohm" ? "" : unit);
        const std::string deviation = Number((line.Value / line.Computed - 1) * 100, "%+.2f %%");
        const std::string tol = line.Tolerance > 0 ? Number(line.Tolerance * 100, "%g %%") : "";
        const std::string description =
            line.Series.empty() ? line.Description : line.Series + " " + line.Description;
        std::snprintf(row, sizeof row, "%-6s %-12s %-12s %-10s %-7s %s\n", line.Ref.c_str(),
                      value.c_str(), computed.c_str(), deviation.c_str(), tol.c_str(),
                      description.c_str());
        out << row;
    }
}

void WriteBomCsv(std::ostream& out, const std::vector<BomLine>& lines) {
    out << "Ref,Value,Unit,Computed,Deviation %,Series,Tolerance %,Description\n";
    for (const BomLine& line : lines) {
        // Both to eight digits: a part left as computed reads the same in both.
        const bool part = !(line.Value == 0 && line.Computed == 0);
        // A line of several parts names them all ("R2, R3"), quoted.
        const bool several = line.Ref.find(',') != std::string::npos;
        out << (several ? "\"" + line.Ref + "\"" : line.Ref) << ','
            << (part ? Number(line.Value, "%.8g") : "") << ',' << line.Unit << ','
            << (part ? Number(line.Computed, "%.8g") : "") << ','
            << (part ? Number((line.Value / line.Computed - 1) * 100, "%.4f") : "") << ','
            << line.Series << ',' << (line.Tolerance > 0 ? Number(line.Tolerance * 100, "%g") : "")
            << ",\"" << line.Description << "\"\n";
    }
}

}  // namespace velmora
