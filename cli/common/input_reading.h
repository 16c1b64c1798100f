// What velmora-calc says about an input text: the engine reads it exactly as
// the window reads its box (a leading number, the rest ignored), and this
// names the texts that read as something a designer would not mean.
//
//   ReadingNote(Input::RStar, "2k")
//       -> "'2k' read as 2 ohms: only the leading number counts; write 2000"
//   ReadingNote(Input::Cap, "10n")
//       -> "'10n' read as 10 uF: only the leading number counts; write 0.01"
//   ReadingNote(Input::ISF, "0,01")
//       -> "'0,01' read as 0: a decimal comma ends the number; write 0.01"
//   ReadingNote(Input::FSF, "abc")    -> "'abc' read as 0: not a number"
//   ReadingNote(Input::FSF, "-1000")  -> "'-1000' read as -1000: FSF must be above 0"
//   ReadingNote(Input::AF1, ".765367") -> ""     (wholly a number: nothing to say)
//
// A text is wholly a number when, after leading blanks, it is one decimal
// number (sign, digits with at most one point, an exponent with its digits)
// or one radix form ("&H1F", "&17&") followed by blanks only. C, FSF, ISF
// and R* must also read above 0; every input must read as a finite value.
#pragma once

#include <cstddef>
#include <string>

namespace velmora {

// `input` is the index in reading order (AF1 .. R*, see calculation.h).
std::string ReadingNote(size_t input, const std::string& text);

// Whether no field of a line starts a number at all, as in a header line
// ("AF1\tF1\t...").
bool NoFieldIsANumber(const std::string* texts, size_t count);

}  // namespace velmora
