// Both directions of an input method's code table, for many lookups: from a
// code (or a code with the WildChar) to its entries, and from a character to
// its entries. An entry is a (code, character) pair, named by its position
// in InputMethod::entries; a database entry of several characters is the
// run of its pairs.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "ime/input_method.h"

// The first entries of those that lengthen a code, in entry order, and the
// number of characters all of them give.
struct Completions {
    std::vector<int> first;  // enough entries to give `wanted` characters
    int characterCount = 0;
};

class LookupIndex {
  public:
    explicit LookupIndex(const InputMethod& im);

    const InputMethod& inputMethod() const { return im_; }

    // The entries whose code is `pattern` (the WildChar standing for any one
    // key), in entry order.
    std::vector<int> exactEntries(std::string_view pattern) const;

    // The entries whose code is longer than `pattern` and begins with it.
    Completions longerEntries(std::string_view pattern, int wanted) const;

    // The entries of the character of index `index`, in the order of the
    // database's RepeatBlocks slots.
    std::span<const int> entriesOf(int index) const;

  private:
    void indexCodes();
    void indexCharacters();
    bool matches(std::string_view pattern, std::string_view code) const;
    std::string_view codeOf(int entry) const { return im_.codes[im_.entries[entry].code]; }
    // The positions in byCode_ of the codes that begin with `prefix`.
    std::pair<std::size_t, std::size_t> prefixRange(std::string_view prefix) const;

    const InputMethod& im_;
    std::vector<int> byCode_;             // entry numbers by code, then by number
    std::vector<std::size_t> ascending_;  // the end of the ascending run from k
    std::vector<int> firstOfIndex_;       // by character index, into ofIndex_
    std::vector<int> ofIndex_;
};
