#include "ime/key_map.h"

#include <algorithm>

#include "foundation/unknown_keys.h"
#include "ime/messages.h"
#include "ime/value_list.h"

namespace {

// The keys of the rows, from the top row down.
constexpr int kRowKeys[kKeyMapRows] = {kKeyRow1, kKeyRow2, kKeyRow3, kKeyRow4};

}  // namespace

int parseKeyMapTable(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyKeyMapTable)) return 0;
    if (mabrel.keyTable.loadSection(mabrel.source.stream) == 0) {
        return report(kNoKeywords, keyName(kKeyKeyMapTable));
    }
    warnUnknownKeys(mabrel.keyTable, kRowKeys);
    KeyMap& keyMap = mabrel.keyMap.emplace();
    for (int row = 0; row < kKeyMapRows; ++row) {
        const char* name = keyName(kRowKeys[row]);
        const char* value = mabrel.keyTable.findValue(name, true);
        if (value == nullptr) continue;
        const std::vector<ValuePair> items = parseValueList(value);
        if (static_cast<int>(items.size()) > kKeysPerRow) return report(kTooManyRowValues, name);
        std::copy(items.begin(), items.end(), keyMap.rows[row].begin());
    }
    return 0;
}
