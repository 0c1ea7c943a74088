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
    // Only what is used of it is ever touched.
    leftOut.words.reserve(words.weightOrder.size());
    std::vector<bool> kept(db.phrases.size(), true);
    for (const uint32_t number : words.weightOrder) {
        ++lineNumber;
        const StoredPhrase& phrase = db.phrases[number];
        const int slot = db.characters[phrase.start];
        const std::size_t wordCount = phraseWords(phrase.length, false);
        const PhraseFit fit = judgePhrase(fitting, tosker, slot, wordCount);
        if (fit == PhraseFit::kFits) {
            tosker.slots[static_cast<std::size_t>(slot)].words += wordCount;
            continue;
        }
        leftOut.words.push_back({static_cast<uint32_t>(lineNumber), phrase.start, phrase.length,
                                 fit == PhraseFit::kBlockFull});
        kept[number] = false;
    }
    std::vector<PhraseSlot>().swap(tosker.slots);
    std::vector<uint32_t>().swap(words.weightOrder);
    if (leftOut.words.size() == db.phrases.size()) return report(kNoPhrases, keyName(kKeyPhrase));
    clearSpinner();
    if (!leftOut.words.empty()) dropLeftOut(db, kept);
    tosker.database = std::move(db);
    return 0;
}
