#include "ime/import/code_table_limits.h"

#include "ime/database/code_table_capacity.h"

std::string codeTableLimitPassed(const InputMethod& method) {
    CodeTableCapacity capacity(method.codingStyle, method.charSet, method.codes.size());
    for (const CodeTableEntry& entry : method.entries) {
        const int index = charToIndex(method.charSet, entry.character.bytes().data());
        if (index >= 0 && index < capacity.mapSlots()) capacity.take(entry.code, index);
    }
    if (capacity.entries() > kMaxCodeEntries) return "32,767 code entries";
    if (capacity.pairs() > kMaxCodedCharacters) return "65,534 coded characters";
    if (capacity.repeatSlots() > capacity.repeatLimit()) return "the repeat blocks";
    return {};
}
