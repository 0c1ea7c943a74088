#include "ime/database/largest_database.h"

#include <algorithm>
#include <utility>

#include "foundation/database_container.h"
#include "ime/database/code_tables_builder.h"
#include "ime/database/ime_header.h"
#include "ime/database/ime_resources.h"
#include "ime/database/key_map_resource.h"
#include "ime/database/keyboard_bitmap_resource.h"
#include "ime/input_method_limits.h"

namespace {

constexpr std::size_t kLargestU16 = 65535;
constexpr std::size_t kLargestUsedCodes = 63;
constexpr std::size_t kLargestCodeBytes = 12;  // a style 2 code head; style 1 packs into 4
constexpr std::size_t kBitmapHeaderBytes = 16;
constexpr std::size_t kHighDensityHeaderBytes = 40;

// A source gives a standard picture of 154 x 54 or 156 x 53 pixels, and a
// high-density one twice as large.
std::size_t largestKeyboardBitmap() {
    std::size_t largest = 0;
    for (const auto& [width, height] : {std::pair{154, 54}, std::pair{156, 53}}) {
        largest = std::max<std::size_t>(
            largest, kBitmapHeaderBytes + bitmapBitsSize(width, height) + kHighDensityHeaderBytes +
                         bitmapBitsSize(2 * width, 2 * height));
    }
    return largest;
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
