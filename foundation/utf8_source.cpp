#include "foundation/utf8_source.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/common_messages.h"
#include "foundation/key_table.h"
#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"

namespace {

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";
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

// A text that says nothing of its encoding is UTF-8 when it looks like UTF-8
// and every character it holds can be written in the CharSet.
bool readsAsUtf8(const std::string& bytes, CharSetConverter& converter) {
    if (!looksLikeUtf8(bytes)) return false;
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
    std::string converted;
    bool dropped = false;
    bool keptCharacter = false;
    for (std::size_t at = 0; at < line.size();) {
        const int length = utf8Length(std::string_view(line).substr(at));
        if (length == 0) return reportAt(section, number, kNotUtf8, {});
        const std::string character = line.substr(at, static_cast<std::size_t>(length));
        at += static_cast<std::size_t>(length);
        const std::string bytes = converter_.fromUtf8(character);
        if (!bytes.empty()) {
            converted += bytes;
            keptCharacter = keptCharacter || length > 1;
            continue;
        }
        if (silent) continue;
        if (use == LineUse::kRead) return reportAt(section, number, kCannotWrite, character);
        if (use == LineUse::kPhrases && dropped) continue;
        if (leftOut_++ < kWarnedCharacters) reportAt(section, number, reading_.leftOut, character);
        dropped = true;
    }
    if (dropped && (use == LineUse::kPhrases || !keptCharacter)) {
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
    const bool marked = bytes.starts_with(kByteOrderMark);
    sourceWasMarked = marked;
    if (marked) reader.stream = SourceText{bytes.substr(sizeof kByteOrderMark - 1)};
    const Look look = lookAtDescription(reader, reading.descriptionId);
    if (look.charSet == 0 || (look.encodingGiven && !look.encodingUtf8)) return 0;
    if (!marked && !look.encodingGiven) {
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
