#include "ime/export/phrase_coder.h"

#include "foundation/char_sets.h"
#include "ime/lookup/lookup_index.h"

PhraseCoder::PhraseCoder(const InputMethod& im) : im_(im) {
    const LookupIndex index(im);
    const int indexes = indexCount(im.charSet);
    codeOfIndex_.assign(static_cast<std::size_t>(indexes), -1);
    for (int x = 0; x < indexes; ++x) {
        // The first slot of a character's block is its primary entry in
        // style 1 and its first entry in style 2.
        const std::span<const int> entries = index.entriesOf(x);
        if (!entries.empty()) {
            codeOfIndex_[static_cast<std::size_t>(x)] =
                static_cast<int>(im.entries[static_cast<std::size_t>(entries.front())].code);
        }
    }
}

const CodingRule* PhraseCoder::ruleFor(int length) const {
    const CodingRule* atLeast = nullptr;
    for (const CodingRule& rule : im_.rules) {
        if (rule.kind == 'E' && rule.hanZiCount == length) return &rule;
        if (rule.kind == 'A' && rule.hanZiCount <= length &&
            (atLeast == nullptr || rule.hanZiCount > atLeast->hanZiCount)) {
            atLeast = &rule;
        }
    }
    return atLeast;
}

bool PhraseCoder::codeOf(std::span<const uint16_t> text, std::string& code,
                         const char*& why) const {
    code.clear();
    const auto length = static_cast<int>(text.size());
    const CodingRule* rule = ruleFor(length);
    if (rule == nullptr) {
        why = "no rule codes a phrase of its length";
        return false;
    }
    for (const CodingRuleItem& item : rule->items) {
        const int position = item.direction == 'B' ? length - item.hanZi : item.hanZi - 1;
        if (item.hanZi < 1 || position < 0 || position >= length) {
            why = "its rule names a character it does not have";
            return false;
        }
        const uint16_t character = text[static_cast<std::size_t>(position)];
        const int number = character < codeOfIndex_.size() ? codeOfIndex_[character] : -1;
        if (number < 0) {
            why = "a character has no code";
            return false;
        }
        const std::string_view whole = im_.codes[static_cast<uint32_t>(number)];
        if (item.code == 0) {
            code += whole;
        } else if (static_cast<std::size_t>(item.code) <= whole.size()) {
            code += whole[static_cast<std::size_t>(item.code) - 1];
        } else {
            why = "a character's code is shorter than its rule takes";
            return false;
        }
    }
    return true;
}
