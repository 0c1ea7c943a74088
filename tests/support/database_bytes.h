// Comparing databases: the three dates (header bytes 36 to 47) differ from
// run to run, so they are blanked before a comparison.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

inline constexpr std::size_t kDatesStart = 36;
inline constexpr std::size_t kDatesEnd = 48;

template <class Bytes>
Bytes maskDates(Bytes database) {
    for (std::size_t i = kDatesStart; i < kDatesEnd && i < database.size(); ++i) database[i] = 0;
    return database;
}

}  // namespace test_support
