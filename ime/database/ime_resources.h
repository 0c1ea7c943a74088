// The resources of an input-method database: a resource database of type
// "IMEM", creator "dQlt", every resource with id 8888, laid out by the
// container (database_container.h). The one list below gives each resource's
// type, when the database holds it, how its body is encoded from the layout
// and how it is decoded back; the writer walks it to make the database, the
// reader to judge and decode the bodies. In directory and body order:
//
//   type  present when           body
//   RT11  always                 ImeHeader (ime_header.h), 256
//   RT12  display codes          2 x usedCodeCount (display_codes_resource.h)
//   RT13  a key map              120 (key_map_resource.h)
//   RT14  ruleCount > 0          ruleCount x ruleSize (rules_resource.h)
//   RT21  a keyboard bitmap      the bitmap family (keyboard_bitmap_resource.h)
//   tSTR  a help text            helpSize (help_text_resource.h)
//   RT51  the code tables        HZMap slots minHZIndex .. maxHZIndex + 1
//   RT52  repeatCount > 0        RepeatBlocks slots 0 .. repeatCount
//   RT31  the code tables        Index
//   RT41  the code tables        Bits
//   RT42  style 1                BitsRest, one zero byte added when odd
//   RT32  style 2                HZInd
//   RT33  the code tables        HZTab
// (the code tables in code_tables_resource.h)
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "foundation/database_container.h"
#include "ime/database/ime_layout.h"

inline constexpr char kImeDatabaseType[] = "IMEM";

enum class ImeResourceKind {
    kHeader,
    kDisplayCodes,
    kKeyMap,
    kRules,
    kKeyboardBitmap,
    kHelpText,
    kHzMap,
    kRepeatBlocks,
    kIndex,
    kBits,
    kBitsRest,
    kHzInd,
    kHzTab,
};

// Whether a database with a given header holds a resource, to its reader.
enum class Presence { kMay, kMust, kMustNot };

// What the reader gathers from the bodies: the layout's records, the header
// already read, and the bodies of the code tables, which decode together
// once all are found.
struct ImeReading {
    ImeLayout& layout;
    CodeTableBodies tables;
};

struct ImeResource {
    ImeResourceKind kind;
    const char* type;  // four characters
    bool (*present)(const ImeLayout& layout);
    void (*encode)(const ImeLayout& layout, std::vector<uint8_t>& body);
    Presence (*expected)(const ImeHeader& header);
    // False when the body is not one this resource's encode can give.
    bool (*decode)(std::span<const uint8_t> body, ImeReading& reading);
};

// Every resource an input-method database may hold, in directory order.
std::span<const ImeResource> imeResourceList();

// The four-character type of a resource.
const char* imeResourceType(ImeResourceKind kind);

// The resources the database holds, in directory order.
std::vector<DatabaseResource> imeResources(const ImeLayout& layout);

// The whole database file, its three dates `date`.
std::vector<uint8_t> imeDatabaseImage(const ImeLayout& layout, uint32_t date);
