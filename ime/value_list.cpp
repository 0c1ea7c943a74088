#include "ime/value_list.h"

#include <string>

#include "foundation/process_end.h"
#include "foundation/text_helpers.h"
#include "ime/messages.h"

namespace {

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

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

int parseValueList(const char* text, ValueItems& items) {
    std::string compact;
    for (const char* p = text; *p != '\0'; ++p) {
        if (!isBlank(*p)) compact += *p;
    }

    int count = 0;
    std::size_t start = 0;
    while (start < compact.size()) {
        std::size_t end = compact.find(',', start);
        if (end == std::string::npos) end = compact.size();
        const std::string item = compact.substr(start, end - start);
        if (item.empty()) break;

        uint8_t first = 0;
        uint8_t second = 0;
        if (item.size() <= 2) {
            first = static_cast<uint8_t>(item[0]);
            if (item.size() == 2) second = static_cast<uint8_t>(item[1]);
        } else if (const int byte = hexByte(item); byte >= 0) {
            first = static_cast<uint8_t>(byte);
        } else {
            report(kValueFormatError, text);
            endProcess(1);
        }
        if (count < kMaxValueItems) {
            items[2 * count] = first;
            items[2 * count + 1] = second;
        }
        ++count;
        start = end + 1;
    }
    return count;
}
