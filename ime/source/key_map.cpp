#include "ime/source/key_map.h"

#include <algorithm>

#include "foundation/unknown_keys.h"
#include "ime/messages.h"
#include "ime/source/value_list.h"

namespace {

// The keys of the rows, from the top row down.
constexpr int kRowKeys[kKeyMapRowCount] = {kKeyRow1, kKeyRow2, kKeyRow3, kKeyRow4};

}  // namespace

int parseKeyMapTable(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyKeyMapTable)) return 0;
    if (mabrel.keyTable.loadSection(mabrel.source.stream) == 0) {
        return report(kNoKeywords, keyName(kKeyKeyMapTable));
    }
    warnUnknownKeys(mabrel.keyTable, kRowKeys);
    KeyMapRows& keyMap = mabrel.im.keyMap.emplace();
    for (int row = 0; row < kKeyMapRowCount; ++row) {
        const char* name = keyName(kRowKeys[row]);
        const char* value = mabrel.keyTable.findValue(name, true);
        if (value == nullptr) continue;
        std::vector<ValuePair> items;
        if (int rc = parseValueList(value, items)) return rc;
        if (static_cast<int>(items.size()) > kKeyMapRowKeys) {
            return report(kTooManyRowValues, name);
        }
        std::copy(items.begin(), items.end(), keyMap[row].begin());
    }
    return 0;
}
