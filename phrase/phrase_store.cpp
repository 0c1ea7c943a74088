#include "phrase/phrase_store.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "phrase/messages.h"

void openPhraseStore(CTosker& tosker) {
    tosker.slots.assign(static_cast<std::size_t>(indexCount(tosker.head.charSet)), PhraseSlot{});
}

bool isDuplicatePhrase(const CTosker& tosker, int slot, std::span<const uint16_t> words) {
    const std::vector<uint16_t>& held = tosker.slots[slot].words;
    std::size_t phraseStart = 0;
    for (std::size_t w = 0; w < held.size(); ++w) {
        if ((held[w] & kLastWordBit) == 0) continue;
        const auto phrase = held.begin() + static_cast<std::ptrdiff_t>(phraseStart);
        if (w + 1 - phraseStart == words.size() && std::equal(words.begin(), words.end(), phrase)) {
            return true;
        }
        phraseStart = w + 1;
    }
    return false;
}

int appendPhrase(CTosker& tosker, int slot, std::span<const uint16_t> words) {
    std::vector<uint16_t>& held = tosker.slots[slot].words;
    if (held.size() + words.size() > kMaxSlotWords) {
        char character[4];
        indexToChar(tosker.head.charSet, static_cast<unsigned>(slot), character, sizeof character);
        return report(kTooManyPhrases, character);
    }
    held.insert(held.end(), words.begin(), words.end());
    ++tosker.head.phraseCount;
    return 0;
}
