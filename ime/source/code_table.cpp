#include "ime/source/code_table.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/text_helpers.h"
#include "foundation/utf8_source.h"
#include "ime/code_numbering.h"
#include "ime/messages.h"
#include "ime/source/coded_pair_set.h"

namespace {

// What reading the code lines needs beside the input method.
struct CodeReading {
    CodeReading(InputMethod& im, std::size_t lines)
        : hzBytes(im.charSet), numbering(im.codes, lines), linesLeft(lines) {
        for (std::size_t i = 0; i < im.usedCodes.size(); ++i) {
            inAlphabet[static_cast<uint8_t>(im.usedCodes[i])] = true;
        }
    }
    LeadTrailBytes hzBytes;
    std::array<bool, 256> inAlphabet{};
    CodedPairSet filed;  // the (code, character) pairs taken
    CodeNumbering numbering;
    std::size_t linesLeft = 0;
};

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
    std::vector<CodeTableEntry>& entries = mabrel.im.entries;
    if (entries.capacity() == 0) entries.reserve(reading.linesLeft);
    const uint32_t codeNumber = reading.numbering.numberOf(code);
    while (reading.hzBytes.startsChar(text)) {
        const DoubleByteCharacter character = DoubleByteCharacter::of(text);
        if (reading.filed.insert(codeNumber, character)) {
            entries.push_back({codeNumber, static_cast<uint32_t>(lineNumber), character});
        } else {
            const char hzText[3] = {text[0], text[1], '\0'};
            report(kDuplicateHanZi, hzText, line);
        }
        text = skipBlanks(text + 2);
    }
    return 0;
}

// The lines left in the source: room for one entry each is taken with the
// first, so that the entries and the pair set seldom move while they fill.
std::size_t linesLeft(const SourceText& stream) {
    const std::string& bytes = stream.bytes;
    if (stream.position >= bytes.size()) return 0;
    return static_cast<std::size_t>(std::count(
               bytes.begin() + static_cast<std::ptrdiff_t>(stream.position), bytes.end(), '\n')) +
           1;
}

int readCodeLines(CMabrel& mabrel) {
    CodeReading reading(mabrel.im, linesLeft(mabrel.source.stream));
    reading.filed.expect(reading.linesLeft);
    while (readSourceLine(mabrel.source.lineBuffer, mabrel.source.stream) != nullptr) {
        if (int rc = codeLine(mabrel, reading)) return rc;
    }
    return 0;
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
