#include "report.h"

#include <iomanip>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

#include "common/program.h"

namespace velmora {

namespace {

std::string WithUnit(const std::string& text, const char* unit) {
    return *unit ? text + " " + unit : text;
}

}  // namespace

void WriteTextReport(std::ostream& out, const InputTexts& inputs, const CalculationResult& result) {
    out << kReportHeading << "\nInputs:";
    for (size_t k = 0; k < 8; ++k) {
        const std::string& text = inputs.Texts[k];
        out << (k ? ", " : " ") << kInputNames[k] << " " << (text.empty() ? "(empty)" : text)
            << kInputUnits[k];
    }
    out << "\n\n"
        << std::left << std::setw(8) << "" << std::setw(20) << "Prototype"
        << "Scaled\n";
    for (const ResultRow& row : kResultRows) {
        const std::string proto =
            row.Prototype ? WithUnit(result.Texts[*row.Prototype], row.Unit) : "";
        const std::string scaled = row.Scaled ? WithUnit(result.Texts[*row.Scaled], row.Unit) : "";
        out << std::setw(8) << row.Label << std::setw(20) << proto << scaled << "\n";
    }
    out << "\nBisection passes: " << result.Passes << "\n";
}

nlohmann::ordered_json JsonReport(const InputTexts& inputs, const CalculationResult& result) {
    nlohmann::ordered_json json;
    for (size_t k = 0; k < 8; ++k)
        json["inputs"][kInputNames[k]] = inputs.Texts[k];
    for (const ResultRow& row : kResultRows) {
        if (row.Prototype) json["prototype"][row.Label] = result.Texts[*row.Prototype];
    }
    for (const ResultRow& row : kResultRows) {
        if (row.Scaled) json["scaled"][row.Label] = result.Texts[*row.Scaled];
    }
    json["passes"] = result.Passes;
    return json;
}

void WriteJsonReport(std::ostream& out, const InputTexts& inputs, const CalculationResult& result) {
    const nlohmann::ordered_json json = JsonReport(inputs, result);
    // Input texts are whatever bytes the user typed; JSON wants UTF-8, so
    // bytes that are not are written as U+FFFD rather than failing.
    out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

}  // namespace velmora
