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
        tosker.slots[slot].held.reserve(
            std::min<std::size_t>(phrases[slot] + words[slot], kMaxListWords + phrases[slot]));
        tosker.phraseIndex.reserve(static_cast<int>(slot), phrases[slot], slotCount);
    }
}

bool isDuplicatePhrase(const CTosker& tosker, int slot, std::span<const uint16_t> rest) {
    return tosker.phraseIndex.contains(tosker.slots, slot, rest);
}

bool slotHasRoom(const CTosker& tosker, int slot, std::size_t wordCount) {
    return tosker.slots[slot].words + wordCount <= kMaxListWords;
}

int appendPhrase(CTosker& tosker, int slot, std::span<const uint16_t> rest, bool bounded) {
    const std::size_t wordCount = phraseWords(1 + rest.size(), false);
    if (bounded && !slotHasRoom(tosker, slot, wordCount)) {
        char character[4];
        indexToChar(tosker.database.charSet, static_cast<unsigned>(slot), character,
                    sizeof character);
        return report(kTooManyPhrases, character);
    }
    PhraseSlot& filed = tosker.slots[slot];
    filed.held.push_back(static_cast<uint16_t>(rest.size()));
    const std::size_t start = filed.held.size();
    filed.held.insert(filed.held.end(), rest.begin(), rest.end());
    filed.words += wordCount;
    tosker.phraseIndex.add(tosker.slots, slot, start, rest.size());
    return 0;
}

void storeIntoDatabase(CTosker& tosker) {
    tosker.phraseIndex.clear();
    PhraseDatabase& db = tosker.database;
    std::size_t characters = 0;
    for (const PhraseSlot& slot : tosker.slots) characters += slot.held.size();
    db.characters.reserve(characters);
    db.phrases.reserve(filedPhrases(tosker));
    uint16_t text[kMaxPhraseLength];
    for (std::size_t slot = 0; slot < tosker.slots.size(); ++slot) {
        std::vector<uint16_t>& held = tosker.slots[slot].held;
        text[0] = static_cast<uint16_t>(slot);
        for (std::size_t at = 0; at < held.size(); at += 1u + held[at]) {
            std::copy_n(held.begin() + static_cast<std::ptrdiff_t>(at + 1), held[at], text + 1);
            addPhrase(db, std::span<const uint16_t>(text, 1u + held[at]));
        }
        std::vector<uint16_t>().swap(held);
    }
    closeLists(db, tosker.slots.size());
    std::vector<PhraseSlot>().swap(tosker.slots);
}

std::size_t filedPhrases(const CTosker& tosker) {
    std::size_t phrases = 0;
    for (const PhraseSlot& slot : tosker.slots) phrases += slot.held.size() - slot.words;
    return phrases;
}
