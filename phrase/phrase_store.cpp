#include "phrase/phrase_store.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "phrase/messages.h"

void openPhraseStore(CTosker& tosker) {
    tosker.slots.assign(static_cast<std::size_t>(indexCount(tosker.head.charSet)), PhraseSlot{});
    tosker.phraseIndex.clear();
}

bool isDuplicatePhrase(const CTosker& tosker, int slot, std::span<const uint16_t> words) {
    return tosker.phraseIndex.contains(tosker.slots, slot, words);
}

int appendPhrase(CTosker& tosker, int slot, std::span<const uint16_t> words) {
    std::vector<uint16_t>& held = tosker.slots[slot].words;
    if (held.size() + words.size() > kMaxSlotWords) {
        char character[4];
        indexToChar(tosker.head.charSet, static_cast<unsigned>(slot), character, sizeof character);
        return report(kTooManyPhrases, character);
    }
    const std::size_t start = held.size();
    held.insert(held.end(), words.begin(), words.end());
    tosker.phraseIndex.add(tosker.slots, slot, start, words.size());
    ++tosker.head.phraseCount;
    return 0;
}
