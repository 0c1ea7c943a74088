#include "ime/database/largest_database.h"

#include <algorithm>

#include "foundation/database_container.h"
#include "ime/database/code_tables_builder.h"
#include "ime/database/ime_header.h"
#include "ime/database/ime_resources.h"
#include "ime/database/key_map_resource.h"
#include "ime/database/keyboard_bitmap_resource.h"
#include "ime/mabrel_context.h"
#include "ime/source/rules.h"

namespace {

constexpr std::size_t kLargestU16 = 65535;
constexpr std::size_t kLargestUsedCodes = 63;
constexpr std::size_t kLargestCodeBytes = 12;  // a style 2 code head; style 1 packs into 4
constexpr std::size_t kBitmapHeaderBytes = 16;
constexpr std::size_t kHighDensityHeaderBytes = 40;

// Widths and heights are 16-bit: one picture of 65535 x 65535, or a pair
// whose double-size picture is 65534 x 65534.
std::size_t largestKeyboardBitmap() {
    const auto bits = [](int side) { return static_cast<std::size_t>(bitmapBitsSize(side, side)); };
    return std::max(kBitmapHeaderBytes + bits(65535),
                    kBitmapHeaderBytes + bits(32767) + kHighDensityHeaderBytes + bits(65534));
}

}  // namespace

std::size_t largestImeDatabaseBytes() {
    const std::size_t entries = kMaxCodeEntries + 2;
    const std::size_t frontEnd = kImeHeaderSize + 2 * kLargestUsedCodes + kKeyMapSize +
                                 kMaxRules * (6 + 6 * std::size_t{kMaxRuleItems}) +
                                 largestKeyboardBitmap() + kLargestU16;  // help size is 16-bit
    const std::size_t codeTables = 2 * (kLargestU16 + 2)                 // character map
                                   + 2 * kLargestU16                     // repeat blocks
                                   + 2 * kLargestU16                     // index
                                   + entries * kLargestCodeBytes         // code heads and rests
                                   + 2 * entries                         // character runs
                                   + 2 * (kMaxCodedCharacters + 1);      // character table
    return firstBodyOffset(static_cast<int>(imeResourceList().size())) + frontEnd + codeTables;
}
