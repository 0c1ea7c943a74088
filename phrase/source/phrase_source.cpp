#include "phrase/source/phrase_source.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <span>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/text_helpers.h"
#include "foundation/unknown_keys.h"
#include "foundation/utf8_source.h"
#include "phrase/messages.h"
#include "phrase/source/phrase_store.h"

namespace {

// Reports a line that holds no phrase, with the note for a line of UTF-8.
int refuse(const Message& message, const char* line) {
    const int rc = report(message, line);
    noteUtf8Line(line);
    return rc;
}
// What the list of a database says after a user phrase.
constexpr char kUserMark[] = ",USER";

// Marks the user phrases the reading noted, once the database holds them.
void markUserPhrases(CTosker& tosker) {
    PhraseDatabase& db = tosker.database;
    const std::vector<uint16_t>& marks = tosker.userMarks;
    for (std::size_t at = 0; at < marks.size(); at += 1u + marks[at]) {
        const auto text = std::span(marks).subspan(at + 1, marks[at]);
        const std::size_t first = db.listStarts[text[0]];
        for (std::size_t p = first; p < db.listStarts[text[0] + 1u]; ++p) {
            const auto held = db.text(db.phrases[p]);
            if (std::equal(held.begin(), held.end(), text.begin(), text.end())) {
                db.phrases[p].user = true;
            }
        }
    }
}

// Every key [Description] may hold; a line that names another draws 506.
constexpr int kDescriptionKeys[] = {kKeyCharSet, kKeyMaxPhraseLength, kKeyEncoding};

// What the reading of [Phrase] keeps from line to line.
struct PhraseReading {
    PhraseFitting* fitting;  // nullptr: a phrase that does not fit stops the run
    PhraseTally* tally;      // not nullptr: every phrase is filed, the rest counted
    int longest = 0;         // the longest phrase kept
};

// The number of double-byte characters in a row from `text`.
int doubleByteRun(const DoubleByteTable& characters, const char* text) {
    int count = 0;
    while (characters.startsChar(text + 2 * count)) ++count;
    return count;
}

// Counts the phrase lines of each first character and their words before
// any is filed, so that the store takes its room at once.
void reserveForPhrases(CTosker& tosker, const DoubleByteTable& characters) {
    const std::size_t slotCount = tosker.slots.size();
    std::vector<uint32_t> phrases(slotCount), words(slotCount);
    // A phrase's characters end where its line's copy would end them: no
    // trail byte is a CR or a line feed.
    forEachLineAhead(tosker.source.stream, [&](const char* line) {
        const char* phrase = skipBlanks(line);
        if (!characters.startsChar(phrase)) return;
        const int length = doubleByteRun(characters, phrase);
        const auto slot = static_cast<std::size_t>(characters.indexOf(phrase));
        if (length < kMinPhraseLength || length > kMaxPhraseLength || slot >= slotCount) return;
        ++phrases[slot];
        words[slot] += static_cast<uint32_t>(length - 1);
    });
    reservePhraseStore(tosker, phrases, words);
}

// Looks a few lines ahead of the reading and hints the store's records of
// their first characters into the cache, so that filing a phrase seldom
// waits for memory. Only a hint: the lines it looks at need not be the ones
// the reading takes.
class LookAhead {
  public:
    LookAhead(const CTosker& tosker, const DoubleByteTable& characters)
        : tosker_(tosker), characters_(characters), at_(tosker.source.stream.position) {}

    void step() {
        const int slot = nextSlot();
        if (slot >= 0) {
            tosker_.phraseIndex.prefetchRecord(slot);
            __builtin_prefetch(&tosker_.slots[static_cast<std::size_t>(slot)]);
        }
        const int near = ahead_[next_];
        if (near >= 0) {
            tosker_.phraseIndex.prefetchFilter(near);
            const std::vector<uint16_t>& held = tosker_.slots[static_cast<std::size_t>(near)].held;
            if (!held.empty()) __builtin_prefetch(held.data() + held.size() - 1);
        }
        ahead_[next_] = slot;
        next_ = (next_ + 1) % kDistance;
    }

  private:
    static constexpr int kDistance = 4;

    int nextSlot() {
        const std::string& bytes = tosker_.source.stream.bytes;
        if (at_ >= bytes.size()) return -1;
        const char* line = bytes.data() + at_;
        const void* end = std::memchr(line, '\n', bytes.size() - at_);
        const std::size_t length =
            end != nullptr ? static_cast<const char*>(end) - line + 1 : bytes.size() - at_;
        at_ += length;
        std::size_t first = 0;
        while (first < length && isBlank(line[first])) ++first;
        if (first + 1 >= length || !characters_.startsChar(line + first)) return -1;
        const auto slot = static_cast<std::size_t>(characters_.indexOf(line + first));
        return slot < tosker_.slots.size() ? static_cast<int>(slot) : -1;
    }

    const CTosker& tosker_;
    const DoubleByteTable& characters_;
    std::size_t at_;
    int ahead_[kDistance] = {-1, -1, -1, -1};
    int next_ = 0;
};

// The indexes of a phrase's characters after its first, into `after`.
std::span<const uint16_t> restOfPhrase(const DoubleByteTable& characters, const char* phrase,
                                       int length, uint16_t (&after)[kMaxPhraseLength - 1]) {
    for (int c = 0; c < length - 1; ++c) {
        after[c] = static_cast<uint16_t>(characters.indexOf(phrase + 2 * (c + 1)));
    }
    return {after, static_cast<std::size_t>(length - 1)};
}

// Notes a phrase filed: its user mark (",USER" right after its characters,
// at `end`) where marks are read, and the longest length.
void notePhraseFiled(CTosker& tosker, PhraseReading& reading, const char* end, int length, int slot,
                     std::span<const uint16_t> rest) {
    if (tosker.readUserMarks && std::strncmp(end, kUserMark, 5) == 0) {
        tosker.userMarks.push_back(static_cast<uint16_t>(length));
        tosker.userMarks.push_back(static_cast<uint16_t>(slot));
        tosker.userMarks.insert(tosker.userMarks.end(), rest.begin(), rest.end());
    }
    reading.longest = std::max(reading.longest, length);
}

// The outcome of one [Phrase] line: 0 when the reading goes on, or the
// number of the fatal message that stops it.
int takePhraseLine(CTosker& tosker, const DoubleByteTable& characters, PhraseReading& reading) {
    char* line = tosker.source.lineBuffer.data();
    if (isBlankLine(line)) return 0;
    if (char* lineFeed = std::strchr(line, '\n')) *lineFeed = '\0';

    PhraseDatabase& db = tosker.database;
    const char* phrase = skipBlanks(line);
    if (!characters.startsChar(phrase)) return refuse(kNoPhrase, line);
    const int length = doubleByteRun(characters, phrase);
    if (length < kMinPhraseLength) return refuse(kNotPhrase, line);
    if (length > kMaxPhraseLength) return refuse(kPhraseTooLong, line);
    if (db.maxPhraseLength != 0 && length > db.maxPhraseLength) {
        refuse(kPhraseLongerThanSet, line);
        if (reading.tally != nullptr) ++reading.tally->refused;
        return 0;
    }

    const int slot = characters.indexOf(phrase);

    uint16_t after[kMaxPhraseLength - 1];
    const std::span<const uint16_t> rest = restOfPhrase(characters, phrase, length, after);
    if (isDuplicatePhrase(tosker, slot, rest)) {
        report(kDuplicatePhrase, line);
        if (reading.tally != nullptr) ++reading.tally->repeated;
        return 0;
    }
    if (reading.fitting != nullptr &&
        !fitPhrase(*reading.fitting, tosker, slot,
                   phraseWords(static_cast<std::size_t>(length), false),
                   std::string_view(phrase, 2 * static_cast<std::size_t>(length)))) {
        return 0;
    }
    if (int rc = appendPhrase(tosker, slot, rest, reading.tally == nullptr)) return rc;
    notePhraseFiled(tosker, reading, phrase + 2 * length, length, slot, rest);
    return 0;
}

// Takes the next line where it stands in the text, without a copy, when it
// is a phrase that takePhraseLine would take or leave to the fit without a
// message; false, having read nothing, for any other line. The phrase's
// characters end where the copy's would: no trail byte is a CR or a line
// feed, and ",USER" is compared up to the first byte that differs.
bool takePhraseLineInPlace(CTosker& tosker, const DoubleByteTable& characters,
                           PhraseReading& reading) {
    SourceText& stream = tosker.source.stream;
    const char* phrase = skipBlanks(stream.bytes.data() + stream.position);
    if (!characters.startsChar(phrase)) return false;
    const int length = doubleByteRun(characters, phrase);
    const PhraseDatabase& db = tosker.database;
    if (length < kMinPhraseLength || length > kMaxPhraseLength ||
        (db.maxPhraseLength != 0 && length > db.maxPhraseLength)) {
        return false;
    }
    const int slot = characters.indexOf(phrase);
    uint16_t after[kMaxPhraseLength - 1];
    const std::span<const uint16_t> rest = restOfPhrase(characters, phrase, length, after);
    const std::size_t wordCount = phraseWords(static_cast<std::size_t>(length), false);
    if (isDuplicatePhrase(tosker, slot, rest) ||
        (reading.tally == nullptr && !slotHasRoom(tosker, slot, wordCount))) {
        return false;
    }
    const char* end = phrase + 2 * length;
    stream.position = nextLineStart(stream, end);
    ++lineNumber;
    if (reading.fitting != nullptr &&
        !fitPhrase(*reading.fitting, tosker, slot, wordCount,
                   std::string_view(phrase, 2 * static_cast<std::size_t>(length)))) {
        return true;
    }
    appendPhrase(tosker, slot, rest, false);
    notePhraseFiled(tosker, reading, end, length, slot, rest);
    return true;
}

}  // namespace

int parseDescriptionSection(CTosker& tosker) {
    const char* section = keyName(kKeyDescription);
    if (!seekSection(tosker.source, kKeyDescription)) return report(kSectionMissing, section);
    if (tosker.keyTable.loadSection(tosker.source.stream) == 0) {
        return report(kNoKeywords, section);
    }
    warnUnknownKeys(tosker.keyTable, kDescriptionKeys);

    const char* charSetKey = keyName(kKeyCharSet);
    const char* charSetValue = tosker.keyTable.findValue(charSetKey, false);
    if (charSetValue == nullptr) return report(kMustSetKey, charSetKey);
    PhraseDatabase& db = tosker.database;
    db.charSet = charSetFromName(charSetValue);
    if (db.charSet == 0) return report(kInvalidCharSet, charSetValue);
    if (int rc = checkEncoding(tosker.keyTable.findValue(kEncodingKey, false), db.charSet)) {
        return rc;
    }

    const char* lengthKey = keyName(kKeyMaxPhraseLength);
    if (const char* lengthValue = tosker.keyTable.findValue(lengthKey, false)) {
        db.maxPhraseLength = decimalValue(lengthValue) & 0xFF;
        if (db.maxPhraseLength < kMinPhraseLength || db.maxPhraseLength > kMaxPhraseLength) {
            return report(kLengthOutOfRange, lengthKey, kMinPhraseLength, kMaxPhraseLength,
                          db.maxPhraseLength);
        }
    } else {
        report(kNoLengthSetting, lengthKey);
    }
    tosker.statedMaxPhraseLength = db.maxPhraseLength;
    tosker.keyTable.clear();
    return 0;
}

int parsePhraseSection(CTosker& tosker, PhraseFitting* fitting, PhraseTally* tally) {
    PhraseDatabase& db = tosker.database;
    PhraseReading reading{fitting, tally};

    if (!seekSection(tosker.source, kKeyPhrase))
        return report(kSectionMissing, keyName(kKeyPhrase));
    report(kStartPhrases, lineNumber);
    openPhraseStore(tosker);
    const DoubleByteTable characters(db.charSet);
    reserveForPhrases(tosker, characters);
    if (fitting != nullptr) startFitting(*fitting, tosker);

    LookAhead lookAhead(tosker, characters);
    for (int k = 0; k < 8; ++k) lookAhead.step();
    const int rc = readLinesLeft(
        tosker.source,
        [&] {
            if (!takePhraseLineInPlace(tosker, characters, reading)) return false;
            lookAhead.step();
            return true;
        },
        [&] {
            lookAhead.step();
            return takePhraseLine(tosker, characters, reading);
        });
    if (rc != 0) return rc;
    if (filedPhrases(tosker) == 0) return report(kNoPhrases, keyName(kKeyPhrase));
    if (db.maxPhraseLength == 0) db.maxPhraseLength = reading.longest;
    clearSpinner();
    storeIntoDatabase(tosker);
    markUserPhrases(tosker);
    return 0;
}
