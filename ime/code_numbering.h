// Numbers codes as a code table is filled, from an empty CodeList: a code
// met before gets its number back, a new one is added to the list.
#pragma once

#include <string_view>

#include "foundation/desktop_tables/compact_index_set.h"
#include "foundation/desktop_tables/hash_bytes.h"
#include "ime/code_list.h"

class CodeNumbering {
  public:
    // `most`, where given, bounds the codes the list will hold.
    CodeNumbering(CodeList& codes, std::size_t expected, std::size_t most = 0)
        : codes_(codes), known_(expected, most) {}

    uint32_t numberOf(std::string_view code) { return numberOf(code, hashOf(code)); }
    // The same for a code whose hashOf is known, which prefetch was given a
    // few codes before, so that the waits on memory overlap.
    uint32_t numberOf(std::string_view code, uint64_t hash) {
        const auto next = static_cast<uint32_t>(codes_.size());
        const auto hashOfNumber = [&](uint32_t number) { return hashOf(codes_[number]); };
        const uint32_t found = known_.insert(
            next, hash, hashOfNumber, [&](uint32_t number) { return codes_[number] == code; });
        return found != CompactIndexSet::kNone ? found : codes_.add(code);
    }

    void prefetch(uint64_t hash) const { known_.prefetch(hash); }
    static uint64_t hashOf(std::string_view code) { return hashBytes(code.data(), code.size()); }

  private:
    CodeList& codes_;
    CompactIndexSet known_;
};
