#include "batch.h"

#include <istream>
#include <ostream>
#include <string>

#include "common/calculation.h"
#include "common/input_reading.h"
#include "fpu_scope.h"

namespace velmora {

namespace {

// Splits on TAB into the eight input texts; false when the count is wrong.
bool SplitFields(const std::string& line, InputTexts& inputs, size_t& count) {
    count = 0;
    size_t start = 0;
    for (;;) {
        const size_t tab = line.find('\t', start);
        const size_t end = tab == std::string::npos ? line.size() : tab;
        if (count < 8) inputs.Texts[count].assign(line, start, end - start);
        ++count;
        if (tab == std::string::npos) break;
        start = tab + 1;
    }
    return count == 8;
}

// Names each field that does not read as meant; false when there was one.
bool NoteReadings(const InputTexts& inputs, long lineNumber, std::ostream& err) {
    if (NoFieldIsANumber(inputs.Texts.data(), 8)) {
        err << "velmora-calc: line " << lineNumber
            << ": no field is a number (a header line?); every input read as 0\n";
        return false;
    }
    bool clean = true;
    for (size_t k = 0; k < 8; ++k)
        if (const std::string note = ReadingNote(k, inputs.Texts[k]); !note.empty()) {
            err << "velmora-calc: line " << lineNumber << ": " << kInputNames[k] << " " << note
                << "\n";
            clean = false;
        }
    return clean;
}

}  // namespace

int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, bool strict) {
    // One scope for the whole batch, so that the engine's own scopes find
    // their state already set and skip the control-register writes; nothing
    // here computes in floating point between the calls.
    FpuScope scope;
    int status = 0;
    std::string line, text;
    InputTexts inputs;
    for (long lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t fields = 0;
        if (!SplitFields(line, inputs, fields)) {
            err << "velmora-calc: line " << lineNumber
                << ": expected 8 TAB-separated fields, found " << fields << "\n";
            out << '\n';
            status = 1;
            continue;
        }
        if (!NoteReadings(inputs, lineNumber, err)) {
            status = 1;
            if (strict) {
                out << '\n';
                continue;
            }
        }
        const CalculationResult result = RunCalculation(inputs);
        text.clear();
        for (size_t k = 0; k < result.Texts.size(); ++k) {
            if (k) text += '\t';
            text += result.Texts[k];
        }
        text += '\n';
        out << text;
    }
    out.flush();
    return status;
}

}  // namespace velmora
