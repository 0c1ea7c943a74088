#include "foundation/desktop_tables/import_left_out.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/table_text.h"
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

std::string importLeftOutText(const DesktopTable& table, CharSet charSet) {
    // The items come in a few runs, each in reading order (the lines not
    // read, then each stage of the import): the runs are merged, keys and
    // numbers side by side, an equal key keeping the earlier item first.
    struct Placed {
        uint64_t key;  // file, then where the item starts
        uint32_t item;
    };
    std::vector<Placed> order(table.leftOut.size());
    std::vector<std::size_t> runs{0};  // where each run starts
    for (uint32_t i = 0; i < order.size(); ++i) {
        const TableLeftOut& item = table.leftOut[i];
        order[i] = {uint64_t{item.file} << 32 | leftOutStart(item), i};
        if (i > 0 && order[i].key < order[i - 1].key) runs.push_back(i);
    }
    runs.push_back(order.size());
    const auto before = [](const Placed& a, const Placed& b) { return a.key < b.key; };
    std::vector<Placed> merged(order.size());
    while (runs.size() > 2) {
        std::vector<std::size_t> next{0};
        for (std::size_t r = 0; r + 1 < runs.size(); r += 2) {
            const std::size_t middle = runs[r + 1];
            const std::size_t end = r + 2 < runs.size() ? runs[r + 2] : middle;
            std::merge(order.begin() + static_cast<std::ptrdiff_t>(runs[r]),
                       order.begin() + static_cast<std::ptrdiff_t>(middle),
                       order.begin() + static_cast<std::ptrdiff_t>(middle),
                       order.begin() + static_cast<std::ptrdiff_t>(end),
                       merged.begin() + static_cast<std::ptrdiff_t>(runs[r]), before);
            next.push_back(end);
        }
        order.swap(merged);
        runs = std::move(next);
    }
    std::string reasons[std::size(kLeftOutReasons)];
    for (std::size_t r = 0; r < std::size(kLeftOutReasons); ++r) {
        reasons[r] = leftOutReasonText(static_cast<LeftOutReason>(r), charSet);
    }
    // Room for every line (its number and three tabs in 16 bytes), written
    // in place and cut to what was written.
    std::size_t size = 0;
    for (const TableLeftOut& item : table.leftOut) {
        const bool unread = item.reason == LeftOutReason::kNotUtf8;
        size += 16 +
                (unread ? table.unreadLines[item.textAt].size()
                        : std::size_t{item.codeLength} + item.textLength) +
                reasons[static_cast<std::size_t>(item.reason)].size();
    }
    std::string text(size, '\0');
    char* out = text.data();
    const auto put = [&out](std::string_view field) {
        std::memcpy(out, field.data(), field.size());
        out += field.size();
    };
    int file = -1;
    std::size_t counted = 0;
    int line = 1;
    for (const Placed& placed : order) {
        const TableLeftOut& item = table.leftOut[placed.item];
        const std::string_view bytes = table.files[item.file];
        if (item.file != file) file = item.file, counted = 0, line = 1;
        const std::size_t start = leftOutStart(item);
        line += static_cast<int>(lineFeedsIn(bytes.substr(counted, start - counted)));
        counted = start;
        const bool unread = item.reason == LeftOutReason::kNotUtf8;
        // The line as appendLeftOutLine writes it.
        out = std::to_chars(out, out + 11, line).ptr;
        *out++ = '\t';
        if (!unread) put(bytes.substr(item.codeAt, item.codeLength));
        *out++ = '\t';
        put(unread ? std::string_view(table.unreadLines[item.textAt])
                   : bytes.substr(item.textAt, item.textLength));
        *out++ = '\t';
        put(reasons[static_cast<std::size_t>(item.reason)]);
        *out++ = '\n';
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

void reportTableLeftOut(const DesktopTable& table) {
    if (table.notUtf8 > 0) report(kLeftNotUtf8, table.notUtf8);
    if (table.tooLong > 0) report(kLeftTooLong, table.tooLong);
}
