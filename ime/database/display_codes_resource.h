// The "RT12" body: the display form of every code character, usedCodeCount
// entries of 2 bytes in "UsedCodes" order, each as the value list stores it
// (a double-byte character, or one or two single bytes, the second zero for
// one byte).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ime/input_method.h"

using DisplayCodes = std::vector<ValuePair>;

void encodeDisplayCodes(const DisplayCodes& codes, std::vector<uint8_t>& body);
// False unless the body holds exactly `usedCodeCount` entries.
bool decodeDisplayCodes(const uint8_t* body, std::size_t size, int usedCodeCount,
                        DisplayCodes& codes);

// The pairs as bytes, two per pair; shared by the display codes and the key map.
void encodePairs(const ValuePair* pairs, int count, std::vector<uint8_t>& body);
void decodePairs(const uint8_t* body, int count, ValuePair* pairs);
