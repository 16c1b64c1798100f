// REFERENCE ONLY, never used for output: the batch computation in plain
// doubles, read with strtod and written with snprintf. Its texts are not the
// program's (no extended precision, C rounding of the last digit); it exists
// so that the benchmark can show, in one run, what the exact texts cost over
// the cheapest way to compute the same thing.
//
//   std::istringstream in("1.847759\t1\t.765367\t1\t1\t1000\t0.01\t2000\n");
//   RunBatchFloor(in, out);   // out: "119421.6\t428196.7\t...\t1000.0\n"
#pragma once

#include <iosfwd>

namespace velmora::bench {

// Lines of eight TAB-separated numbers in, twelve numbers a line out, as
// RunBatch; returns the number of lines computed.
long RunBatchFloor(std::istream& in, std::ostream& out);

}  // namespace velmora::bench
