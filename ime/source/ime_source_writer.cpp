#include "ime/source/ime_source_writer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "foundation/char_sets.h"
#include "foundation/huge_pages.h"
#include "foundation/text_encoding.h"

namespace {

// A line, ended by LF; one that ends in CR gets CR LF, which the reader
// turns into the LF after that CR.
void addLine(std::string& text, const std::string& line) {
    text += line;
    text += !line.empty() && line.back() == '\r' ? "\r\n" : "\n";
}

void addKey(std::string& text, const char* key, const std::string& value) {
    addLine(text, std::string(key) + "=" + value);
}

std::string valueList(const ValuePair* pairs, int count, TextEncoding encoding) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0) list += ",";
        list += valueItem(pairs[i], encoding);
    }
    return list;
}

void addTexts(std::string& text, const InputMethod& im) {
    addKey(text, "FullName", im.fullName);
    addKey(text, "Name", im.name);
    const struct {
        const char* key;
        const std::string& value;
    } optional[] = {{"Version", im.version}, {"Copyright", im.copyright}, {"Author", im.author}};
    for (const auto& key : optional) {
        if (!key.value.empty()) addKey(text, key.key, key.value);
    }
}

void addCoding(std::string& text, const InputMethod& im) {
    std::string style = std::to_string(im.codingStyle);
    if (im.codingSubtype != 0) style.append(",").append(std::to_string(im.codingSubtype));
    addKey(text, "CodingStyle", style);
    if (im.codingStyle == 1) {
        addKey(text, "IndexDepth", std::to_string(im.indexDepth));
        addKey(text, "NoSort", im.noSort ? "1" : "0");
    }
    addKey(text, "MaxCodes", std::to_string(im.maxCodes));
    addKey(text, "UsedCodes", im.usedCodes);
    if (im.codingStyle == 2 && !im.tuneCodes.empty()) addKey(text, "TuneCodes", im.tuneCodes);
}

// A key whose value is a file name, and where the name stands.
void addFileNameKey(std::string& text, const char* key, const std::string& name,
                    std::vector<KeptBytes>* fileNames) {
    const std::size_t at = text.size() + std::strlen(key) + 1;
    addKey(text, key, name);
    if (fileNames != nullptr) fileNames->push_back({at, name.size()});
}

void addDescription(std::string& text, const InputMethod& im, const PictureNames& pictures,
                    TextEncoding encoding, std::vector<KeptBytes>* fileNames) {
    addLine(text, "[Description]");
    addKey(text, "CharSet", charSetName(im.charSet));
    if (encoding == TextEncoding::kUtf8) addKey(text, "Encoding", "UTF-8");
    addKey(text, "ID", im.id);
    addTexts(text, im);
    addCoding(text, im);
    if (!im.displayCodes.empty()) {
        addKey(
            text, "DispalyCodes",
            valueList(im.displayCodes.data(), static_cast<int>(im.displayCodes.size()), encoding));
    }
    if (im.wildChar != 0) addKey(text, "WildChar", std::string(1, im.wildChar));
    if (im.codingStyle == 2 && im.separateChar != 0) {
        addKey(text, "SeparateChar", std::string(1, im.separateChar));
    }
    if (im.autoSelectKeys != 0) addKey(text, "AutoSelectKeys", std::to_string(im.autoSelectKeys));
    if (im.keyboard) {
        addFileNameKey(text, "KeyboardBitmap", pictures.standard, fileNames);
        if (im.keyboard->highDensity) {
            addFileNameKey(text, "KeyboardBitmapHDD", pictures.highDensity, fileNames);
        }
    }
    addLine(text, "");
}

void addKeyMap(std::string& text, const KeyMapRows& keyMap, TextEncoding encoding) {
    addLine(text, "[KeyMapTable]");
    bool any = false;
    for (int r = 0; r < kKeyMapRowCount; ++r) {
        int count = kKeyMapRowKeys;
        while (count > 0 && keyMap[r][count - 1] == ValuePair{}) --count;
        if (count == 0) continue;
        addKey(text, std::string("Row").append(std::to_string(r + 1)).c_str(),
               valueList(keyMap[r].data(), count, encoding));
        any = true;
    }
    // A key map of zeros only: one zero entry gives it without a warning.
    if (!any) addKey(text, "Row1", valueItem(ValuePair{}));
    addLine(text, "");
}

char digit(int value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

void addRules(std::string& text, const std::vector<CodingRule>& rules) {
    addLine(text, "[Rules]");
    for (const CodingRule& rule : rules) {
        std::string line = {'P', rule.kind, digit(rule.hanZiCount), '='};
        for (std::size_t i = 0; i < rule.items.size(); ++i) {
            const CodingRuleItem& item = rule.items[i];
            if (i > 0) line += "+";
            line += {item.direction, digit(item.hanZi), digit(item.code)};
        }
        addLine(text, line);
    }
}

// A single byte as "0x" and two hexadecimal digits.
std::string hexItem(uint8_t byte) {
    char hex[5];
    std::snprintf(hex, sizeof hex, "0x%02X", byte);
    return hex;
}

// A display code of an import: a letter or digit as it is, other ASCII as
// "0x" and its hexadecimal value (so that "," and "/" stay out of the way),
// a double-byte character as its bytes.
std::string importedDisplayItem(const ValuePair& pair) {
    if (pair.second != 0) return {static_cast<char>(pair.first), static_cast<char>(pair.second)};
    if (std::isalnum(pair.first)) return std::string(1, static_cast<char>(pair.first));
    return hexItem(pair.first);
}

void addKeyIfSaid(std::string& text, const char* key, const std::string& value) {
    if (!value.empty()) addKey(text, key, value);
}

// The coding an import takes: the style, and what it says beside the style
// where the table carries it.
void addImportedCoding(std::string& text, const InputMethod& im) {
    std::string style = std::to_string(im.codingStyle);
    if (im.codingSubtype != 0) style.append(",").append(std::to_string(im.codingSubtype));
    addKey(text, "CodingStyle", style);
    if (im.codingStyle == 1 && (im.indexDepth != 2 || im.noSort)) {
        addKey(text, "IndexDepth", std::to_string(im.indexDepth));
        addKey(text, "NoSort", im.noSort ? "1" : "0");
    }
    addKey(text, "MaxCodes", std::to_string(im.maxCodes));
}

void addImportedDescription(std::string& text, const InputMethod& im) {
    addLine(text, "[Description]");
    addKey(text, "Encoding", "UTF-8");
    addKey(text, "CharSet", charSetName(im.charSet));
    addKeyIfSaid(text, "ID", im.id);
    addKeyIfSaid(text, "Name", im.name);
    addKeyIfSaid(text, "FullName", im.fullName);
    addKeyIfSaid(text, "Version", im.version);
    addImportedCoding(text, im);
    addKeyIfSaid(text, "UsedCodes", im.usedCodes);
    std::string displays;
    for (const ValuePair& pair : im.displayCodes) {
        if (!displays.empty()) displays += ',';
        displays += importedDisplayItem(pair);
    }
    addKeyIfSaid(text, "DispalyCodes", displays);
    if (im.wildChar != 0) addKey(text, "WildChar", std::string(1, im.wildChar));
}

void addHelp(std::string& text, const std::string& help) {
    addLine(text, "[Help]");
    std::size_t start = 0;
    while (start < help.size()) {
        std::size_t end = help.find('\n', start);
        if (end == std::string::npos) end = help.size();
        addLine(text, help.substr(start, end - start));
        start = end + 1;
    }
}

// The characters of a code table in UTF-8, each converted once.
class Utf8Characters {
  public:
    explicit Utf8Characters(CharSet charSet) : converter_(charSet) {}
    void append(DoubleByteCharacter character, std::string& text) {
        auto [found, added] = known_.try_emplace(character.packed);
        if (added) {
            std::string bytes;
            character.appendTo(bytes);
            found->second = converter_.toUtf8(bytes);
        }
        text += found->second;
    }

  private:
    CharSetConverter converter_;
    std::unordered_map<uint16_t, std::string> known_;
};

// The pairs of one code and one line together, at most 24 a line; the
// characters in UTF-8 when `utf8` is given, else in the CharSet's bytes.
void addCodeTable(std::string& text, const InputMethod& im, Utf8Characters* utf8) {
    addLine(text, "[Text]");
    const std::vector<CodeTableEntry>& entries = im.entries;
    // Room for a line for each pair: more than is written, and untouched.
    std::size_t size = text.size();
    for (const CodeTableEntry& entry : entries) size += im.codes[entry.code].size() + 6;
    reserveHugePages(text, size);
    for (std::size_t p = 0; p < entries.size();) {
        std::string line(im.codes[entries[p].code]);
        line += ' ';
        const std::size_t end = std::min(entries.size(), p + kCharactersPerLine);
        std::size_t q = p;
        do {
            if (utf8 != nullptr) {
                utf8->append(entries[q].character, line);
            } else {
                entries[q].character.appendTo(line);
            }
            ++q;
        } while (q < end && entries[q].code == entries[p].code &&
                 entries[q].line == entries[p].line);
        addLine(text, line);
        p = q;
    }
}

// A single byte: UTF-8 text holds none above 0x7F.
bool standsAlone(uint8_t byte, TextEncoding encoding) {
    return standsInValueList(byte) && (encoding == TextEncoding::kCharSet || byte < 0x80);
}

}  // namespace

std::string valueItem(const ValuePair& pair, TextEncoding encoding) {
    if (pair.second == 0) {
        if (standsAlone(pair.first, encoding)) return std::string(1, static_cast<char>(pair.first));
        return hexItem(pair.first);
    }
    if (!pairStandsInValueList(pair)) return {};
    return {static_cast<char>(pair.first), static_cast<char>(pair.second)};
}

std::string writeImeSource(const InputMethod& im, const PictureNames& pictures,
                           TextEncoding encoding, std::vector<KeptBytes>* fileNames,
                           SourceForm form) {
    std::string text;
    if (form == SourceForm::kImport) {
        addImportedDescription(text, im);
        text = CharSetConverter(im.charSet).textToUtf8(text);
        // The pictures' names are the file system's, kept as they are.
        if (im.keyboard) {
            addKey(text, "KeyboardBitmap", pictures.standard);
            if (im.keyboard->highDensity) addKey(text, "KeyboardBitmapHDD", pictures.highDensity);
        }
        if (!im.rules.empty()) addRules(text, im.rules);
        Utf8Characters utf8(im.charSet);
        addCodeTable(text, im, &utf8);
        return text;
    }
    addDescription(text, im, pictures, encoding, fileNames);
    if (im.keyMap) addKeyMap(text, *im.keyMap, encoding);
    if (!im.rules.empty()) {
        addRules(text, im.rules);
        addLine(text, "");
    }
    if (!im.helpText.empty()) addHelp(text, im.helpText);
    addCodeTable(text, im, nullptr);
    return text;
}
