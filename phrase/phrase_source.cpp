#include "phrase/phrase_source.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"
#include "foundation/text_helpers.h"
#include "phrase/messages.h"
#include "phrase/phrase_store.h"

namespace {

constexpr char kDatabaseNamePrefix[] = "CJK Phrase ";

// A decimal number as a C library conversion reads it (leading white space,
// one sign, digits up to the first other character, 0 without digits),
// reduced to its low eight bits.
unsigned lowByteOfNumber(const char* text) {
    while (std::isspace(static_cast<unsigned char>(*text))) ++text;
    const bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    unsigned value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + unsigned(*text - '0');
    return (negative ? 0u - value : value) & 0xFFu;
}

// The number of double-byte characters in a row from `text`.
int doubleByteRun(CharSet charSet, const char* text) {
    int count = 0;
    while (startsWithDoubleByteChar(charSet, text + 2 * count, 2)) ++count;
    return count;
}

// The outcome of one [Phrase] line: 0 when the reading goes on, or the
// number of the fatal message that stops it.
int takePhraseLine(CTosker& tosker, int& longest) {
    char* line = tosker.source.lineBuffer;
    if (isBlankLine(line)) return 0;
    if (char* lineFeed = std::strchr(line, '\n')) *lineFeed = '\0';

    HeadRecord& head = tosker.head;
    const char* phrase = skipBlanks(line);
    if (!startsWithDoubleByteChar(head.charSet, phrase, 2)) return report(kNoPhrase, line);
    const int length = doubleByteRun(head.charSet, phrase);
    if (length < kMinPhraseLength) return report(kNotPhrase, line);
    if (length > kMaxPhraseLength) return report(kPhraseTooLong, line);
    if (head.maxPhraseLength != 0 && length > head.maxPhraseLength) {
        report(kPhraseLongerThanSet, line);
        return 0;
    }
    if (head.maxPhraseLength == 0) longest = std::max(longest, length);

    const int slot = charToIndex(head.charSet, phrase);
    head.firstIndex = static_cast<uint16_t>(std::min<int>(head.firstIndex, slot));
    head.lastIndex = static_cast<uint16_t>(std::max<int>(head.lastIndex, slot));

    uint8_t words[2 * (kMaxPhraseLength - 1)];
    const int wordCount = length - 1;
    for (int w = 0; w < wordCount; ++w) {
        auto word = static_cast<uint16_t>(charToIndex(head.charSet, phrase + 2 * (w + 1)));
        if (w == wordCount - 1) word |= kLastWordBit;
        putU16BE(&words[2 * w], word);
    }
    if (isDuplicatePhrase(tosker, slot, words, wordCount)) {
        report(kDuplicatePhrase, line);
        return 0;
    }
    return appendPhrase(tosker, slot, words, wordCount);
}

}  // namespace

int parseDescriptionSection(CTosker& tosker) {
    const char* section = keyName(kKeyDescription);
    if (!seekSection(tosker.source, kKeyDescription)) return report(kSectionMissing, section);
    if (tosker.keyTable.loadSection(tosker.source.stream.get()) == 0) {
        return report(kNoKeywords, section);
    }

    const char* charSetKey = keyName(kKeyCharSet);
    const char* charSetValue = tosker.keyTable.findValue(charSetKey, false);
    if (charSetValue == nullptr) return report(kMustSetKey, charSetKey);
    tosker.head.charSet = charSetFromName(charSetValue);
    if (tosker.head.charSet == 0) return report(kInvalidCharSet, charSetValue);
    std::snprintf(tosker.databaseName, sizeof tosker.databaseName, "%s%s", kDatabaseNamePrefix,
                  charSetName(tosker.head.charSet));

    const char* lengthKey = keyName(kKeyMaxPhraseLength);
    if (const char* lengthValue = tosker.keyTable.findValue(lengthKey, false)) {
        tosker.head.maxPhraseLength = static_cast<uint16_t>(lowByteOfNumber(lengthValue));
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

int parsePhraseSection(CTosker& tosker) {
    HeadRecord& head = tosker.head;
    const int slotCount = indexCount(head.charSet);
    int longest = 0;

    if (!seekSection(tosker.source, kKeyPhrase))
        return report(kSectionMissing, keyName(kKeyPhrase));
    report(kStartPhrases, lineNumber);
    if (int rc = openPhraseStore(tosker)) return rc;

    head.firstIndex = static_cast<uint16_t>(slotCount);
    head.lastIndex = 0;
    while (readSourceLine(tosker.source.lineBuffer, kLineReadCapacity,
                          tosker.source.stream.get()) != nullptr) {
        if (int rc = takePhraseLine(tosker, longest)) return rc;
    }
    if (head.lastIndex < head.firstIndex) return report(kNoPhrases, keyName(kKeyPhrase));
    if (head.maxPhraseLength == 0) head.maxPhraseLength = static_cast<uint16_t>(longest);
    clearSpinner();
    return 0;
}
