// Little-endian numbers, the order of the BMP files that keyboard pictures
// come in; the databases themselves are big-endian (big_endian.h).
#pragma once

#include <cstdint>
#include <vector>

inline uint16_t getU16LE(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] | (in[1] << 8));
}

inline uint32_t getU32LE(const uint8_t* in) {
    return uint32_t{in[0]} | (uint32_t{in[1]} << 8) | (uint32_t{in[2]} << 16) |
           (uint32_t{in[3]} << 24);
}

// Appends the low `bytes` bytes of `value`, least significant first.
inline void appendLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}
