#include "phrase/source/phrase_store.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "phrase/messages.h"

void openPhraseStore(CTosker& tosker) {
    tosker.slots.assign(static_cast<std::size_t>(indexCount(tosker.database.charSet)),
                        PhraseSlot{});
    tosker.phraseIndex.clear();
}

void reservePhraseStore(CTosker& tosker, std::span<const uint32_t> phrases,
                        std::span<const uint32_t> words) {
    const std::size_t slotCount = tosker.slots.size();
    tosker.phraseIndex.reserveAll(phrases.first(std::min(phrases.size(), slotCount)));
    for (std::size_t slot = 0; slot < slotCount && slot < phrases.size(); ++slot) {
        if (phrases[slot] == 0) continue;
        tosker.slots[slot].words.reserve(std::min<std::size_t>(words[slot], kMaxListWords));
        tosker.phraseIndex.reserve(static_cast<int>(slot), phrases[slot], slotCount);
    }
}

bool isDuplicatePhrase(const CTosker& tosker, int slot, std::span<const uint16_t> words) {
    return tosker.phraseIndex.contains(tosker.slots, slot, words);
}

bool slotHasRoom(const CTosker& tosker, int slot, std::size_t wordCount) {
    return tosker.slots[slot].words.size() + wordCount <= kMaxListWords;
}

int appendPhrase(CTosker& tosker, int slot, std::span<const uint16_t> words, bool bounded) {
    if (bounded && !slotHasRoom(tosker, slot, words.size())) {
        char character[4];
        indexToChar(tosker.database.charSet, static_cast<unsigned>(slot), character,
                    sizeof character);
        return report(kTooManyPhrases, character);
    }
    std::vector<uint16_t>& held = tosker.slots[slot].words;
    const std::size_t start = held.size();
    held.insert(held.end(), words.begin(), words.end());
    tosker.phraseIndex.add(tosker.slots, slot, start, words.size());
    ++tosker.database.phraseCount;
    return 0;
}

void storeIntoDatabase(CTosker& tosker) {
    std::vector<std::vector<StoredPhrase>>& phrases = tosker.database.phrases;
    phrases.assign(tosker.slots.size(), {});
    for (std::size_t slot = 0; slot < tosker.slots.size(); ++slot) {
        std::vector<uint16_t>& held = tosker.slots[slot].words;
        phrases[slot].reserve(static_cast<std::size_t>(
            std::count_if(held.begin(), held.end(), [](uint16_t w) { return w & kPhraseEndBit; })));
        StoredPhrase phrase;
        for (const uint16_t word : held) {
            phrase.rest.push_back(static_cast<uint16_t>(word & ~kPhraseEndBit));
            if (word & kPhraseEndBit) {
                phrases[slot].push_back(std::move(phrase));
                phrase = StoredPhrase{};
            }
        }
        std::vector<uint16_t>().swap(held);
    }
    std::vector<PhraseSlot>().swap(tosker.slots);
    tosker.phraseIndex.clear();
}
