// The "RT13" body, 120 bytes: rows 1 to 4 of the keyboard at offsets 0, 24,
// 48 and 72, each 12 entries of 2 bytes as the value list stores them (the
// second byte zero for a single byte); unused entries and the last 24 bytes
// are zero.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ime/input_method.h"

inline constexpr int kKeyMapSize = 120;

struct KeyMap {
    KeyMapRows rows{};
};

void encodeKeyMap(const KeyMap& keyMap, std::vector<uint8_t>& body);
// False unless the body is 120 bytes; the last 24 bytes are not looked at.
bool decodeKeyMap(const uint8_t* body, std::size_t size, KeyMap& keyMap);
