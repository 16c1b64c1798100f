// The calculation cases that go through the window: a name and the eight
// input texts per line of window_cases.tsv, and the twelve texts the native
// velmora-calc --batch computed for the same line.
//
//   std::vector<WindowCase> cases = WindowCasesLoad(Options().CasesFile, Options().BatchFile);
//   cases[0].Name == "butterworth"; cases[0].Inputs[1] == "1"; cases[0].Batch[11] == "1000."
#pragma once

#include <array>
#include <string>
#include <vector>

#include "control_ids.h"

struct WindowCase {
    std::string Name;
    std::array<std::string, 8> Inputs;  // AF1, F1, AF2, F2, C, FSF, ISF, R*
    std::array<std::string, 12> Batch;  // display order; empty when the batch file lacks the line
};

// The boxes the inputs go into, in the file's column order.
inline constexpr int kCaseInputIds[8] = {ID_AF1, ID_F1,  ID_AF2, ID_F2,
                                         ID_CAP, ID_FSF, ID_ISF, ID_RSTAR};
// The result boxes in display order.
inline constexpr int kCaseResultIds[12] = {ID_PROTO_R1, ID_PROTO_R2, ID_PROTO_R3, ID_PROTO_R4,
                                           ID_PROTO_K,  ID_OUT_R1,   ID_OUT_R2,   ID_OUT_R3,
                                           ID_OUT_R4,   ID_OUT_C,    ID_OUT_RKR,  ID_OUT_FREQ};

std::vector<WindowCase> WindowCasesLoad(const std::wstring& casesFile,
                                        const std::wstring& batchFile);

// The text an infinite result shows: nineteen "9", 980 "0" and ".", after a
// "-" when negative.
std::string InfinityText(bool negative);
