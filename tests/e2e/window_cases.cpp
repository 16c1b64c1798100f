#include "window_cases.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t'))
        fields.push_back(field);
    if (!line.empty() && line.back() == '\t') fields.emplace_back();
    return fields;
}

std::vector<std::string> Lines(const std::wstring& file) {
    std::ifstream in{std::filesystem::path(file)};
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::vector<WindowCase> WindowCasesLoad(const std::wstring& casesFile,
                                        const std::wstring& batchFile) {
    const std::vector<std::string> cases = Lines(casesFile);
    const std::vector<std::string> batch = Lines(batchFile);
    std::vector<WindowCase> loaded;
    for (size_t k = 0; k < cases.size(); ++k) {
        const std::vector<std::string> fields = SplitTabs(cases[k]);
        if (fields.size() != 9) continue;
        WindowCase c;
        c.Name = fields[0];
        for (size_t i = 0; i < 8; ++i)
            c.Inputs[i] = fields[i + 1];
        if (k < batch.size()) {
            const std::vector<std::string> texts = SplitTabs(batch[k]);
            for (size_t i = 0; i < 12 && i < texts.size(); ++i)
                c.Batch[i] = texts[i];
        }
        loaded.push_back(c);
    }
    return loaded;
}

std::string InfinityText(bool negative) {
    return (negative ? "-" : "") + std::string(19, '9') + std::string(980, '0') + ".";
}
