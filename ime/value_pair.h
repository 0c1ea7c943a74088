// One item of a list of key values ("DispalyCodes", a key map row): one or
// two bytes, the second zero for a single byte.
#pragma once

#include <cstdint>

struct ValuePair {
    uint8_t first = 0;
    uint8_t second = 0;
    bool operator==(const ValuePair&) const = default;
};
