#include "foundation/desktop_tables/binary/table_bytes.h"

#include <algorithm>
#include <limits>

#include "foundation/text_encoding.h"

bool isTableField(std::string_view text) {
    const auto breaksLine = [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '\x7F';
    };
    return !text.empty() && text.size() <= std::numeric_limits<uint8_t>::max() &&
           std::none_of(text.begin(), text.end(), breaksLine) && isUtf8(text);
}

bool TableText::line(std::string_view code, std::string_view value, std::string_view weight) {
    if (!isTableField(code) || !isTableField(value)) return false;
    if (text_.size() + code.size() + value.size() + weight.size() + 3 > kMaxInputFileBytes) {
        tooLarge_ = true;
        return false;
    }
    if (weight.empty()) {
        text_.append(code).append(" ").append(value).append("\n");
    } else {
        text_.append(code).append("\t").append(value).append("\t").append(weight).append("\n");
    }
    return true;
}

void TableText::append(std::string_view text) {
    if (text_.size() + text.size() > kMaxInputFileBytes) {
        tooLarge_ = true;
        return;
    }
    text_.append(text);
}
