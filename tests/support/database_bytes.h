// Database bytes in tests: numbers written big-endian, and the three dates
// (header bytes 36 to 47), which differ from run to run and are blanked
// before a comparison.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/big_endian.h"

namespace test_support {

// Big-endian numbers as bytes, for writing expected bodies out by hand.
inline std::string be16(uint16_t value) {
    uint8_t bytes[2];
    putU16BE(bytes, value);
    return {reinterpret_cast<const char*>(bytes), 2};
}

inline std::string be32(uint32_t value) {
    uint8_t bytes[4];
    putU32BE(bytes, value);
    return {reinterpret_cast<const char*>(bytes), 4};
}

inline constexpr std::size_t kDatesStart = 36;
inline constexpr std::size_t kDatesEnd = 48;

template <class Bytes>
Bytes maskDates(Bytes database) {
    for (std::size_t i = kDatesStart; i < kDatesEnd && i < database.size(); ++i) database[i] = 0;
    return database;
}

}  // namespace test_support
