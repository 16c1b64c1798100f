// Runs one whole calculation from eight input texts, as CALC does.
#pragma once

#include <array>
#include <map>
#include <string>

#include "design.h"

struct DesignInputs {
    std::string AF1, F1, AF2, F2;
    std::string Cap = "1", FSF = "1000", ISF = "0.01", RStar = "2000";
};

struct DesignRun {
    DesignRecord Record;
    int Passes = 0;
    std::array<std::string, 12> Texts;  // display order
    std::array<int, 12> Order{};        // IDs in the order the sink saw them
};

inline DesignRun Calculate(const DesignInputs& in) {
    const std::map<int, std::string> boxes = {
        {ID_AF1, in.AF1}, {ID_F1, in.F1},   {ID_AF2, in.AF2}, {ID_F2, in.F2},
        {ID_CAP, in.Cap}, {ID_FSF, in.FSF}, {ID_ISF, in.ISF}, {ID_RSTAR, in.RStar}};
    DesignRun run;
    ReadInputs(run.Record, [&](int id) { return boxes.at(id); });
    run.Passes = ComputeDesign(run.Record);
    size_t k = 0;
    ShowResults(run.Record, [&](int id, const std::string& text) {
        if (k < run.Texts.size()) {
            run.Order[k] = id;
            run.Texts[k] = text;
        }
        ++k;
    });
    return run;
}
