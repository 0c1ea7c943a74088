// DesktopTable: what a desktop input method's table or a word list says, as
// read: its name, its keys, its rules, and its entries (a code and a text,
// with a weight where the table gives one). The entries point into the
// files' bytes, which the table keeps, so that a table of millions of lines
// takes little more memory than its files.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "foundation/desktop_tables/entry_weights.h"
#include "foundation/desktop_tables/exported_coding.h"

// One line of a table: `code` and `text` (UTF-8) lie in file `file` of the
// table's `files`. Entries stand in reading order (imported files first);
// their weights stand apart (see DesktopTable::weights).
struct TableEntry {
    uint32_t codeAt = 0;
    uint32_t textAt = 0;
    uint8_t codeLength = 0;
    uint8_t textLength = 0;
    uint8_t file = 0;
};

// One item of a coding rule: the character counted from the front or the
// back, and its code key (1 to 15).
struct TableRuleItem {
    bool fromFront = true;
    int hanZi = 0;
    int code = 0;
};

// A rule for words of exactly (E) or at least (A) `hanZiCount` characters.
struct TableRule {
    char kind = 'E';
    int hanZiCount = 0;
    std::vector<TableRuleItem> items;
    std::string text;  // as the table writes it, for messages
};

// Why an import left an entry (or a line it could not read) out.
enum class LeftOutReason : uint8_t {
    kNotUtf8,
    kTooLong,
    kCodeNotPrintable,
    kCodeComment,
    kCodeTooLong,
    kKeyBeyond,
    kSingleByte,
    kRepeatedPair,
    kCannotWrite,
    kOneCharacter,
    kWordTooLong,
    kWordUnwritable,
    kRepeatedWord,
};

// Where something left out stands: its code and text in file `file`. For a
// line that is not UTF-8, `codeAt` is where the line starts and `textAt` the
// number of its printable form in DesktopTable::unreadLines.
struct LeftOutPlace {
    uint32_t codeAt = 0, codeLength = 0;
    uint32_t textAt = 0, textLength = 0;
    uint8_t file = 0;
};

// Something left out: an entry, by its number, or for kNotUtf8 and kTooLong
// a line that is no entry, by its number in DesktopTable::linesLeftOut.
// Eight bytes: an import of a large table may leave most of it out.
struct TableLeftOut {
    uint32_t number = 0;
    LeftOutReason reason = LeftOutReason::kNotUtf8;

    bool isLine() const {
        return reason == LeftOutReason::kNotUtf8 || reason == LeftOutReason::kTooLong;
    }
};

struct DesktopTable {
    const char* format = "";  // what the table was recognised as
    // The binary format the first file was read from, as its text; nullptr
    // for a text file.
    const char* binaryFormat = nullptr;
    std::string asciiName;  // %ename, name, NAME
    std::string fullName;   // %cname, else the first NAME.xx, where given
    // Every NAME.xx: its locale ("zh_TW"), its name.
    std::vector<std::pair<std::string, std::string>> localeNames;
    std::string languages;  // SCIM and ibus-table's LANGUAGES: locales, by commas
    std::string version;
    std::string declaredKeys;              // in the order the table declares them
    std::vector<std::string> keyDisplays;  // .cin's %keyname: one per declared key
    // SCIM and ibus-table's prompts: a key, the text shown for it.
    std::vector<std::pair<char, std::string>> keyPrompts;
    char wildcard = 0;                     // 0 when none
    ExportedCoding exported;               // what a Mabrel export carries beside the table
    std::vector<TableRule> rules;          // the rules that can be said
    std::vector<std::string> unsaidRules;  // those that cannot, as written
    bool weighted = false;                 // some entry has a weight
    std::vector<std::string> files;        // the bytes of every file read
    // Every file read, as opened: those of `files`, then any essay.txt.
    std::vector<std::string> fileNames;
    std::vector<TableEntry> entries;
    int tooLong = 0;                    // entries left out: code or text longer than an entry holds
    std::vector<TableLeftOut> leftOut;  // in the order met
    std::vector<LeftOutPlace> linesLeftOut;  // the lines of leftOut that are no entries
    std::vector<std::string> unreadLines;    // lines not UTF-8, invalid bytes as \xNN
    int notUtf8 = 0;                         // lines left out: not UTF-8 text
    EntryWeights weights;                    // of each entry, by its number

    double weight(uint32_t entry) const { return weights.empty() ? 0 : weights[entry]; }
    // Raises the weight of `entry` to `weight` where it is lower.
    void raiseWeight(uint32_t entry, double weight) { weights.raise(entry, weight); }

    std::string_view code(const TableEntry& entry) const {
        return {files[entry.file].data() + entry.codeAt, entry.codeLength};
    }
    std::string_view text(const TableEntry& entry) const {
        return {files[entry.file].data() + entry.textAt, entry.textLength};
    }
    void leaveOut(uint32_t entry, LeftOutReason reason) { leftOut.push_back({entry, reason}); }
    // A line that is no entry (kNotUtf8, kTooLong), left out.
    void leaveOutLine(const LeftOutPlace& place, LeftOutReason reason) {
        leftOut.push_back({static_cast<uint32_t>(linesLeftOut.size()), reason});
        linesLeftOut.push_back(place);
    }
    // Where `item` stands; its entries and files still held.
    LeftOutPlace placeOf(const TableLeftOut& item) const {
        if (item.isLine()) return linesLeftOut[item.number];
        const TableEntry& e = entries[item.number];
        return {e.codeAt, e.codeLength, e.textAt, e.textLength, e.file};
    }

    // The line of the file on which `entry` stands (counted, for messages).
    int lineOf(const TableEntry& entry) const;
};
