#include "ime/database/key_map_resource.h"

#include "ime/database/display_codes_resource.h"

namespace {
constexpr int kRowBytes = 2 * kKeyMapRowKeys;
static_assert(kKeyMapRowCount * kRowBytes + kRowBytes == kKeyMapSize);
}  // namespace

void encodeKeyMap(const KeyMap& keyMap, std::vector<uint8_t>& body) {
    for (const auto& row : keyMap.rows) encodePairs(row.data(), kKeyMapRowKeys, body);
    body.insert(body.end(), kRowBytes, 0);
}

bool decodeKeyMap(const uint8_t* body, std::size_t size, KeyMap& keyMap) {
    if (size != kKeyMapSize) return false;
    for (int r = 0; r < kKeyMapRowCount; ++r) {
        decodePairs(body + r * kRowBytes, kKeyMapRowKeys, keyMap.rows[r].data());
    }
    return true;
}
