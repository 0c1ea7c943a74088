#include "phrase/import/imported_words_fit.h"

#include <utility>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/huge_pages.h"
#include "foundation/key_table.h"
#include "phrase/messages.h"
#include "phrase/source/phrase_store.h"

namespace {

// The line of "[Phrase]" in an imported list, after "[Description]" and
// the keys Encoding, CharSet and MaxPhraseLength.
constexpr int kPhraseHeaderLine = 5;

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
    reserveHugePages(leftOut.words, words.lengths.size());
    // The words come by weight and lie in the pool in reading order: each
    // word's first character is asked of memory some words ahead of its turn.
    constexpr std::size_t kAhead = 16;
    const std::vector<uint32_t>& starts = words.starts;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (i + kAhead < starts.size()) __builtin_prefetch(&db.characters[starts[i + kAhead]]);
        ++lineNumber;
        const uint8_t length = words.lengths[i];
        const int slot = db.characters[starts[i]];
        const std::size_t wordCount = phraseWords(length, false);
        const PhraseFit fit = judgePhrase(fitting, tosker, slot, wordCount);
        if (fit == PhraseFit::kFits) {
            tosker.slots[static_cast<std::size_t>(slot)].words += wordCount;
            leftOut.words.push_back(length);
            continue;
        }
        const uint8_t reason = fit == PhraseFit::kBlockFull ? LeftOutWords::kForBlock : 0;
        leftOut.words.push_back(static_cast<uint8_t>(length | LeftOutWords::kLeftOut | reason));
        ++leftOut.count;
    }
    std::vector<PhraseSlot>().swap(tosker.slots);
    std::vector<uint8_t>().swap(words.lengths);
    if (leftOut.count == leftOut.words.size()) return report(kNoPhrases, keyName(kKeyPhrase));
    clearSpinner();
    fileWords(db, words.starts, leftOut.words, nullptr);
    leftOut.starts = std::move(words.starts);
    tosker.database = std::move(db);
    return 0;
}
