// InputMethod: what an input method says, and nothing of how a database lays
// it out. Sources, desktop tables and databases are read into it; sources and
// databases are written from it. No field is a packed code, a table slot, a
// byte count or a big-endian number: every such thing is derived where the
// bytes are made. Its texts and characters are in the CharSet's bytes,
// whoever filled it: a source parser, an import or a database read back.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "foundation/double_byte_character.h"
#include "ime/code_list.h"
#include "ime/value_pair.h"

// One (code, character) pair of the code table, of a fixed size: the code
// by its number in InputMethod::codes. `line` groups the pairs as the text
// says them: the pairs one after another with the same code and line are
// one line of [Text] (24 characters a line when they are more). A source's pairs keep the line they
// stood on, an import's the line it writes them on, and those of a database
// read back the number of their entry.
struct CodeTableEntry {
    uint32_t code = 0;
    uint32_t line = 0;
    DoubleByteCharacter character;
    bool operator==(const CodeTableEntry&) const = default;
};

// A keyboard picture at one bit per pixel: `pixels` holds width x height
// values, top row first, 1 for black and 0 for white.
struct KeyboardPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    bool operator==(const KeyboardPicture&) const = default;
};

struct KeyboardPictures {
    KeyboardPicture standard;
    std::optional<KeyboardPicture> highDensity;  // double size, when given
    bool operator==(const KeyboardPictures&) const = default;
};

// The only sizes a standard picture can have: 154 x 54 or 156 x 53; its
// high-density companion is twice as wide and twice as high.
constexpr bool isStandardPictureSize(int width, int height) {
    return (width == 154 && height == 54) || (width == 156 && height == 53);
}

inline constexpr int kKeyMapRowCount = 4;
inline constexpr int kKeyMapRowKeys = 12;
using KeyMapRows = std::array<std::array<ValuePair, kKeyMapRowKeys>, kKeyMapRowCount>;

// One item of a coding rule: a code symbol taken from one character of the
// phrase, counted from the front (F) or the back (B). A database read back
// may hold other values; they are kept as read, so that its source says them.
struct CodingRuleItem {
    char direction = 'F';  // 'F' or 'B'
    int hanZi = 0;         // 1 to 15
    int code = 0;          // 0 (the whole code) to 15
    bool operator==(const CodingRuleItem&) const = default;
};

// "PE2=..." or "PA4=...": a rule for phrases of exactly (E) or at least (A)
// `hanZiCount` characters.
struct CodingRule {
    char kind = 'E';  // 'A' or 'E'
    int hanZiCount = 0;
    std::vector<CodingRuleItem> items;
    bool operator==(const CodingRule&) const = default;
};

struct InputMethod {
    uint16_t charSet = 0;  // a CharSet identifier (foundation/char_sets.h)
    std::string id;        // four characters
    std::string fullName;
    std::string name;
    std::string version;
    std::string copyright;
    std::string author;
    int codingStyle = 1;                  // 1 or 2
    int codingSubtype = 0;                // style 2: 0, 1 or 2
    int indexDepth = 2;                   // style 1: 0, 1 or 2; style 2: 0
    bool noSort = false;                  // style 1
    int maxCodes = 0;                     // 1 to 12
    std::string usedCodes;                // the keys, at most 63
    std::string tuneCodes;                // style 2
    char wildChar = 0;                    // 0 when none
    char separateChar = 0;                // style 2; 0 when none
    int autoSelectKeys = 0;               // -128 to 127 from a source
    std::vector<ValuePair> displayCodes;  // empty, or one per key of usedCodes
    std::optional<KeyMapRows> keyMap;
    std::vector<CodingRule> rules;
    std::optional<KeyboardPictures> keyboard;
    std::string helpText;
    CodeList codes;                       // every code of `entries`, each once
    std::vector<CodeTableEntry> entries;  // in source order
    bool operator==(const InputMethod&) const = default;
};
