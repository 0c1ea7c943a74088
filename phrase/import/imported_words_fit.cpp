#include "phrase/import/imported_words_fit.h"

#include <utility>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/key_table.h"
#include "phrase/left_out_phrases.h"
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
                     std::string& leftOut) {
    PhraseDatabase& db = words.database;
    tosker.database.charSet = db.charSet;
    tosker.database.maxPhraseLength = db.maxPhraseLength;
    tosker.utf8Source = true;
    currentSection = kKeyPhrase;
    lineNumber = kPhraseHeaderLine;
    report(kStartPhrases, lineNumber);
    openPhraseStore(tosker);
    startFitting(fitting, tosker);

    const CharacterBytes bytes(db.charSet);
    std::vector<bool> kept(db.phrases.size(), true);
    std::size_t leftOutCount = 0;
    char text[2 * kMaxPhraseLength];
    for (const uint32_t number : words.weightOrder) {
        ++lineNumber;
        const StoredPhrase& phrase = db.phrases[number];
        std::size_t length = 0;
        for (const uint16_t character : db.text(phrase)) {
            length += bytes.put(character, text + length);
        }
        const int slot = db.characters[phrase.start];
        const std::size_t wordCount = phraseWords(phrase.length, false);
        if (fitPhrase(fitting, tosker, slot, wordCount, std::string_view(text, length))) {
            tosker.slots[static_cast<std::size_t>(slot)].words += wordCount;
        } else {
            // Listed as it goes, so that a long list takes no record each.
            appendLeftOutPhrase(leftOut, fitting.leftOut.back());
            fitting.leftOut.pop_back();
            kept[number] = false;
            ++leftOutCount;
        }
    }
    std::vector<PhraseSlot>().swap(tosker.slots);
    std::vector<uint32_t>().swap(words.weightOrder);
    if (leftOutCount == db.phrases.size()) return report(kNoPhrases, keyName(kKeyPhrase));
    clearSpinner();
    if (leftOutCount > 0) dropLeftOut(db, kept);
    leftOut = inSourceEncoding(std::move(leftOut), tosker);
    tosker.database = std::move(db);
    return 0;
}
