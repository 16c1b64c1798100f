// Batch mode: one calculation per line, streamed.
//
// Each input line holds eight TAB-separated texts (AF1, F1, AF2, F2, C in uF,
// FSF, ISF, R*); each output line the twelve result texts, TAB-separated, in
// display order. A line with another number of fields gets an empty output
// line and a message on the error stream naming its line number; the rest
// are still done. A CR before the line feed is dropped.
//
// A line is rejected when its field count is wrong or a field reads as
// something a designer would not mean (see input_reading.h): each such field
// is named on the error stream with its line number, a line of no numbers at
// all (a header) once. A rejected line with eight fields still gets its
// results, the texts the window would show; under `strict` an empty line.
//
//   in:  "1.847759\t1\t.765367\t1\t1\t1000\t0.01\t2000\n"
//   out:
//   "119421.6\t428196.7\t428196.7\t29302.9\t2.038\t1194.2\t4282.\t4282.\t293.\t0.1\t2076.\t1000.\n"
#pragma once

#include <iosfwd>

namespace velmora {

// Returns the process exit status: 0, or 1 when any line was rejected.
int RunBatch(std::istream& in, std::ostream& out, std::ostream& err, bool strict = false);

}  // namespace velmora
