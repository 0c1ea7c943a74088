#include "foundation/utf8_source.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/common_messages.h"
#include "foundation/key_table.h"
#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"
#include "foundation/unknown_keys.h"

namespace {

constexpr int kWarnedCharacters = 10;
const SectionUse kUnread = {-1, LineUse::kRead, false, false};

// Once a run: the note, whether the source began with a byte-order mark, and
// the conversion of a source read as UTF-8 (then its lines are the CharSet's
// bytes and no note is due; messages quote them in UTF-8 again).
bool noted = false;
bool sourceWasMarked = false;
std::unique_ptr<CharSetConverter> sourceConverter;

struct Look {
    bool encodingGiven = false;
    bool encodingUtf8 = false;
    CharSet charSet = 0;
};

// The "Encoding" and "CharSet" keys of "[Description]", read without a word;
// the reader is left as it was.
Look lookAtDescription(SourceReader& reader, int descriptionId) {
    QuietReports quiet;
    const std::size_t position = reader.stream.position;
    const std::string line = reader.lineBuffer;
    CKeyTable keys;
    Look look;
    if (seekSection(reader, descriptionId) && keys.loadSection(reader.stream) != 0) {
        const char* encoding = keys.findValue(kEncodingKey, false);
        look.encodingGiven = encoding != nullptr;
        look.encodingUtf8 = encoding != nullptr && namesUtf8(encoding);
        const char* charSet = keys.findValue("CharSet", false);
        if (charSet != nullptr) look.charSet = charSetFromName(charSet);
    }
    reader.stream.position = position;
    reader.lineBuffer = line;
    return look;
}

// A text that says nothing of its encoding and looks like UTF-8 is UTF-8 when
// every character it holds can be written in the CharSet.
bool readsAsUtf8(const std::string& bytes, CharSetConverter& converter) {
    for (std::size_t at = 0; at < bytes.size();) {
        const auto length =
            static_cast<std::size_t>(utf8Length(std::string_view(bytes).substr(at)));
        if (length > 1 && converter.fromUtf8(bytes.substr(at, length)).empty()) return false;
        at += length;
    }
    return true;
}

// A message's text with the source's quoted bytes in UTF-8 again.
std::string quoteInUtf8(std::string_view text) {
    return sourceConverter->textToUtf8(text);
}

std::vector<std::string> physicalLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        end = end == std::string::npos ? bytes.size() : end + 1;
        lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return lines;
}

bool isComment(const std::string& line) {
    const char* text = skipBlanks(line.c_str());
    return text[0] == '/' && text[1] == '/';
}

// The section of every line, as the passes find them: each section from
// the first line that starts with its name, to the next section header or,
// for a section that runs to the end, to the end.
struct LineSection {
    const SectionUse* section;
    bool header;  // the line the section is found at, which no pass reads further
};

std::vector<LineSection> sectionsOfLines(const std::vector<std::string>& lines,
                                         std::span<const SectionUse> sections) {
    std::vector<LineSection> of(lines.size(), {&kUnread, false});
    std::vector<int> headers(lines.size(), -1);
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const char* name = keyName(sections[s].sectionId);
        const std::size_t length = std::char_traits<char>::length(name);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!isComment(lines[i]) &&
                startsWithIgnoringCase(skipBlanks(lines[i].c_str()), name, length)) {
                headers[i] = static_cast<int>(s);
                break;
            }
        }
    }
    const SectionUse* current = &kUnread;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (headers[i] >= 0) {
            current = &sections[static_cast<std::size_t>(headers[i])];
        } else if (!current->toTheEnd && isSectionHeader(lines[i].c_str())) {
            current = &kUnread;
        }
        of[i] = {current, headers[i] >= 0};
    }
    return of;
}

// Where the passes stop reading a line: a key line at the "//" after its
// "=", a phrase line at the first blank after the phrase.
std::size_t readEnd(const std::string& line, LineUse use) {
    constexpr std::size_t kNone = std::string::npos;
    if (use == LineUse::kKeys) {
        const std::size_t equals = line.find('=');
        return equals == kNone ? kNone : line.find("//", equals + 1);
    }
    if (use == LineUse::kPhrases) {
        const std::size_t phrase = line.find_first_not_of(" \t");
        return phrase == kNone ? kNone : line.find_first_of(" \t\n", phrase);
    }
    return kNone;
}

// The bytes of a line that the file-name keys' values take: from the "="
// to where the reading stops; none for any other line.
struct Span {
    std::size_t begin = 0;
    std::size_t end = 0;
};

Span fileNameValue(const std::string& line, std::span<const int> keys) {
    const std::optional<std::string> name = keyLineName(line.c_str());
    const auto names = [&](int id) { return equalsIgnoringCase(name->c_str(), keyName(id)); };
    if (!name || std::none_of(keys.begin(), keys.end(), names)) return {};
    return {line.find('=') + 1, std::min(readEnd(line, LineUse::kKeys), line.size())};
}

// What a character the CharSet cannot write does where it stands.
enum class Part {
    kRead,    // a pass reads it: the run stops
    kListed,  // one of a code line's characters: it alone is left out
    kWhole,   // in a code or a phrase: the line is left out
    kUnread,  // no pass reads it: dropped without a word
};

// A code line as the reading walks it: blanks, the code (up to a blank or a
// double-byte character), then characters and the blanks between them, up
// to the first other character, after which nothing is read.
class CodeLineWalk {
  public:
    // The part of the character whose bytes in the CharSet are `bytes`
    // (none when it has none).
    Part take(const std::string& bytes) {
        const bool blank = bytes.size() == 1 && (isBlank(bytes[0]) || bytes[0] == '\n');
        const bool character = bytes.size() == 2;
        switch (step_) {
            case Step::kBlanks:
                if (!blank) step_ = character ? Step::kCharacters : Step::kCode;
                break;
            case Step::kCode:
                if (blank || character) step_ = Step::kCharacters;
                break;
            case Step::kCharacters:
                if (!blank && !character && !bytes.empty()) step_ = Step::kAfter;
                break;
            case Step::kAfter:
                break;
        }
        if (step_ == Step::kCode) return Part::kWhole;
        return step_ == Step::kAfter ? Part::kUnread : Part::kListed;
    }
    bool inCharacters() const { return step_ == Step::kCharacters; }

  private:
    enum class Step { kBlanks, kCode, kCharacters, kAfter };
    Step step_ = Step::kBlanks;
};

class LineConverter {
  public:
    LineConverter(CharSet charSet, const Utf8Reading& reading, int noSection)
        : charSet_(charSet), converter_(charSet), reading_(reading), noSection_(noSection) {}

    // Converts one line; 0, or 907 or 908 after reporting it.
    int convert(const std::string& line, const SectionUse& section, int number, bool header,
                std::string& out);
    void reportSummary() const {
        if (leftOut_ > 0) report(reading_.summary, leftOut_, charSetName(charSet_));
    }

  private:
    int reportAt(const SectionUse& section, int number, const Message& message,
                 const std::string& character);

    CharSet charSet_;
    CharSetConverter converter_;
    const Utf8Reading& reading_;
    int noSection_;
    int leftOut_ = 0;
};

int LineConverter::reportAt(const SectionUse& section, int number, const Message& message,
                            const std::string& character) {
    lineNumber = number;
    currentSection = section.sectionId >= 0 ? section.sectionId : noSection_;
    if (message.code == kNotUtf8.code) return report(message);
    return report(message, character.c_str(), charSetName(charSet_));
}

int LineConverter::convert(const std::string& line, const SectionUse& section, int number,
                           bool header, std::string& out) {
    const bool silent =
        header || section.sectionId < 0 || (isComment(line) && !section.readsComments);
    const LineUse use = section.use;
    const std::size_t end = silent ? 0 : readEnd(line, use);
    const Span asWritten = section.sectionId == reading_.descriptionId
                               ? fileNameValue(line, reading_.fileNameKeys)
                               : Span{};
    CodeLineWalk walk;
    std::string converted;
    bool dropped = false;
    bool wholeLine = false;
    bool keptCharacter = false;
    for (std::size_t at = 0; at < line.size();) {
        const int length = utf8Length(std::string_view(line).substr(at));
        if (length == 0) return reportAt(section, number, kNotUtf8, {});
        const std::string character = line.substr(at, static_cast<std::size_t>(length));
        const bool fileName = at >= asWritten.begin && at < asWritten.end;
        const bool unread = at >= end;
        at += static_cast<std::size_t>(length);
        if (fileName) {
            converted += character;
            continue;
        }
        const std::string bytes = converter_.fromUtf8(character);
        Part part = unread ? Part::kUnread : Part::kRead;
        if (use == LineUse::kCodes) part = walk.take(bytes);
        if (use == LineUse::kPhrases && !unread) part = Part::kWhole;
        if (!bytes.empty()) {
            converted += bytes;
            keptCharacter = keptCharacter || (length > 1 && walk.inCharacters());
            continue;
        }
        if (silent || part == Part::kUnread) continue;
        if (part == Part::kRead) return reportAt(section, number, kCannotWrite, character);
        if (leftOut_++ < kWarnedCharacters) reportAt(section, number, reading_.leftOut, character);
        dropped = true;
        wholeLine = part == Part::kWhole;
        if (wholeLine) break;
    }
    if (wholeLine || (dropped && !keptCharacter)) {
        converted.clear();
        if (line.ends_with('\n')) converted.push_back('\n');
    }
    out += converted;
    return 0;
}

}  // namespace

bool namesUtf8(const char* encoding) {
    return equalsIgnoringCase(encoding, "UTF-8") || equalsIgnoringCase(encoding, "UTF8");
}

int readUtf8Source(SourceReader& reader, const Utf8Reading& reading) {
    const std::string& bytes = reader.stream.bytes;
    const bool marked = bytes.starts_with(kUtf8ByteOrderMark);
    sourceWasMarked = marked;
    if (marked) reader.stream = SourceText{bytes.substr(kUtf8ByteOrderMark.size())};
    const Look look = lookAtDescription(reader, reading.descriptionId);
    if (look.charSet == 0 || (look.encodingGiven && !look.encodingUtf8)) return 0;
    // Most sources are in their CharSet: the conversion is opened only for a
    // text that could be UTF-8.
    if (!marked && !look.encodingGiven) {
        if (!looksLikeUtf8(bytes)) return 0;
        CharSetConverter converter(look.charSet);
        if (!readsAsUtf8(bytes, converter)) return 0;
    }

    const std::vector<std::string> lines = physicalLines(bytes);
    const std::vector<LineSection> sections = sectionsOfLines(lines, reading.sections);
    const int savedLine = lineNumber;
    const int savedSection = currentSection;
    LineConverter converter(look.charSet, reading, savedSection);
    std::string converted;
    converted.reserve(bytes.size());
    int rc = 0;
    for (std::size_t i = 0; i < lines.size() && rc == 0; ++i) {
        rc = converter.convert(lines[i], *sections[i].section, static_cast<int>(i) + 1,
                               sections[i].header, converted);
    }
    if (rc == 0) converter.reportSummary();
    lineNumber = savedLine;
    currentSection = savedSection;
    if (rc != 0) return rc;
    reader.stream = SourceText{std::move(converted)};
    sourceConverter = std::make_unique<CharSetConverter>(look.charSet);
    quoteSourceWith(quoteInUtf8);
    return 0;
}

bool sourceReadAsUtf8() {
    return sourceConverter != nullptr;
}

int checkEncoding(const char* value, CharSet charSet) {
    if (value == nullptr || namesUtf8(value)) return 0;
    const char* own = charSetName(charSet);
    if (!sourceWasMarked && own != nullptr && equalsIgnoringCase(value, own)) return 0;
    return report(kInvalidEncoding, kEncodingKey, value);
}

void noteUtf8Line(const char* line) {
    if (noted || sourceConverter != nullptr || !looksLikeUtf8(line)) return;
    noted = true;
    report(kUtf8Note);
}
