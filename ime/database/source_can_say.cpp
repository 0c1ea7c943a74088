#include "ime/database/source_can_say.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <string_view>

#include "foundation/char_sets.h"
#include "foundation/diagnostics.h"
#include "foundation/key_table.h"
#include "foundation/text_helpers.h"
#include "ime/input_method_limits.h"
#include "ime/messages.h"

namespace {

bool opensComment(std::string_view text, std::size_t at) {
    return text.substr(at, 2) == "//";
}

std::string_view withoutLeadingBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

// A key's value read as a token: up to a blank, a zero byte, the line end
// or a comment.
std::string_view tokenOf(std::string_view value) {
    value = withoutLeadingBlanks(value);
    std::size_t end = 0;
    while (end < value.size() && value[end] != '\0' && value[end] != '\n' && !isBlank(value[end]) &&
           !opensComment(value, end)) {
        ++end;
    }
    return value.substr(0, end);
}

// A key's value read to the end of its line: up to a comment, trailing
// blanks dropped.
std::string_view lineValueOf(std::string_view value) {
    value = withoutLeadingBlanks(value);
    std::size_t end = 0;
    while (end < value.size() && value[end] != '\n' && !opensComment(value, end)) ++end;
    while (end > 0 && isBlank(value[end - 1])) --end;
    return value.substr(0, end);
}

// The [Description] section as written has at most this many key lines; the
// section may hold kMaxKeyLines - 1.
constexpr int kDescriptionLinesWritten = 17;

// The lines that line feeds in the texts add to [Description]: each must be
// one the section passes over (blank, a comment, or no key and no section
// header), and together they must leave room in the key table.
bool addedLinesPassOver(const std::string_view (&texts)[8]) {
    int added = 0;
    for (std::string_view text : texts) {
        for (std::size_t feed = text.find('\n'); feed != std::string_view::npos;
             feed = text.find('\n')) {
            text.remove_prefix(feed + 1);
            const std::string_view line = withoutLeadingBlanks(text.substr(0, text.find('\n')));
            if (line.empty() || opensComment(line, 0)) continue;
            if (line.front() == '[' || line.find('=') != std::string_view::npos) return false;
            ++added;
        }
    }
    return kDescriptionLinesWritten + added < kMaxKeyLines;
}

// "WildChar" and "SeparateChar": none (a blank or a line end is a key without
// a value), or one printable ASCII character.
bool isSingleCharValue(char c) {
    const auto byte = static_cast<uint8_t>(c);
    return byte == 0 || (byte >= 0x21 && byte <= 0x7E) || tokenOf(std::string_view(&c, 1)).empty();
}

// The items of a display-code list read back up to the first that cannot be
// written; all of them or none (the key then has no value) is a list the
// compile takes.
bool displayCodesReadBack(const std::vector<ValuePair>& codes) {
    const auto written = [](const ValuePair& pair) {
        return pair.second == 0 || pairStandsInValueList(pair);
    };
    const auto firstUnwritten = std::find_if_not(codes.begin(), codes.end(), written);
    return firstUnwritten == codes.end() || firstUnwritten == codes.begin();
}

bool descriptionCanBeSaid(const InputMethod& im) {
    const std::string_view texts[] = {im.id,        im.fullName, im.name,      im.version,
                                      im.copyright, im.author,   im.usedCodes, im.tuneCodes};
    if (!addedLinesPassOver(texts)) return false;
    if (tokenOf(im.id).size() != kIdLength || tokenOf(im.usedCodes) != im.usedCodes) return false;
    if (lineValueOf(im.fullName).empty() || lineValueOf(im.name).empty()) return false;
    if (im.codingStyle == 2) {
        for (const char c : tokenOf(im.tuneCodes)) {
            if (im.usedCodes.find(c) == std::string::npos) return false;
        }
        if (!isSingleCharValue(im.separateChar)) return false;
    }
    return isSingleCharValue(im.wildChar) && displayCodesReadBack(im.displayCodes);
}

char hexDigit(int value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

// What a rule's line says to the compile: a rule, nothing (a line without
// a value is passed over), or something that stops it.
enum class RuleLine { kRule, kPassedOver, kFault };

// The rule that the line written for `rule` reads back as, into `read`: its
// value up to a zero byte, a line end or a comment, in capitals, each number
// one hexadecimal digit.
RuleLine readRuleBack(const CodingRule& rule, int codingStyle, CodingRule& read) {
    std::string value;
    for (const CodingRuleItem& item : rule.items) {
        if (!value.empty()) value += '+';
        value += {item.direction, hexDigit(item.hanZi), hexDigit(item.code)};
    }
    value = lineValueOf(std::string_view(value.c_str()));
    if (value.empty()) return RuleLine::kPassedOver;
    read = {static_cast<char>(std::toupper(static_cast<uint8_t>(rule.kind))),
            rule.hanZiCount & 0x0F,
            {}};
    if ((read.kind != 'A' && read.kind != 'E') || read.hanZiCount < 2) return RuleLine::kFault;
    for (const std::string& item : splitItems(upperCopy(value.c_str()), '+')) {
        if (read.items.size() == static_cast<std::size_t>(kMaxRuleItems) || item.size() != 3 ||
            (item[0] != 'F' && item[0] != 'B')) {
            return RuleLine::kFault;
        }
        const int hanZi = hexDigitValue(item[1]);
        const int code = hexDigitValue(item[2]);
        if (hanZi < 1 || hanZi > read.hanZiCount || (codingStyle == 1) != (code != 0)) {
            return RuleLine::kFault;
        }
        read.items.push_back({item[0], hanZi, code});
    }
    return read.items.size() < 2 ? RuleLine::kFault : RuleLine::kRule;
}

// At least one rule read back, none of them twice.
bool rulesCanBeSaid(const InputMethod& im) {
    if (im.rules.empty()) return true;
    if (im.rules.size() > static_cast<std::size_t>(kMaxRules)) return false;
    std::vector<CodingRule> read;
    for (const CodingRule& rule : im.rules) {
        CodingRule back;
        const RuleLine line = readRuleBack(rule, im.codingStyle, back);
        if (line == RuleLine::kFault || std::find(read.begin(), read.end(), back) != read.end()) {
            return false;
        }
        if (line == RuleLine::kRule) read.push_back(std::move(back));
    }
    return !read.empty();
}

bool opensSectionNamed(std::string_view line, int sectionKey) {
    const char* name = keyName(sectionKey);
    const std::size_t length = std::strlen(name);
    line = withoutLeadingBlanks(line);
    return line.size() >= length && startsWithIgnoringCase(line.data(), name, length);
}

// A help line that opens [Text], or a section the source does not write
// before it, would be read as that section.
bool helpCanBeSaid(const InputMethod& im) {
    std::string_view help = im.helpText;
    while (!help.empty()) {
        const std::size_t end = std::min(help.find('\n'), help.size());
        const std::string_view line = help.substr(0, end);
        if (opensSectionNamed(line, kKeyText) ||
            (im.rules.empty() && opensSectionNamed(line, kKeyRules)) ||
            (!im.keyMap && opensSectionNamed(line, kKeyKeyMapTable))) {
            return false;
        }
        help.remove_prefix(std::min(end + 1, help.size()));
    }
    return true;
}

// Every code is read back whole from a [Text] line: keys of UsedCodes, at
// most MaxCodes of them, none of which starts a double-byte character with
// the byte after it, and no comment; every character is one of the CharSet.
bool codeTableCanBeSaid(const InputMethod& im) {
    const LeadTrailBytes bytes(static_cast<CharSet>(im.charSet));
    std::array<bool, 256> isKey{};
    for (const char c : im.usedCodes) isKey[static_cast<uint8_t>(c)] = true;
    for (uint32_t number = 0; number < im.codes.size(); ++number) {
        const std::string line = std::string(im.codes[number]) + ' ';
        const std::size_t length = line.size() - 1;
        if (length == 0 || length > static_cast<std::size_t>(im.maxCodes) ||
            opensComment(line, 0)) {
            return false;
        }
        for (std::size_t k = 0; k < length; ++k) {
            if (!isKey[static_cast<uint8_t>(line[k])] || bytes.startsChar(line.c_str() + k)) {
                return false;
            }
        }
    }
    return std::all_of(im.entries.begin(), im.entries.end(), [&](const CodeTableEntry& entry) {
        return bytes.startsChar(entry.character.bytes().data());
    });
}

}  // namespace

bool sourceCanSay(const InputMethod& im) {
    return descriptionCanBeSaid(im) && rulesCanBeSaid(im) && helpCanBeSaid(im) &&
           codeTableCanBeSaid(im);
}
