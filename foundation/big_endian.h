// Big-endian numbers in byte buffers. Every database number is stored this
// way, so every reader and writer goes through these four helpers.
#pragma once

#include <cstdint>

inline void putU16BE(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

inline void putU32BE(uint8_t* out, uint32_t value) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

inline uint16_t getU16BE(const uint8_t* in) {
    return static_cast<uint16_t>((in[0] << 8) | in[1]);
}

inline uint32_t getU32BE(const uint8_t* in) {
    return (uint32_t{in[0]} << 24) | (uint32_t{in[1]} << 16) | (uint32_t{in[2]} << 8) |
           uint32_t{in[3]};
}
