#include "foundation/desktop_tables/import_left_out.h"

#include <algorithm>
#include <iterator>
#include <numeric>

#include "foundation/common_messages.h"
#include "foundation/left_out_list.h"
#include "foundation/text_helpers.h"

namespace {

// By LeftOutReason; "%s" is the CharSet's name.
constexpr const char* kLeftOutReasons[] = {
    "not UTF-8 text",
    "code or text too long",
    "code not printable ASCII without blanks",
    "code begins with \"//\"",
    "code longer than 12 keys",
    "code holds a key beyond the 63 of UsedCodes",
    "single-byte character",
    "repeated (code, character) pair",
    "can't be written in %s",
    "word of one character",
    "word longer than 15 characters",
    "a character can't be written in %s",
    "repeated word",
};
static_assert(std::size(kLeftOutReasons) ==
              static_cast<std::size_t>(LeftOutReason::kRepeatedWord) + 1);

std::string leftOutReasonText(LeftOutReason reason, CharSet charSet) {
    std::string text = kLeftOutReasons[static_cast<std::size_t>(reason)];
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, charSetName(charSet));
    return text;
}

std::size_t leftOutStart(const TableLeftOut& item) {
    return item.reason == LeftOutReason::kNotUtf8 ? item.codeAt
                                                  : std::min(item.codeAt, item.textAt);
}

}  // namespace

std::string importLeftOutName(const std::string& destination) {
    const std::size_t size = destination.size();
    const bool suffixed =
        size >= 4 && (equalsIgnoringCase(destination.substr(size - 4).c_str(), ".txt") ||
                      equalsIgnoringCase(destination.substr(size - 4).c_str(), ".pdb"));
    return (suffixed ? destination.substr(0, size - 4) : destination) + "-import-left-out.txt";
}

namespace {

// The list's lines, appended to `text` (a string, or the pieces of an output).
template <class Text>
void appendImportLeftOut(const DesktopTable& table, CharSet charSet, Text& text) {
    std::vector<uint32_t> order(table.leftOut.size());
    std::iota(order.begin(), order.end(), 0u);
    const auto place = [&](uint32_t i) {
        return std::pair(table.leftOut[i].file, leftOutStart(table.leftOut[i]));
    };
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return place(a) < place(b); });
    int file = -1;
    std::size_t counted = 0;
    int line = 1;
    for (const uint32_t i : order) {
        const TableLeftOut& item = table.leftOut[i];
        const std::string_view bytes = table.files[item.file];
        if (item.file != file) file = item.file, counted = 0, line = 1;
        const std::size_t start = leftOutStart(item);
        line +=
            static_cast<int>(std::count(bytes.begin() + static_cast<std::ptrdiff_t>(counted),
                                        bytes.begin() + static_cast<std::ptrdiff_t>(start), '\n'));
        counted = start;
        const bool unread = item.reason == LeftOutReason::kNotUtf8;
        appendLeftOutLine(text, line,
                          {unread ? std::string_view{} : bytes.substr(item.codeAt, item.codeLength),
                           unread ? std::string_view(table.unreadLines[item.textAt])
                                  : bytes.substr(item.textAt, item.textLength),
                           leftOutReasonText(item.reason, charSet)});
    }
}

}  // namespace

std::string importLeftOutText(const DesktopTable& table, CharSet charSet) {
    std::string text;
    appendImportLeftOut(table, charSet, text);
    return text;
}

void writeImportLeftOut(const DesktopTable& table, CharSet charSet, OutputPieces& pieces) {
    appendImportLeftOut(table, charSet, pieces);
}

void reportTableLeftOut(const DesktopTable& table) {
    if (table.notUtf8 > 0) report(kLeftNotUtf8, table.notUtf8);
    if (table.tooLong > 0) report(kLeftTooLong, table.tooLong);
}
