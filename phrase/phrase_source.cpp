#include "phrase/phrase_source.h"

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
#include "phrase/phrase_store.h"

namespace {

constexpr char kDatabaseNamePrefix[] = "CJK Phrase ";

// Reports a line that holds no phrase, with the note for a line of UTF-8.
int refuse(const Message& message, const char* line) {
    const int rc = report(message, line);
    noteUtf8Line(line);
    return rc;
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
    SourceText& stream = tosker.source.stream;
    const ReadMark mark = markRead(stream);
    char line[kLineBufferSize];
    while (readSourceLine(line, kLineReadCapacity, stream) != nullptr) {
        const char* phrase = skipBlanks(line);
        if (!characters.startsChar(phrase)) continue;
        const int length = doubleByteRun(characters, phrase);
        const auto slot = static_cast<std::size_t>(characters.indexOf(phrase));
        if (length < kMinPhraseLength || length > kMaxPhraseLength || slot >= slotCount) continue;
        ++phrases[slot];
        words[slot] += static_cast<uint32_t>(length - 1);
    }
    returnToMark(stream, mark);
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
            const std::vector<uint16_t>& held = tosker_.slots[static_cast<std::size_t>(near)].words;
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

// The outcome of one [Phrase] line: 0 when the reading goes on, or the
// number of the fatal message that stops it.
int takePhraseLine(CTosker& tosker, const DoubleByteTable& characters, PhraseReading& reading) {
    char* line = tosker.source.lineBuffer;
    if (isBlankLine(line)) return 0;
    if (char* lineFeed = std::strchr(line, '\n')) *lineFeed = '\0';

    HeadRecord& head = tosker.head;
    const char* phrase = skipBlanks(line);
    if (!characters.startsChar(phrase)) return refuse(kNoPhrase, line);
    const int length = doubleByteRun(characters, phrase);
    if (length < kMinPhraseLength) return refuse(kNotPhrase, line);
    if (length > kMaxPhraseLength) return refuse(kPhraseTooLong, line);
    if (head.maxPhraseLength != 0 && length > head.maxPhraseLength) {
        refuse(kPhraseLongerThanSet, line);
        if (reading.tally != nullptr) ++reading.tally->refused;
        return 0;
    }

    const int slot = characters.indexOf(phrase);

    uint16_t words[kMaxPhraseLength - 1];
    const std::span<const uint16_t> phraseWords(words, static_cast<std::size_t>(length - 1));
    for (int w = 0; w < length - 1; ++w) {
        words[w] = static_cast<uint16_t>(characters.indexOf(phrase + 2 * (w + 1)));
    }
    words[length - 2] |= kLastWordBit;
    if (isDuplicatePhrase(tosker, slot, phraseWords)) {
        report(kDuplicatePhrase, line);
        if (reading.tally != nullptr) ++reading.tally->repeated;
        return 0;
    }
    if (reading.fitting != nullptr &&
        !fitPhrase(*reading.fitting, tosker, slot, phraseWords.size(),
                   std::string_view(phrase, 2 * static_cast<std::size_t>(length)))) {
        return 0;
    }
    if (int rc = appendPhrase(tosker, slot, phraseWords, reading.tally == nullptr)) return rc;
    head.firstIndex = static_cast<uint16_t>(std::min<int>(head.firstIndex, slot));
    head.lastIndex = static_cast<uint16_t>(std::max<int>(head.lastIndex, slot));
    reading.longest = std::max(reading.longest, length);
    return 0;
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
    tosker.head.charSet = charSetFromName(charSetValue);
    if (tosker.head.charSet == 0) return report(kInvalidCharSet, charSetValue);
    std::snprintf(tosker.databaseName, sizeof tosker.databaseName, "%s%s", kDatabaseNamePrefix,
                  charSetName(tosker.head.charSet));
    if (const char* encoding = tosker.keyTable.findValue(kEncodingKey, false)) {
        if (!namesUtf8(encoding)) return report(kInvalidEncoding, kEncodingKey, encoding);
        tosker.utf8Source = true;
    }

    const char* lengthKey = keyName(kKeyMaxPhraseLength);
    if (const char* lengthValue = tosker.keyTable.findValue(lengthKey, false)) {
        tosker.head.maxPhraseLength = static_cast<uint16_t>(decimalValue(lengthValue) & 0xFF);
        if (tosker.head.maxPhraseLength < kMinPhraseLength ||
            tosker.head.maxPhraseLength > kMaxPhraseLength) {
            return report(kLengthOutOfRange, lengthKey, kMinPhraseLength, kMaxPhraseLength,
                          int{tosker.head.maxPhraseLength});
        }
    } else {
        report(kNoLengthSetting, lengthKey);
    }
    tosker.keyTable.clear();
    return 0;
}

int parsePhraseSection(CTosker& tosker, PhraseFitting* fitting, PhraseTally* tally) {
    HeadRecord& head = tosker.head;
    const int slotCount = indexCount(head.charSet);
    PhraseReading reading{fitting, tally};

    if (!seekSection(tosker.source, kKeyPhrase))
        return report(kSectionMissing, keyName(kKeyPhrase));
    report(kStartPhrases, lineNumber);
    openPhraseStore(tosker);
    const DoubleByteTable characters(head.charSet);
    reserveForPhrases(tosker, characters);
    if (fitting != nullptr) startFitting(*fitting, tosker);

    head.firstIndex = static_cast<uint16_t>(slotCount);
    head.lastIndex = 0;
    LookAhead lookAhead(tosker, characters);
    for (int k = 0; k < 8; ++k) lookAhead.step();
    while (readSourceLine(tosker.source.lineBuffer, kLineReadCapacity, tosker.source.stream) !=
           nullptr) {
        lookAhead.step();
        if (int rc = takePhraseLine(tosker, characters, reading)) return rc;
    }
    if (head.lastIndex < head.firstIndex) return report(kNoPhrases, keyName(kKeyPhrase));
    if (head.maxPhraseLength == 0) head.maxPhraseLength = static_cast<uint16_t>(reading.longest);
    clearSpinner();
    return 0;
}
