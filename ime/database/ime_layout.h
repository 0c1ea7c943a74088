// ImeLayout: the records of the resources of an input-method database, each
// as the database holds it. layOutInputMethod derives them from an
// InputMethod; inputMethodOf reads an InputMethod back from them. Between the
// two directions stands everything the format adds: the header's counts, the
// numbering, repeat blocks, primary flags and packed bits of the code tables,
// the rule records and the keyboard picture resource.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ime/database/code_tables_resource.h"
#include "ime/database/display_codes_resource.h"
#include "ime/database/ime_header.h"
#include "ime/database/key_map_resource.h"
#include "ime/database/keyboard_bitmap_resource.h"
#include "ime/database/rules_resource.h"
#include "ime/input_method.h"

inline constexpr int kDatabaseNameSize = 32;

struct ImeLayout {
    // "RT11" but for its counts, which come from `rules` and `tables` when
    // the header is encoded.
    ImeHeader header{};
    char databaseName[kDatabaseNameSize] = {};     // the container header's name
    DisplayCodes displayCodes;                     // "RT12", empty when none
    std::optional<KeyMap> keyMap;                  // "RT13"
    RuleTable rules;                               // "RT14"
    std::optional<KeyboardBitmap> keyboardBitmap;  // "RT21"
    std::string helpText;                          // "tSTR", empty when none
    CodeTables tables;                             // "RT31" to "RT52"
};

// The header as encoded: `layout.header` with the counts of its rules and
// code tables.
ImeHeader settledHeader(const ImeLayout& layout);

// Lays out every resource but the code tables. Returns 0, or 604 after
// reporting it when the codes do not pack.
int layOutFrontEnd(const InputMethod& im, ImeLayout& layout);

// Numbers the entries of `im` and builds the code tables. Returns 0, or 904
// (too many entries or characters), 903 (repeat blocks overflow) or 906
// (nothing coded) after reporting it. Entries whose code is empty, too long
// or not spelled from UsedCodes are left out; a compile makes none.
int layOutCodeTables(const InputMethod& im, const ImeHeader& header, CodeTables& tables);

// Both of the above, the code tables after the header they depend on.
int layOutInputMethod(const InputMethod& im, ImeLayout& layout);

// What the records say: the inverse of layOutInputMethod, entries in the
// order of their numbers. Keyboard pictures of a size no source gives are
// not taken (no memory is spent on their pixels).
InputMethod inputMethodOf(const ImeLayout& layout);
