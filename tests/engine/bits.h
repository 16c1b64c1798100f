// Special values for tests, built from their bit patterns so that no compiler
// folding or library call stands between the test and the value.
#pragma once

#include <bit>
#include <cstdint>
#include <string>

inline double DoubleFromBits(uint64_t bits) {
    return std::bit_cast<double>(bits);
}

inline const double kPositiveInfinity = DoubleFromBits(0x7FF0000000000000);
inline const double kNegativeInfinity = DoubleFromBits(0xFFF0000000000000);
inline const double kQuietNaN = DoubleFromBits(0x7FF8000000000000);
inline const double kNegativeNaN = DoubleFromBits(0xFFF8000000000001);
inline const double kNegativeZero = DoubleFromBits(0x8000000000000000);
inline const double kLargestDouble = DoubleFromBits(0x7FEFFFFFFFFFFFFF);
inline const double kSmallestSubnormal = DoubleFromBits(0x0000000000000001);

inline uint64_t BitsOf(double value) {
    return std::bit_cast<uint64_t>(value);
}

// The text of an infinity: nineteen "9", 980 "0" and the point.
inline std::string InfinityText(bool negative) {
    return (negative ? "-" : "") + std::string(19, '9') + std::string(980, '0') + ".";
}
