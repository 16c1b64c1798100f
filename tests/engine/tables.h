// The tables of tests/data, built into the test program (test_tables.h is
// generated from the .tsv files) so that it runs the same under Wine, away
// from the source tree.
//
// A table is TAB-separated text; lines that are empty or start with "#" are
// comments. In a field "\t", "\r", "\n" and "\\" are escapes and "{c*N}" is N
// copies of the character c:  "-{9*3}." -> "-999."
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "design.h"

std::string Unescape(std::string_view field);

// Each row's fields, unescaped; a row with another number of fields fails the
// test that reads it.
std::vector<std::vector<std::string>> TableRows(std::string_view table, size_t fields);

using InputTexts = std::array<std::string, 8>;    // AF1 F1 AF2 F2 C FSF ISF R*
using ResultTexts = std::array<std::string, 12>;  // display order

struct WorkedExample {
    std::string Name;
    InputTexts Inputs;
    int Passes = 0;
    ResultTexts Texts;
};

// tests/data/worked_examples.tsv
const std::vector<WorkedExample>& WorkedExamples();
const WorkedExample& Example(std::string_view name);

struct DesignRun {
    DesignRecord Record;
    int Passes = 0;
    ResultTexts Texts;
    std::array<int, 12> Order{};  // IDs in the order the sink saw them
};

// One whole calculation from the eight texts, as CALC runs it.
DesignRun Calculate(const InputTexts& inputs, const PassObserver& observer = {});

// Each row of the three tables checked once, as the test under way; the FPU
// tests run them again under foreign control words.
void CheckParseTable();
void CheckFormatTable();
void CheckWorkedExamples();
