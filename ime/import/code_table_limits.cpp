#include "ime/import/code_table_limits.h"

#include <algorithm>
#include <vector>

#include "foundation/char_sets.h"

namespace {

constexpr std::size_t kMostEntries = 32767;
constexpr std::size_t kMostPairs = 65534;
constexpr std::size_t kMostRepeatSlots = 32766;

}  // namespace

std::string codeTableLimitPassed(const InputMethod& method) {
    const std::size_t pairs = method.entries.size();
    std::vector<uint32_t> entriesOf(0x10000);
    for (const CodeTableEntry& entry : method.entries) ++entriesOf[entry.character.packed];
    const std::size_t entries = method.codingStyle == 1 ? pairs : method.codes.size();
    if (entries > kMostEntries) return "32,767 code entries";
    if (pairs > kMostPairs) return "65,534 coded characters";
    // A character's second entry takes two slots of the repeat blocks, each
    // further entry one.
    std::size_t slots = 0;
    for (const uint32_t count : entriesOf) slots += count >= 2 ? count : 0;
    const std::size_t h = static_cast<std::size_t>(indexCount(method.charSet)) + 1;
    if (slots > std::min(2 * h - 2, kMostRepeatSlots)) return "the repeat blocks";
    return {};
}
