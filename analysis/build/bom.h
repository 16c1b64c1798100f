// Bill of materials for a build: one line per part, as text for people or
// CSV for a spreadsheet or an ordering tool.
//
//   std::vector<BomLine> bom = BillOfMaterials(build, series, tol, &gbw);
//   WriteBomText(std::cout, bom);
//   // R1     11.8k ohm   computed 11.83k   -0.27 %   E96 resistor, 1 %
//   WriteBomCsv(file, bom);
//   // Ref,Value,Unit,Computed,Deviation %,Series,Tolerance %,Description
//   // R1,11800,ohm,11832.1,-0.271,E96,1,Resistor
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "monte_carlo.h"
#include "opamp_gbw.h"
#include "standard_values.h"

namespace velmora {

struct BomLine {
    std::string Ref;          // R1..R4, RK-R, R*, C1..C4, U1; "R2, R3" for two alike
    double Value = 0;         // what to fit: ohms or farads; 0 for U1
    const char* Unit = "";    // "ohm", "F", ""
    double Computed = 0;      // the exact value the design asked for
    std::string Series;       // "E96", "" when not snapped
    double Tolerance = 0;     // relative, 0 when not given
    std::string Description;  // "Resistor", "Capacitor, C0G/NP0 film", "Op-amp, GBW >= 1.7 MHz"
};

// tol may be null (no tolerances given), gbw null or not Found (not computed).
std::vector<BomLine> BillOfMaterials(const SnappedBuild& build, const BuildSeries& series,
                                     const Tolerances* tol, const GbwLimit* gbw);

void WriteBomText(std::ostream& out, const std::vector<BomLine>& lines);
void WriteBomCsv(std::ostream& out, const std::vector<BomLine>& lines);

}  // namespace velmora
