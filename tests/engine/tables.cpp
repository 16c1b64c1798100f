#include "tables.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "number_text.h"
#include "test_tables.h"

std::string Unescape(std::string_view field) {
    std::string text;
    for (size_t k = 0; k < field.size(); ++k) {
        if (field[k] == '\\' && k + 1 < field.size()) {
            const char c = field[++k];
            text += c == 't' ? '\t' : c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        } else if (field[k] == '{' && field.substr(k + 2, 1) == "*") {
            const size_t close = field.find('}', k);
            text.append(std::stoul(std::string(field.substr(k + 3, close - k - 3))), field[k + 1]);
            k = close;
        } else {
            text += field[k];
        }
    }
    return text;
}

std::vector<std::vector<std::string>> TableRows(std::string_view table, size_t fields) {
    std::vector<std::vector<std::string>> rows;
    while (!table.empty()) {
        const std::string_view line = table.substr(0, table.find('\n'));
        table.remove_prefix(std::min(table.size(), line.size() + 1));
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> row;
        for (size_t start = 0;;) {
            const size_t tab = line.find('\t', start);
            row.push_back(Unescape(line.substr(start, tab - start)));
            if (tab == std::string_view::npos) break;
            start = tab + 1;
        }
        EXPECT_EQ(row.size(), fields) << line;
        if (row.size() == fields) rows.push_back(std::move(row));
    }
    return rows;
}

const std::vector<WorkedExample>& WorkedExamples() {
    static const std::vector<WorkedExample> examples = [] {
        std::vector<WorkedExample> list;
        for (const auto& row : TableRows(kWorkedExamplesTable, 22)) {
            WorkedExample& e = list.emplace_back();
            e.Name = row[0];
            std::copy(row.begin() + 1, row.begin() + 9, e.Inputs.begin());
            e.Passes = std::stoi(row[9]);
            std::copy(row.begin() + 10, row.end(), e.Texts.begin());
        }
        return list;
    }();
    return examples;
}

const WorkedExample& Example(std::string_view name) {
    for (const WorkedExample& e : WorkedExamples())
        if (e.Name == name) return e;
    throw std::out_of_range(std::string(name));
}

DesignRun Calculate(const InputTexts& inputs, const PassObserver& observer) {
    std::map<int, std::string> boxes;
    for (size_t k = 0; k < 8; ++k)
        boxes[kInputIds[k]] = inputs[k];
    DesignRun run;
    ReadInputs(run.Record, [&](int id) { return boxes.at(id); });
    run.Passes = ComputeDesign(run.Record, observer);
    size_t k = 0;
    ShowResults(run.Record, [&](int id, const std::string& text) {
        if (k < 12) run.Order[k] = id, run.Texts[k] = text;
        ++k;
    });
    EXPECT_EQ(k, 12u);
    return run;
}

// The expected values are read once, under the start-up control word: the C
// library's readers are not all indifferent to the word.
void CheckParseTable() {
    static const std::vector<std::pair<std::string, double>> rows = [] {
        std::vector<std::pair<std::string, double>> list;
        for (const auto& row : TableRows(kParseNumberTable, 2))
            list.emplace_back(row[0], std::strtod(row[1].c_str(), nullptr));
        return list;
    }();
    for (const auto& [text, expected] : rows)
        EXPECT_EQ(std::bit_cast<uint64_t>(ParseNumber(text)), std::bit_cast<uint64_t>(expected))
            << "text \"" << text.substr(0, 40) << "\" read as " << ParseNumber(text);
}

void CheckFormatTable() {
    struct Row {
        long double Value;
        std::string Mask, Text;
    };
    static const std::vector<Row> rows = [] {
        std::vector<Row> list;
        for (const auto& row : TableRows(kFormatNumberTable, 3)) {
            const long double value = row[0].back() == 'L' ? std::strtold(row[0].c_str(), nullptr)
                                                           : std::strtod(row[0].c_str(), nullptr);
            if (row[1] != "any") list.push_back({value, row[1], row[2]});
            for (const char* mask : {"#.#", "#.####", "#.######", "#######.#"})
                if (row[1] == "any") list.push_back({value, mask, row[2]});
        }
        return list;
    }();
    for (const Row& row : rows)
        EXPECT_EQ(FormatNumber(row.Value, row.Mask), row.Text)
            << static_cast<double>(row.Value) << " under " << row.Mask;
}

void CheckWorkedExamples() {
    for (const WorkedExample& e : WorkedExamples()) {
        const DesignRun run = Calculate(e.Inputs);
        EXPECT_EQ(run.Passes, e.Passes) << e.Name;
        EXPECT_EQ(run.Texts, e.Texts) << e.Name;
    }
}
