// The "RT13" body, 120 bytes: rows 1 to 4 of the keyboard at offsets 0, 24,
// 48 and 72, each 12 entries of 2 bytes as the value list stores them (the
// second byte zero for a single byte); unused entries and the last 24 bytes
// are zero.
#include "ime/key_map.h"

#include <cstring>

#include "ime/messages.h"
#include "ime/value_list.h"

namespace {

constexpr int kRowCount = 4;
constexpr int kKeysPerRow = 12;
constexpr int kRowBytes = 2 * kKeysPerRow;
static_assert(kRowCount * kRowBytes + kRowBytes == kKeyMapSize);

}  // namespace

int parseKeyMapTable(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyKeyMapTable)) return 0;
    if (mabrel.keyTable.loadSection(mabrel.source.stream.get()) == 0) {
        return report(kNoKeywords, keyName(kKeyKeyMapTable));
    }
    mabrel.keyMap = allocZeroedBlock(kKeyMapSize);
    if (mabrel.keyMap == nullptr) return kNoMemory.code;

    for (int row = 0; row < kRowCount; ++row) {
        const char* name = keyName(kKeyRow1 + row);
        const char* value = mabrel.keyTable.findValue(name, true);
        if (value == nullptr) continue;
        ValueItems items{};
        const int count = parseValueList(value, items);
        if (count > kKeysPerRow) return report(kTooManyRowValues, name);
        std::memcpy(mabrel.keyMap.get() + row * kRowBytes, items.data(), 2 * count);
    }
    return 0;
}
