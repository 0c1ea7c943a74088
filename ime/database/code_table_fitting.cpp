#include "ime/database/code_table_fitting.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "foundation/char_sets.h"
#include "foundation/huge_pages.h"
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

CodeTableFitting fitCodeTable(InputMethod& im) {
    CodeTableFitting fitting;
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

    TableFill fill;
    fill.entriesOf.assign(static_cast<std::size_t>(slots), 0);
    // Each entry keeps its characters that fit, in place; no copy of a table
    // of a million codes.
    for (CodeTableEntry& entry : im.entries) {
        // Where the entry's code stands in `fitting.codes` once a pair of it
        // is left out.
        uint32_t codeAt = UINT32_MAX;
        std::vector<ImeCharacter>& characters = entry.characters;
        std::size_t kept = 0;
        const bool filable = isFilableCode(header, alphabet, entry.code.c_str());
        for (std::size_t i = 0; i < characters.size(); ++i) {
            const ImeCharacter character = characters[i];
            const int index =
                charToIndex(im.charSet, reinterpret_cast<const char*>(character.data()));
            if (!filable || index < 0 || index >= slots) {
                characters[kept++] = character;
                continue;
            }
            const bool newCode = im.codingStyle != 2 || !fill.codes.contains(entry.code);
            const int had = fill.entriesOf[static_cast<std::size_t>(index)];
            const int moreSlots = had == 0 ? 0 : had == 1 ? 2 : 1;
            const bool tableFull = fill.entries + (newCode ? 1 : 0) > kMaxCodeEntries ||
                                   fill.pairs + 1 > kMaxCodedCharacters;
            if (tableFull || fill.repeatSlots + moreSlots > repeatLimit) {
                if (codeAt == UINT32_MAX) {
                    codeAt = static_cast<uint32_t>(fitting.codes.size());
                    fitting.codes += entry.code;
                }
                fitting.leftOut.push_back({entry.sourceLine, codeAt,
                                           static_cast<uint32_t>(entry.code.size()), character,
                                           !tableFull});
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
            characters[kept++] = character;
        }
        characters.resize(kept);
    }
    std::erase_if(im.entries, [](const CodeTableEntry& entry) { return entry.characters.empty(); });
    return fitting;
}

void warnLeftOutCodes(const CodeTableFitting& fitting) {
    const int readTo = lineNumber;
    const std::size_t warned = std::min<std::size_t>(fitting.leftOut.size(), kWarnedLeftOuts);
    for (std::size_t i = 0; i < warned; ++i) {
        const LeftOutCode& item = fitting.leftOut[i];
        lineNumber = item.line;
        const std::string character = characterText(item.character);
        const std::string code(fitting.codeOf(item));
        report(item.forRepeats ? kRepeatOverflowLeftOut : kTooManyCodesLeftOut, code.c_str(),
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
    // Every character came from UTF-8, so each has its UTF-8 form back. The
    // fields are converted one by one, each character once: the tabs and
    // line ends between them are ASCII, which is no part of a double-byte
    // character, so this is the conversion of the whole text.
    CharSetConverter converter(charSet);
    std::unordered_map<uint16_t, std::string> characters;
    const auto field = [&](std::string_view bytes) -> std::string {
        if (!utf8 || std::all_of(bytes.begin(), bytes.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
            return std::string(bytes);
        }
        return converter.textToUtf8(bytes);
    };
    std::string text;
    reserveHugePages(text, fitting.leftOut.size() * 32 + fitting.codes.size());
    for (const LeftOutCode& item : fitting.leftOut) {
        const auto key = static_cast<uint16_t>(item.character[0] << 8 | item.character[1]);
        auto [found, added] = characters.try_emplace(key);
        if (added) found->second = field(characterText(item.character));
        appendLeftOutLine(
            text, item.line,
            {field(fitting.codeOf(item)), found->second, item.forRepeats ? kForRepeats : kForSize});
    }
    return text;
}
