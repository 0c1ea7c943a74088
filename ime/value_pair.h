// One item of a list of key values ("DispalyCodes", a key map row): one or
// two bytes, the second zero for a single byte.
#pragma once

#include <cstdint>

struct ValuePair {
    uint8_t first = 0;
    uint8_t second = 0;
    bool operator==(const ValuePair&) const = default;
};

// A byte that an item of a value list can hold as itself: not zero, a blank,
// a line end or the comma between items.
constexpr bool standsInValueList(uint8_t byte) {
    return byte != 0 && byte != ' ' && byte != '\t' && byte != '\n' && byte != '\r' && byte != ',';
}

// Whether the two bytes of `pair` can be written as an item: both stand as
// themselves, and together they open no comment.
constexpr bool pairStandsInValueList(const ValuePair& pair) {
    return standsInValueList(pair.first) && standsInValueList(pair.second) &&
           !(pair.first == '/' && pair.second == '/');
}
