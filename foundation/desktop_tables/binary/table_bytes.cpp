#include "foundation/desktop_tables/binary/table_bytes.h"

#include <algorithm>
#include <limits>

#include "foundation/text_encoding.h"

namespace {

// Whether `text` can stand as one field of a line, whatever its encoding: at
// most an entry's length, no control character in it and, where `blanks` is
// false, no blank.
bool standsAsField(std::string_view text, bool blanks) {
    const auto breaksLine = [blanks](char c) {
        return static_cast<unsigned char>(c) < ' ' || c == '\x7F' || (c == ' ' && !blanks);
    };
    return !text.empty() && text.size() <= std::numeric_limits<uint8_t>::max() &&
           std::none_of(text.begin(), text.end(), breaksLine);
}

bool isField(std::string_view text, bool blanks) {
    return standsAsField(text, blanks) && isUtf8(text);
}

}  // namespace

bool isTableField(std::string_view text) {
    return isField(text, false);
}

bool TableText::line(std::string_view code, std::string_view value, std::string_view weight) {
    // A value keeps its blanks, as the dumpers write it; the text reader
    // decides what of it is the entry. A code or value that is not UTF-8 is
    // written as it stands, for the text reader to leave the line out with
    // its reason and number.
    if (!standsAsField(code, false) || !standsAsField(value, true)) return false;
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
