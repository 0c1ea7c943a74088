// The phrases of a PhraseDatabase in UTF-8, each character converted once:
// what the phrase differences and the merge of user phrases compare.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "foundation/statistics_text.h"

class ShownPhrases {
  public:
    explicit ShownPhrases(CharSet charSet) : charSet_(charSet), shown_(charSet) {}

    // A character with no UTF-8 form as its bytes in hexadecimal ("<A1 7F>").
    const std::string& character(uint16_t index) {
        if (index >= texts_.size()) {
            texts_.resize(index + 1u);
            known_.resize(index + 1u);
        }
        if (!known_[index]) {
            texts_[index] = shown_.shownIndex(charSet_, index);
            known_[index] = true;
        }
        return texts_[index];
    }
    std::string phrase(std::span<const uint16_t> text) {
        std::string utf8;
        for (uint16_t index : text) utf8 += character(index);
        return utf8;
    }

  private:
    CharSet charSet_;
    ShownCharacters shown_;
    std::vector<std::string> texts_;
    std::vector<bool> known_;
};
