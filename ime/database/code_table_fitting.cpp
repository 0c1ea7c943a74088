#include "ime/database/code_table_fitting.h"

#include <algorithm>
#include <unordered_set>

#include "foundation/char_sets.h"
#include "foundation/left_out_list.h"
#include "foundation/text_encoding.h"
#include "ime/database/code_buckets.h"
#include "ime/database/code_tables_builder.h"
#include "ime/database/ime_layout.h"
#include "ime/messages.h"

namespace {

constexpr int kWarnedLeftOuts = 10;
constexpr char kForSize[] = "table size";
constexpr char kForRepeats[] = "repeat blocks";

// What the pairs kept so far take of the database.
struct TableFill {
    std::unordered_set<std::string> codes;  // style 2: the distinct codes
    std::vector<int> entriesOf;             // by character index
    int entries = 0;
    int pairs = 0;
    int repeatSlots = 0;
};

std::string characterText(const ImeCharacter& character) {
    return std::string(reinterpret_cast<const char*>(character.data()), character.size());
}

}  // namespace

CodeTableFitting fitCodeTable(const InputMethod& im) {
    CodeTableFitting fitting;
    fitting.kept = im;
    // The header only, its counts aside. Codes that do not pack are the
    // layout's to report; then there is nothing to fit.
    ImeLayout layout;
    {
        QuietReports quiet;
        if (layOutFrontEnd(im, layout) != 0) return fitting;
    }
    const ImeHeader& header = layout.header;
    const CodeAlphabet alphabet(header);
    const int slots = hzMapSlots(header);
    const int repeatLimit = repeatSlotLimit(header);

    fitting.kept.entries.clear();
    TableFill fill;
    fill.entriesOf.assign(static_cast<std::size_t>(slots), 0);
    for (const CodeTableEntry& entry : im.entries) {
        CodeTableEntry kept = entry;
        kept.characters.clear();
        const bool filable = isFilableCode(header, alphabet, entry.code.c_str());
        for (const ImeCharacter& character : entry.characters) {
            const int index =
                charToIndex(im.charSet, reinterpret_cast<const char*>(character.data()));
            if (!filable || index < 0 || index >= slots) {
                kept.characters.push_back(character);
                continue;
            }
            const bool newCode = im.codingStyle != 2 || !fill.codes.contains(entry.code);
            const int had = fill.entriesOf[static_cast<std::size_t>(index)];
            const int moreSlots = had == 0 ? 0 : had == 1 ? 2 : 1;
            const bool tableFull = fill.entries + (newCode ? 1 : 0) > kMaxCodeEntries ||
                                   fill.pairs + 1 > kMaxCodedCharacters;
            if (tableFull || fill.repeatSlots + moreSlots > repeatLimit) {
                fitting.leftOut.push_back({entry.sourceLine, entry.code, character, !tableFull});
                ++(tableFull ? fitting.leftOutForSize : fitting.leftOutForRepeats);
                continue;
            }
            if (newCode) {
                ++fill.entries;
                if (im.codingStyle == 2) fill.codes.insert(entry.code);
            }
            ++fill.pairs;
            fill.repeatSlots += moreSlots;
            ++fill.entriesOf[static_cast<std::size_t>(index)];
            kept.characters.push_back(character);
        }
        if (!kept.characters.empty()) fitting.kept.entries.push_back(std::move(kept));
    }
    return fitting;
}

void warnLeftOutCodes(const CodeTableFitting& fitting) {
    const int readTo = lineNumber;
    const std::size_t warned = std::min<std::size_t>(fitting.leftOut.size(), kWarnedLeftOuts);
    for (std::size_t i = 0; i < warned; ++i) {
        const LeftOutCode& item = fitting.leftOut[i];
        lineNumber = item.line;
        const std::string character = characterText(item.character);
        report(item.forRepeats ? kRepeatOverflowLeftOut : kTooManyCodesLeftOut, item.code.c_str(),
               character.c_str());
    }
    lineNumber = readTo;
}

void reportLeftOutCodes(const CodeTableFitting& fitting, const std::string& listName) {
    const int total = fitting.leftOutForSize + fitting.leftOutForRepeats;
    if (fitting.leftOutForRepeats == 0) {
        report(kCodesLeftOutForSize, total, fitting.leftOutForSize);
    } else if (fitting.leftOutForSize == 0) {
        report(kCodesLeftOutForRepeats, total, fitting.leftOutForRepeats);
    } else {
        report(kCodesLeftOut, total, fitting.leftOutForSize, fitting.leftOutForRepeats);
    }
    report(kCodesListed, listName.c_str());
}

std::string leftOutCodesText(const CodeTableFitting& fitting, uint16_t charSet, bool utf8) {
    std::string text;
    for (const LeftOutCode& item : fitting.leftOut) {
        appendLeftOutLine(
            text, item.line,
            {item.code, characterText(item.character), item.forRepeats ? kForRepeats : kForSize});
    }
    if (!utf8) return text;
    // Every character came from UTF-8, so each has its UTF-8 form back.
    CharSetConverter converter(charSet);
    return converter.textToUtf8(text);
}
