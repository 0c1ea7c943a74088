#include "phrase/phrase_store.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "phrase/messages.h"

void openPhraseStore(CTosker& tosker) {
    tosker.slots.assign(static_cast<std::size_t>(indexCount(tosker.head.charSet)), PhraseSlot{});
    tosker.phraseIndex.clear();
}

void reservePhraseStore(CTosker& tosker, std::span<const uint32_t> phrases,
                        std::span<const uint32_t> words) {
    const std::size_t slotCount = tosker.slots.size();
    for (std::size_t slot = 0; slot < slotCount && slot < phrases.size(); ++slot) {
        if (phrases[slot] == 0) continue;
        tosker.slots[slot].words.reserve(std::min<std::size_t>(words[slot], kMaxSlotWords));
        tosker.phraseIndex.reserve(static_cast<int>(slot), phrases[slot], slotCount);
    }
}

bool isDuplicatePhrase(const CTosker& tosker, int slot, std::span<const uint16_t> words) {
    return tosker.phraseIndex.contains(tosker.slots, slot, words);
}

bool slotHasRoom(const CTosker& tosker, int slot, std::size_t wordCount) {
    return tosker.slots[slot].words.size() + wordCount <= kMaxSlotWords;
}

int appendPhrase(CTosker& tosker, int slot, std::span<const uint16_t> words, bool bounded) {
    if (bounded && !slotHasRoom(tosker, slot, words.size())) {
        char character[4];
        indexToChar(tosker.head.charSet, static_cast<unsigned>(slot), character, sizeof character);
        return report(kTooManyPhrases, character);
    }
    std::vector<uint16_t>& held = tosker.slots[slot].words;
    const std::size_t start = held.size();
    held.insert(held.end(), words.begin(), words.end());
    tosker.phraseIndex.add(tosker.slots, slot, start, words.size());
    ++tosker.head.phraseCount;
    return 0;
}
