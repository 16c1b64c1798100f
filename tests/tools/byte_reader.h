// Reads the integers of a binary file image for the tests, independently of
// the writers under test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

using ByteVector = std::vector<uint8_t>;

inline uint32_t ReadU16Le(const ByteVector& bytes, std::size_t at) {
    return bytes.at(at) | bytes.at(at + 1) << 8;
}
inline uint32_t ReadU32Le(const ByteVector& bytes, std::size_t at) {
    return ReadU16Le(bytes, at) | ReadU16Le(bytes, at + 2) << 16;
}
inline uint32_t ReadU32Be(const ByteVector& bytes, std::size_t at) {
    return static_cast<uint32_t>(bytes.at(at)) << 24 | bytes.at(at + 1) << 16 |
           bytes.at(at + 2) << 8 | bytes.at(at + 3);
}
inline int32_t ReadI32Le(const ByteVector& bytes, std::size_t at) {
    return static_cast<int32_t>(ReadU32Le(bytes, at));
}
