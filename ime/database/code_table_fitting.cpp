#include "ime/database/code_table_fitting.h"

#include <algorithm>
#include <array>
#include <unordered_map>

#include "foundation/char_sets.h"
#include "foundation/huge_pages.h"
#include "foundation/left_out_list.h"
#include "foundation/output_pieces.h"
#include "foundation/text_encoding.h"
#include "ime/database/code_buckets.h"
#include "ime/database/code_table_capacity.h"
#include "ime/database/ime_layout.h"
#include "ime/messages.h"

namespace {

constexpr int kWarnedLeftOuts = 10;
constexpr char kForSize[] = "table size";
constexpr char kForRepeats[] = "repeat blocks";

std::string characterText(DoubleByteCharacter character) {
    const std::array<char, 2> bytes = character.bytes();
    return std::string(bytes.data(), bytes.size());
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
    CodeTableCapacity capacity(im.codingStyle, im.charSet, im.codes.size());
    const int slots = capacity.mapSlots();
    // Where each code stands in `fitting.codes` once a pair of it is left out.
    std::vector<uint32_t> codeAt(im.codes.size(), UINT32_MAX);
    std::vector<bool> filable(im.codes.size());
    for (uint32_t code = 0; code < im.codes.size(); ++code) {
        filable[code] = isFilableCode(header, alphabet, im.codes.text(code));
    }
    // The pairs that fit stay, in place; no copy of a table of a million codes.
    // Room for every pair to be left out, only touched as it is used: grown
    // by doubling, the list would take fresh memory at each step.
    fitting.leftOut.reserve(im.entries.size());
    std::size_t kept = 0;
    for (const CodeTableEntry& entry : im.entries) {
        const int index = charToIndex(im.charSet, entry.character.bytes().data());
        if (!filable[entry.code] || index < 0 || index >= slots) {
            im.entries[kept++] = entry;
            continue;
        }
        const CodeTableCapacity::Room room = capacity.roomFor(entry.code, index);
        if (room != CodeTableCapacity::Room::kFits) {
            const bool tableFull = room == CodeTableCapacity::Room::kTableFull;
            const std::string_view code = im.codes[entry.code];
            if (codeAt[entry.code] == UINT32_MAX) {
                codeAt[entry.code] = static_cast<uint32_t>(fitting.codes.size());
                fitting.codes += code;
            }
            fitting.leftOut.push_back({static_cast<int>(entry.line), codeAt[entry.code],
                                       static_cast<uint8_t>(code.size()), !tableFull,
                                       entry.character});
            ++(tableFull ? fitting.leftOutForSize : fitting.leftOutForRepeats);
            continue;
        }
        capacity.take(entry.code, index);
        im.entries[kept++] = entry;
    }
    im.entries.resize(kept);
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

namespace {

// The list's lines, appended to `text` (a string, or the pieces of an output).
template <class Text>
void appendLeftOutCodes(const CodeTableFitting& fitting, uint16_t charSet, bool utf8, Text& text) {
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
    for (const LeftOutCode& item : fitting.leftOut) {
        auto [found, added] = characters.try_emplace(item.character.packed);
        if (added) found->second = field(characterText(item.character));
        appendLeftOutLine(
            text, item.line,
            {field(fitting.codeOf(item)), found->second, item.forRepeats ? kForRepeats : kForSize});
    }
}

}  // namespace

std::string leftOutCodesText(const CodeTableFitting& fitting, uint16_t charSet, bool utf8) {
    std::string text;
    reserveHugePages(text, fitting.leftOut.size() * 32 + fitting.codes.size());
    appendLeftOutCodes(fitting, charSet, utf8, text);
    return text;
}

void writeLeftOutCodes(const CodeTableFitting& fitting, uint16_t charSet, bool utf8,
                       OutputPieces& pieces) {
    appendLeftOutCodes(fitting, charSet, utf8, pieces);
}
