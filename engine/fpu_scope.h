// Extended precision on demand.
//
// The engine's texts depend on every x87 operation rounding to a 64-bit
// significand. A process may hand us a control word with 53-bit precision
// (the MSVC runtime default, left behind by DLLs) or a directed rounding mode,
// so each public entry point of the engine runs under an FpuScope, which sets
// the x87 control word to 64-bit precision, round to nearest, every exception
// masked, and the SSE control register to round to nearest, all exceptions
// masked, no flush-to-zero; the destructor puts back what it found.
//
// A scope that finds the state it wants writes nothing and restores nothing:
// a host that runs many engine calls in a row (velmora-calc --batch) holds
// one FpuScope around all of them and the scopes inside cost two reads each.
//
// The arithmetic that needs the scope must sit in a separate, non-inlined
// function called while the scope is alive, so that the compiler cannot move
// it across the control-word writes:
//
//     double ParseNumber(std::string_view text) {
//         FpuScope scope;
//         return ParseNumberExtended(text);  // VELMORA_NOINLINE
//     }
#pragma once

#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 80-bit extended format");

#define VELMORA_NOINLINE __attribute__((noinline))

class FpuScope {
public:
    FpuScope();
    ~FpuScope();
    FpuScope(const FpuScope&) = delete;
    FpuScope& operator=(const FpuScope&) = delete;

private:
    unsigned short savedControlWord_;
    unsigned int savedMxcsr_;
    bool installed_;
};

// The control word an FpuScope installs: 0x037F.
constexpr unsigned short kExtendedControlWord = 0x037F;

// nearbyintl under an FpuScope (round to nearest, ties to even) with the x87
// instruction itself rather than a library call.
inline long double RoundToInteger(long double x) {
#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
    asm("frndint" : "+t"(x));
    return x;
#else
    return __builtin_nearbyintl(x);
#endif
}

// Reads and writes the x87 control word; for tests that simulate a foreign one.
unsigned short FpuGetControlWord();
void FpuSetControlWord(unsigned short controlWord);
