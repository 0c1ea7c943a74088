// The code an input method's coding rules make for a phrase: the rule "PE"
// of exactly its length, else the "PA" of the greatest length not above
// it; each item takes one key (style 1) or the whole code (style 2) of one
// of its characters, counted from the front or the back. A character's code
// is the one the handheld takes: in style 1 that of its primary entry, in
// style 2 that of its first entry.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "ime/input_method.h"

class PhraseCoder {
  public:
    // `im` as a database gives it back: its entries in entry order.
    explicit PhraseCoder(const InputMethod& im);

    // The code of the phrase of character indexes `text`; false, and
    // the reason in `why`, when none can be made.
    bool codeOf(std::span<const uint16_t> text, std::string& code, const char*& why) const;

    // The rule that codes phrases of `length` characters, or nullptr.
    const CodingRule* ruleFor(int length) const;

  private:
    const InputMethod& im_;
    std::vector<int> codeOfIndex_;  // by character index: a code number, or -1
};
