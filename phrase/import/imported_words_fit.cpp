#include "phrase/import/imported_words_fit.h"

#include <utility>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/key_table.h"
#include "phrase/messages.h"
#include "phrase/source/phrase_store.h"

namespace {

// The line of "[Phrase]" in an imported list, after "[Description]" and
// the keys Encoding, CharSet and MaxPhraseLength.
constexpr int kPhraseHeaderLine = 5;

// Keeps in `db` the phrases marked in `kept`, each list in its order.
void dropLeftOut(PhraseDatabase& db, const std::vector<bool>& kept) {
    std::size_t at = 0;
    uint32_t begin = 0;  // where the list stood before those left out went
    for (std::size_t first = 0; first < db.listCount(); ++first) {
        const uint32_t end = db.listStarts[first + 1];
        for (uint32_t p = begin; p < end; ++p) {
            if (kept[p]) db.phrases[at++] = db.phrases[p];
        }
        begin = end;
        db.listStarts[first + 1] = static_cast<uint32_t>(at);
    }
    db.phrases.resize(at);
}

}  // namespace

int fitImportedWords(ImportedWords& words, CTosker& tosker, PhraseFitting& fitting,
                     LeftOutWords& leftOut) {
    PhraseDatabase& db = words.database;
    tosker.database.charSet = db.charSet;
    tosker.database.maxPhraseLength = db.maxPhraseLength;
    tosker.utf8Source = true;
    currentSection = kKeyPhrase;
    lineNumber = kPhraseHeaderLine;
    report(kStartPhrases, lineNumber);
    openPhraseStore(tosker);
    startFitting(fitting, tosker);

    leftOut.charSet = db.charSet;
    leftOut.firstLine = lineNumber + 1;
    leftOut.words.reserve(words.weightOrder.size());
    std::vector<bool> kept(db.phrases.size(), true);
    // The words come by weight and lie by first character: each is asked of
    // memory some words ahead of its turn.
    constexpr std::size_t kAhead = 16;
    const std::vector<uint32_t>& order = words.weightOrder;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i + kAhead < order.size()) __builtin_prefetch(&db.phrases[order[i + kAhead]]);
        const uint32_t number = order[i];
        ++lineNumber;
        const StoredPhrase& phrase = db.phrases[number];
        const int slot = db.characters[phrase.start];
        const std::size_t wordCount = phraseWords(phrase.length, false);
        const PhraseFit fit = judgePhrase(fitting, tosker, slot, wordCount);
        if (fit == PhraseFit::kFits) {
            tosker.slots[static_cast<std::size_t>(slot)].words += wordCount;
            leftOut.words.push_back(phrase.length);
            continue;
        }
        const uint8_t reason = fit == PhraseFit::kBlockFull ? LeftOutWords::kForBlock : 0;
        leftOut.words.push_back(
            static_cast<uint8_t>(phrase.length | LeftOutWords::kLeftOut | reason));
        ++leftOut.count;
        kept[number] = false;
    }
    std::vector<PhraseSlot>().swap(tosker.slots);
    std::vector<uint32_t>().swap(words.weightOrder);
    if (leftOut.count == db.phrases.size()) return report(kNoPhrases, keyName(kKeyPhrase));
    clearSpinner();
    if (leftOut.count > 0) dropLeftOut(db, kept);
    tosker.database = std::move(db);
    return 0;
}
