#include "ime/source/code_table.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/desktop_tables/compact_index_set.h"
#include "foundation/text_helpers.h"
#include "foundation/utf8_source.h"
#include "ime/code_numbering.h"
#include "ime/messages.h"

namespace {

// The hash of a (code, character) pair, for the set of the pairs taken.
uint64_t pairHash(uint32_t code, DoubleByteCharacter character) {
    return (uint64_t{code} << 16 | character.packed) * 0xC2B2AE3D27D4EB4Full;
}

// The lines left in the source and its bytes left: room for one entry a
// line is taken with the first, so that the entries, the codes and the set
// of pairs seldom move while they fill. A line adds at most one code, and
// no code is longer than the bytes left.
struct TextLeft {
    std::size_t lines = 0;
    std::size_t bytes = 0;
};

// What reading the code lines needs beside the input method.
struct CodeReading {
    CodeReading(InputMethod& im, TextLeft left)
        : hzBytes(im.charSet),
          numbering(im.codes, left.lines, im.codes.size() + left.lines),
          filed(left.lines, im.entries.size() + left.bytes / 2 + 1),
          linesLeft(left.lines) {
        for (std::size_t i = 0; i < im.usedCodes.size(); ++i) {
            const auto c = static_cast<uint8_t>(im.usedCodes[i]);
            inAlphabet[c] = true;
            inCode[c] = c != '\0' && c != '\n' && !isBlank(static_cast<char>(c)) &&
                        !isLeadByte(im.charSet, c);
        }
        const std::size_t longest = static_cast<std::size_t>(std::max(im.maxCodes, 0)) + 1;
        if (im.codes.size() == 0) {
            im.codes.reserve(left.lines, std::min(left.bytes, left.lines * longest));
        }
    }
    LeadTrailBytes hzBytes;
    std::array<bool, 256> inAlphabet{};
    // The bytes of the alphabet that neither end a code nor may start a
    // double-byte character.
    std::array<bool, 256> inCode{};
    CodeNumbering numbering;
    // The (code, character) pairs taken, by their entry's place in the entries.
    CompactIndexSet filed;
    std::size_t linesLeft = 0;
};

// Takes the pair as the next entry; false when its code has the character already.
bool takePair(std::vector<CodeTableEntry>& entries, CompactIndexSet& filed, uint32_t code,
              DoubleByteCharacter character) {
    const auto next = static_cast<uint32_t>(entries.size());
    const uint32_t found = filed.insert(
        next, pairHash(code, character),
        [&](uint32_t at) { return pairHash(entries[at].code, entries[at].character); },
        [&](uint32_t at) {
            return entries[at].code == code && entries[at].character == character;
        });
    if (found != CompactIndexSet::kNone) return false;
    entries.push_back({code, static_cast<uint32_t>(lineNumber), character});
    return true;
}

// Length of the code token at `start`: up to a blank, the line end, or the
// first double-byte character.
int codeTokenLength(const LeadTrailBytes& bytes, const char* start) {
    const char* end = start;
    while (*end != '\0' && !isBlank(*end) && *end != '\n' && !bytes.startsChar(end)) ++end;
    return static_cast<int>(end - start);
}

int badCode(const char* line) {
    noteUtf8Line(line);
    return kStopStatus;
}

// Takes the characters from `text` on under the code; `lineText` gives the
// line for a message.
template <class LineText>
void takeCharacters(CMabrel& mabrel, CodeReading& reading, std::string_view code, const char* text,
                    LineText lineText) {
    std::vector<CodeTableEntry>& entries = mabrel.im.entries;
    if (entries.capacity() == 0) entries.reserve(reading.linesLeft);
    const uint32_t codeNumber = reading.numbering.numberOf(code);
    while (reading.hzBytes.startsChar(text)) {
        const DoubleByteCharacter character = DoubleByteCharacter::of(text);
        if (!takePair(entries, reading.filed, codeNumber, character)) {
            const char hzText[3] = {text[0], text[1], '\0'};
            report(kDuplicateHanZi, hzText, lineText());
        }
        text = skipBlanks(text + 2);
    }
}

int codeLine(CMabrel& mabrel, CodeReading& reading) {
    const char* line = mabrel.source.lineBuffer.c_str();
    if (isBlankLine(line)) return 0;

    const char* start = skipBlanks(line);
    const int length = codeTokenLength(reading.hzBytes, start);
    if (length == 0) {
        report(kNoCode, line);
        noteUtf8Line(line);
        return 0;
    }
    if (length > mabrel.im.maxCodes) {
        report(kCodeTooLong, line);
        return badCode(line);
    }
    for (int k = 0; k < length; ++k) {
        if (!reading.inAlphabet[static_cast<uint8_t>(start[k])]) {
            report(kCodeCharError, start[k], line);
            return badCode(line);
        }
    }
    const std::string_view code(start, static_cast<std::size_t>(length));

    const char* text = skipBlanks(start + length);
    if (!reading.hzBytes.startsChar(text)) {
        report(kNoCode, line);
        noteUtf8Line(line);
        return 0;
    }
    takeCharacters(mabrel, reading, code, text, [line] { return line; });
    return 0;
}

// Reads the next line where it stands in the text, without a copy, when it
// is a code line that codeLine would take without a message but 905: a
// code of the alphabet, at least one character, no comment. A CR LF is
// passed by where reading stops before it, so that the line reads as the
// copy with its line feed would. Returns false, having read nothing, for
// any other line.
bool readCodeLineInPlace(CMabrel& mabrel, CodeReading& reading) {
    SourceText& stream = mabrel.source.stream;
    const LeadTrailBytes& hzBytes = reading.hzBytes;
    const char* line = stream.bytes.data() + stream.position;
    const char* start = skipBlanks(line);
    if (start[0] == '/' && start[1] == '/') return false;
    const char* end = start;
    while (reading.inCode[static_cast<uint8_t>(*end)]) ++end;
    // The code must end where a line read would end it, and be one it takes.
    if (!isBlank(*end) && *end != '\n' && *end != '\0' && !hzBytes.startsChar(end)) return false;
    const auto length = static_cast<std::size_t>(end - start);
    if (length == 0 || length > static_cast<std::size_t>(mabrel.im.maxCodes)) return false;
    const char* text = skipBlanks(end);
    if (!hzBytes.startsChar(text)) return false;
    const char* rest = text;
    while (hzBytes.startsChar(rest)) rest = skipBlanks(rest + 2);
    const char* textEnd = stream.bytes.data() + stream.bytes.size();
    const char* feed = rest;
    if (*feed != '\n' && !(feed[0] == '\r' && feed[1] == '\n')) {
        feed = static_cast<const char*>(
            std::memchr(rest, '\n', static_cast<std::size_t>(textEnd - rest)));
    } else if (*feed == '\r') {
        ++feed;
    }
    const bool crLf = feed != nullptr && feed[-1] == '\r';
    if (crLf && rest >= feed) return false;

    const std::size_t at = stream.position;
    stream.position += static_cast<std::size_t>((feed != nullptr ? feed + 1 : textEnd) - line);
    ++lineNumber;
    takeCharacters(mabrel, reading, std::string_view(start, length), text, [&] {
        copyLineAt(stream, at, mabrel.source.lineBuffer);
        return mabrel.source.lineBuffer.c_str();
    });
    return true;
}

TextLeft textLeft(const SourceText& stream) {
    const std::string& bytes = stream.bytes;
    if (stream.position >= bytes.size()) return {};
    const std::size_t left = bytes.size() - stream.position;
    // The section search has counted the lines when it looked at them all.
    const SectionStarts& sections = stream.sections;
    if (sections.complete && sections.scannedLines >= lineNumber) {
        return {static_cast<std::size_t>(sections.scannedLines - lineNumber) + 1, left};
    }
    return {lineFeedsIn(std::string_view(bytes).substr(stream.position)) + 1, left};
}

int readCodeLines(CMabrel& mabrel) {
    CodeReading reading(mabrel.im, textLeft(mabrel.source.stream));
    return readLinesLeft(
        mabrel.source, [&] { return readCodeLineInPlace(mabrel, reading); },
        [&] { return codeLine(mabrel, reading); });
}

}  // namespace

int codeTextSection(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyText)) return report(kSectionMissing, keyName(kKeyText));
    report(kStartCoding, lineNumber);
    return runCodingStep([&] { return readCodeLines(mabrel); });
}

int skipPhraseSection(CMabrel& mabrel) {
    seekSection(mabrel.source, kKeyPhrase);
    return 0;
}
