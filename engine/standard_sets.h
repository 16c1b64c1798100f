// The seven preset rows behind the "Load Standard Param." buttons. Each row is
// four texts, written into the parameter boxes exactly as stored; nothing is
// parsed or computed until CALC.
#pragma once

#include <span>
#include <string_view>

#include "design.h"

struct StandardSet {
    const char* Label;  // the button's text
    int ControlId;      // the button's ID
    const char* AF1;
    const char* F1;
    const char* AF2;
    const char* F2;
    const char* Name;  // on a command line: "butterworth", "cheb05", "tbd"
};

// Butterworth, Bessel, the four Tchebysheff grades and TBD, in button order.
std::span<const StandardSet> StandardSets();

// FindStandardSet(ID_STD_BESSEL)->F1 -> "3.023265"; FindStandardSet(1062) -> nullptr
const StandardSet* FindStandardSet(int controlId);

// FindStandardSet("bessel")->ControlId -> ID_STD_BESSEL; FindStandardSet("Bessel") -> nullptr
const StandardSet* FindStandardSet(std::string_view name);

// Writes AF1, F1, AF2, F2 to ID_AF1, ID_F1, ID_AF2, ID_F2, in that order.
void ApplyStandardSet(const StandardSet& set, const TextSink& sink);
