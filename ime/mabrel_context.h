// CMabrel: the one record of a Mabrel run. The passes fill its records (one
// per resource of the database), the writer encodes them; it also holds the
// key table and the source with its line buffer.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "foundation/key_table.h"
#include "foundation/source_reader.h"
#include "ime/code_tables_resource.h"
#include "ime/display_codes_resource.h"
#include "ime/ime_header.h"
#include "ime/key_map_resource.h"
#include "ime/keyboard_bitmap_resource.h"
#include "ime/rules_resource.h"

inline constexpr int kMaxRules = 20;

// Keyboard picture files given in memory, by the name a source gives them.
using PictureFiles = std::map<std::string, std::vector<uint8_t>>;

struct CMabrel {
    CMabrel();

    ImeHeader header{};                            // "RT11"
    char databaseName[32] = {};                    // the container header's name
    DisplayCodes displayCodes;                     // "RT12", empty when none
    std::optional<KeyMap> keyMap;                  // "RT13"
    std::vector<RuleRecord> rules;                 // "RT14", ruleCount records
    std::optional<KeyboardBitmap> keyboardBitmap;  // "RT21"
    std::string helpText;                          // "tSTR", empty when none
    CodeTables tables;                             // "RT31" to "RT52"
    CKeyTable keyTable;
    SourceReader source;
    // When not empty, the keyboard pictures are taken from here instead of
    // from files (the decompiler's check of the source it writes).
    PictureFiles pictureFiles;
    // The compile's destination, which no keyboard bitmap it reads may be.
    std::string destinationName;
};
