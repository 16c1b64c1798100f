#include "report.h"

#include <iomanip>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace {

// One result row: label, index of the prototype text (or -1), index of the
// scaled text (or -1), unit.
struct Row {
    const char* Label;
    int Prototype;
    int Scaled;
    const char* Unit;
};

constexpr Row kRows[] = {
    {"R1", 0, 5, "ohms"}, {"R2", 1, 6, "ohms"}, {"R3", 2, 7, "ohms"},     {"R4", 3, 8, "ohms"},
    {"K", 4, -1, ""},     {"C", -1, 9, "uF"},   {"RK-R", -1, 10, "ohms"}, {"Freq", -1, 11, "Hz"},
};

constexpr const char* kInputUnits[8] = {"", "", "", "", " uF", "", "", " ohms"};

std::string WithUnit(const std::string& text, const char* unit) {
    return *unit ? text + " " + unit : text;
}

}  // namespace

void WriteTextReport(std::ostream& out, const InputTexts& inputs, const CalculationResult& result) {
    out << "Velmora Designer 1.03: fourth-order low-pass design\nInputs:";
    for (size_t k = 0; k < 8; ++k) {
        const std::string& text = inputs.Texts[k];
        out << (k ? ", " : " ") << kInputNames[k] << " " << (text.empty() ? "(empty)" : text)
            << kInputUnits[k];
    }
    out << "\n\n"
        << std::left << std::setw(8) << "" << std::setw(20) << "Prototype"
        << "Scaled\n";
    for (const Row& row : kRows) {
        const std::string proto =
            row.Prototype < 0 ? "" : WithUnit(result.Texts[row.Prototype], row.Unit);
        const std::string scaled =
            row.Scaled < 0 ? "" : WithUnit(result.Texts[row.Scaled], row.Unit);
        out << std::setw(8) << row.Label << std::setw(20) << proto << scaled << "\n";
    }
    out << "\nBisection passes: " << result.Passes << "\n";
}

nlohmann::ordered_json JsonReport(const InputTexts& inputs, const CalculationResult& result) {
    nlohmann::ordered_json json;
    for (size_t k = 0; k < 8; ++k)
        json["inputs"][kInputNames[k]] = inputs.Texts[k];
    for (const Row& row : kRows) {
        if (row.Prototype >= 0) json["prototype"][row.Label] = result.Texts[row.Prototype];
    }
    for (const Row& row : kRows) {
        if (row.Scaled >= 0) json["scaled"][row.Label] = result.Texts[row.Scaled];
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
