#include "ime/source/value_list.h"

#include <string>

#include "foundation/text_helpers.h"
#include "ime/messages.h"

namespace {

// The byte written as "0x" and one or two hexadecimal digits, or -1.
int hexByte(const std::string& item) {
    if (item.size() < 3 || item.size() > 4 || item[0] != '0' ||
        (item[1] != 'x' && item[1] != 'X')) {
        return -1;
    }
    int value = 0;
    for (std::size_t i = 2; i < item.size(); ++i) {
        const int digit = hexDigitValue(item[i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    return value;
}

}  // namespace

int parseValueList(const char* text, std::vector<ValuePair>& items) {
    items.clear();
    for (const std::string& item : splitItems(text, ',')) {
        ValuePair pair;
        if (item.size() <= 2) {
            pair.first = static_cast<uint8_t>(item[0]);
            if (item.size() == 2) pair.second = static_cast<uint8_t>(item[1]);
        } else if (const int byte = hexByte(item); byte >= 0) {
            pair.first = static_cast<uint8_t>(byte);
        } else {
            report(kValueFormatError, text);
            return kStopStatus;
        }
        items.push_back(pair);
    }
    return 0;
}
