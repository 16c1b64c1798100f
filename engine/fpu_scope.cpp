#include "fpu_scope.h"

#include <xmmintrin.h>

namespace {

// MXCSR: every exception masked (bits 7-12), round to nearest (bits 13-14
// clear), no flush-to-zero (bit 15) and no denormals-are-zero (bit 6).
constexpr unsigned int kMxcsrMasks = 0x1F80;
constexpr unsigned int kMxcsrKeep = ~0xFFC0u;

}  // namespace

unsigned short FpuGetControlWord() {
    unsigned short cw = 0;
    asm volatile("fnstcw %0" : "=m"(cw) : : "memory");
    return cw;
}

void FpuSetControlWord(unsigned short controlWord) {
    asm volatile("fnclex\n\tfldcw %0" : : "m"(controlWord) : "memory");
}

FpuScope::FpuScope()
    : savedControlWord_(FpuGetControlWord()),
      savedMxcsr_(_mm_getcsr()),
      installed_(savedControlWord_ != kExtendedControlWord ||
                 savedMxcsr_ != ((savedMxcsr_ & kMxcsrKeep) | kMxcsrMasks)) {
    if (!installed_) return;
    FpuSetControlWord(kExtendedControlWord);
    _mm_setcsr((savedMxcsr_ & kMxcsrKeep) | kMxcsrMasks);
}

FpuScope::~FpuScope() {
    if (!installed_) return;
    _mm_setcsr(savedMxcsr_);
    FpuSetControlWord(savedControlWord_);
}
