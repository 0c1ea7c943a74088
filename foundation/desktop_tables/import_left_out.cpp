#include "foundation/desktop_tables/import_left_out.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

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

std::size_t leftOutStart(const LeftOutPlace& place, LeftOutReason reason) {
    return reason == LeftOutReason::kNotUtf8 ? place.codeAt : std::min(place.codeAt, place.textAt);
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

uint64_t readingKey(const DesktopTable& table, const TableLeftOut& item) {
    const LeftOutPlace place = table.placeOf(item);
    return uint64_t{place.file} << 32 | leftOutStart(place, item.reason);
}

struct PlacedLeftOut {
    uint64_t key;  // file, then where the item starts (readingKey)
    uint32_t item;
};

// Where each run of items in reading order starts, then the end: the items
// come in a few runs (the lines not read, then each stage of the import).
std::vector<std::size_t> runsOf(const DesktopTable& table) {
    const std::vector<TableLeftOut>& items = table.leftOut;
    std::vector<std::size_t> runs{0};
    uint64_t previous = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const uint64_t key = readingKey(table, items[i]);
        if (key < previous) runs.push_back(i);
        previous = key;
    }
    runs.push_back(items.size());
    return runs;
}

// The items in file and reading order, the runs `runs` merged pair by pair.
std::vector<PlacedLeftOut> mergedRuns(const DesktopTable& table, std::vector<std::size_t> runs) {
    std::vector<PlacedLeftOut> order(table.leftOut.size());
    for (uint32_t i = 0; i < order.size(); ++i) order[i] = {readingKey(table, table.leftOut[i]), i};
    const auto before = [](const PlacedLeftOut& a, const PlacedLeftOut& b) {
        return a.key < b.key;
    };
    std::vector<PlacedLeftOut> merged(order.size());
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
    return order;
}

// Calls `visit` with the number of each item, in file and reading order:
// the runs merged, an equal key keeping the earlier item first. A few runs
// are merged as they are visited, without a copy of the list; more are
// merged into one first.
template <class Visit>
void forEachInReadingOrder(const DesktopTable& table, Visit visit) {
    constexpr std::size_t kFewRuns = 8;
    const std::vector<TableLeftOut>& items = table.leftOut;
    const std::vector<std::size_t> runs = runsOf(table);
    const std::size_t count = runs.size() - 1;
    if (count > kFewRuns) {
        for (const PlacedLeftOut& placed : mergedRuns(table, runs)) visit(placed.item);
        return;
    }
    std::array<std::size_t, kFewRuns> at{};
    std::array<uint64_t, kFewRuns> key{};
    for (std::size_t r = 0; r < count; ++r) {
        at[r] = runs[r];
        if (at[r] < runs[r + 1]) key[r] = readingKey(table, items[at[r]]);
    }
    for (std::size_t left = items.size(); left > 0; --left) {
        std::size_t first = kFewRuns;
        for (std::size_t r = 0; r < count; ++r) {
            if (at[r] < runs[r + 1] && (first == kFewRuns || key[r] < key[first])) first = r;
        }
        visit(static_cast<uint32_t>(at[first]));
        if (++at[first] < runs[first + 1]) key[first] = readingKey(table, items[at[first]]);
    }
}

// The most one line takes: its number and three tabs in 16 bytes, its
// fields and reason, and 16 bytes more for a field copied whole (see
// putFromFile).
std::size_t leftOutLineRoom(const DesktopTable& table, const LeftOutPlace& place, bool unread,
                            std::string_view reason) {
    return 32 +
           (unread ? table.unreadLines[place.textAt].size()
                   : std::size_t{place.codeLength} + place.textLength) +
           reason.size();
}

// The number of the list's line, kept as its decimal digits: from one line
// of the list to the next it mostly moves on by a few lines of the table.
class LeftOutLineNumber {
  public:
    LeftOutLineNumber() { restart(); }
    void restart() {
        value_ = 1;
        first_ = kDigits - 1;
        digits_[first_] = '1';
    }
    void advance(std::size_t lines) {
        value_ += lines;
        if (lines > 9) {
            first_ = kDigits;
            uint64_t rest = value_;
            do {
                digits_[--first_] = static_cast<char>('0' + rest % 10);
                rest /= 10;
            } while (rest != 0);
            return;
        }
        std::size_t at = kDigits;
        for (auto carry = static_cast<unsigned>(lines); carry != 0;) {
            if (--at < first_) digits_[first_ = at] = '0';
            const unsigned digit = static_cast<unsigned>(digits_[at] - '0') + carry;
            digits_[at] = static_cast<char>('0' + digit % 10);
            carry = digit / 10;
        }
    }
    // Writes the digits at `out`; returns their end. Byte by byte: the
    // digits were just stored so, and one wider load of them would wait.
    char* put(char* out) const {
        for (std::size_t at = first_; at < kDigits; ++at) *out++ = digits_[at];
        return out;
    }

  private:
    static constexpr std::size_t kDigits = 20;
    uint64_t value_ = 1;
    std::size_t first_ = kDigits;
    char digits_[kDigits] = {};
};

// Writes the list a line at a time: `room(size)` gives a place for at most
// `size` bytes, `wrote(begin, count)` keeps the `count` written there.
template <class Room, class Wrote>
void writeLeftOutLines(const DesktopTable& table, CharSet charSet, Room room, Wrote wrote) {
    std::string reasons[std::size(kLeftOutReasons)];
    for (std::size_t r = 0; r < std::size(kLeftOutReasons); ++r) {
        reasons[r] = leftOutReasonText(static_cast<LeftOutReason>(r), charSet);
    }
    int file = -1;
    std::size_t counted = 0;
    LeftOutLineNumber line;
    forEachInReadingOrder(table, [&](uint32_t number) {
        const TableLeftOut& item = table.leftOut[number];
        const LeftOutPlace place = table.placeOf(item);
        const std::string_view bytes = table.files[place.file];
        if (place.file != file) file = place.file, counted = 0, line.restart();
        const std::size_t start = leftOutStart(place, item.reason);
        line.advance(lineFeedsBetween(bytes, counted, start));
        counted = start;
        const bool unread = item.reason == LeftOutReason::kNotUtf8;
        const std::string& reason = reasons[static_cast<std::size_t>(item.reason)];
        char* const begin = room(leftOutLineRoom(table, place, unread, reason));
        char* out = begin;
        const auto put = [&out](std::string_view field) {
            std::memcpy(out, field.data(), field.size());
            out += field.size();
        };
        // A code or text of the file in one copy of 16 bytes where the file
        // holds them, in the line's room.
        const auto putFromFile = [&](uint32_t at, uint32_t length) {
            if (length > 16 || bytes.size() - at < 16) return put(bytes.substr(at, length));
            std::memcpy(out, bytes.data() + at, 16);
            out += length;
        };
        // The line as appendLeftOutLine writes it.
        out = line.put(out);
        *out++ = '\t';
        if (!unread) putFromFile(place.codeAt, place.codeLength);
        *out++ = '\t';
        if (unread) {
            put(table.unreadLines[place.textAt]);
        } else {
            putFromFile(place.textAt, place.textLength);
        }
        *out++ = '\t';
        put(reason);
        *out++ = '\n';
        wrote(begin, static_cast<std::size_t>(out - begin));
    });
}

}  // namespace

std::string importLeftOutText(const DesktopTable& table, CharSet charSet) {
    std::size_t size = 0;
    for (const TableLeftOut& item : table.leftOut) {
        // The reason with "%s" still in it, and room for a CharSet's name.
        size += leftOutLineRoom(table, table.placeOf(item), item.reason == LeftOutReason::kNotUtf8,
                                kLeftOutReasons[static_cast<std::size_t>(item.reason)]) +
                16;
    }
    std::string text;
    text.reserve(size);
    std::size_t at = 0;
    writeLeftOutLines(
        table, charSet,
        [&](std::size_t room) {
            at = text.size();
            text.resize(at + room);
            return text.data() + at;
        },
        [&](char*, std::size_t count) { text.resize(at + count); });
    return text;
}

void writeImportLeftOut(const DesktopTable& table, CharSet charSet, OutputPieces& pieces) {
    std::string longLine;  // a line longer than the pieces' buffer
    writeLeftOutLines(
        table, charSet,
        [&](std::size_t room) {
            if (room <= OutputPieces::kBufferSize) return pieces.room(room);
            longLine.resize(room);
            return longLine.data();
        },
        [&](char* begin, std::size_t count) {
            if (!longLine.empty() && begin == longLine.data()) {
                pieces.append(std::string_view(begin, count));
                longLine.clear();
            } else {
                pieces.wrote(count);
            }
        });
}

void reportTableLeftOut(const DesktopTable& table) {
    if (table.notUtf8 > 0) report(kLeftNotUtf8, table.notUtf8);
    if (table.tooLong > 0) report(kLeftTooLong, table.tooLong);
}
