#include "ime/ime_source_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "foundation/char_sets.h"
#include "ime/bit_packing.h"
#include "ime/code_buckets.h"

namespace {

// Style-2 entries with many characters go on several lines of this many.
constexpr int kCharactersPerLine = 24;

// A line, ended by LF; one that ends in CR gets CR LF, which the reader
// turns into the LF after that CR.
void addLine(std::string& text, const std::string& line) {
    text += line;
    text += !line.empty() && line.back() == '\r' ? "\r\n" : "\n";
}

void addKey(std::string& text, const char* key, const std::string& value) {
    addLine(text, std::string(key) + "=" + value);
}

std::string fieldText(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

std::string valueList(const ValuePair* pairs, int count, TextEncoding encoding) {
    std::string list;
    for (int i = 0; i < count; ++i) {
        if (i > 0) list += ",";
        list += valueItem(pairs[i], encoding);
    }
    return list;
}

void addTexts(std::string& text, const ImeHeader& h) {
    addKey(text, "FullName", fieldText(h.fullName, sizeof h.fullName));
    addKey(text, "Name", fieldText(h.name, sizeof h.name));
    const struct {
        const char* key;
        std::string value;
    } optional[] = {{"Version", fieldText(h.versionText, sizeof h.versionText)},
                    {"Copyright", fieldText(h.copyright, sizeof h.copyright)},
                    {"Author", fieldText(h.author, sizeof h.author)}};
    for (const auto& key : optional) {
        if (!key.value.empty()) addKey(text, key.key, key.value);
    }
}

void addCoding(std::string& text, const ImeHeader& h) {
    std::string style = std::to_string(h.codingStyle);
    if (h.codingSubtype != 0) style.append(",").append(std::to_string(h.codingSubtype));
    addKey(text, "CodingStyle", style);
    if (h.codingStyle == 1) {
        addKey(text, "IndexDepth", std::to_string(h.indexDepth));
        addKey(text, "NoSort", std::to_string(h.noSort));
    }
    addKey(text, "MaxCodes", std::to_string(h.maxCodes));
    addKey(text, "UsedCodes", fieldText(h.usedCodes, sizeof h.usedCodes));
    const std::string tuneCodes = fieldText(h.tuneCodes, sizeof h.tuneCodes);
    if (h.codingStyle == 2 && !tuneCodes.empty()) addKey(text, "TuneCodes", tuneCodes);
}

void addDescription(std::string& text, const CMabrel& m, const PictureNames& pictures,
                    TextEncoding encoding) {
    const ImeHeader& h = m.header;
    addLine(text, "[Description]");
    addKey(text, "CharSet", charSetName(h.charSet));
    if (encoding == TextEncoding::kUtf8) addKey(text, "Encoding", "UTF-8");
    addKey(text, "ID", std::string(reinterpret_cast<const char*>(h.id), 4));
    addTexts(text, h);
    addCoding(text, h);
    if (!m.displayCodes.empty()) {
        addKey(text, "DispalyCodes",
               valueList(m.displayCodes.data(), static_cast<int>(m.displayCodes.size()), encoding));
    }
    if (h.wildChar != 0) addKey(text, "WildChar", std::string(1, static_cast<char>(h.wildChar)));
    if (h.codingStyle == 2 && h.separateChar != 0) {
        addKey(text, "SeparateChar", std::string(1, static_cast<char>(h.separateChar)));
    }
    if (h.autoSelectKeys != 0) {
        addKey(text, "AutoSelectKeys", std::to_string(static_cast<int16_t>(h.autoSelectKeys)));
    }
    if (m.keyboardBitmap) {
        addKey(text, "KeyboardBitmap", pictures.standard);
        if (m.keyboardBitmap->highDensity) addKey(text, "KeyboardBitmapHDD", pictures.highDensity);
    }
    addLine(text, "");
}

void addKeyMap(std::string& text, const KeyMap& keyMap, TextEncoding encoding) {
    addLine(text, "[KeyMapTable]");
    bool any = false;
    for (int r = 0; r < kKeyMapRows; ++r) {
        int count = kKeysPerRow;
        while (count > 0 && keyMap.rows[r][count - 1] == ValuePair{}) --count;
        if (count == 0) continue;
        addKey(text, std::string("Row").append(std::to_string(r + 1)).c_str(),
               valueList(keyMap.rows[r].data(), count, encoding));
        any = true;
    }
    // A key map of zeros only: one zero entry gives it without a warning.
    if (!any) addKey(text, "Row1", valueItem(ValuePair{}));
    addLine(text, "");
}

char digit(int value) {
    return "0123456789ABCDEF"[value & 0x0F];
}

void addRules(std::string& text, const std::vector<RuleRecord>& rules) {
    addLine(text, "[Rules]");
    for (const RuleRecord& rule : rules) {
        std::string line = {'P', static_cast<char>(rule.kind), digit(rule.hanZiCount), '='};
        for (std::size_t i = 0; i < rule.items.size(); ++i) {
            const RuleItem& item = rule.items[i];
            if (i > 0) line += "+";
            line += {static_cast<char>(item.direction), digit(item.hanZiNumber),
                     digit(item.codeNumber)};
        }
        addLine(text, line);
    }
    addLine(text, "");
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

std::string characterText(CharSet charSet, unsigned index) {
    char bytes[3] = {};
    indexToChar(charSet, index, bytes, sizeof bytes);
    return bytes;
}

std::string entryCode(const ImeHeader& h, const CodeTables& t, int entry) {
    const uint8_t* head = t.bits.data() + entry * h.codeHeadBytes;
    if (h.codingStyle == 2) {
        return std::string(reinterpret_cast<const char*>(head),
                           strnlen(reinterpret_cast<const char*>(head), h.codeHeadBytes));
    }
    WorkBuffer packed{};
    std::copy_n(head, h.codeHeadBytes, packed.begin());
    std::copy_n(t.bitsRest.begin() + entry * h.codeRestBytes, h.codeRestBytes,
                packed.begin() + h.codeHeadBytes);
    char code[kCodeFieldSize] = {};
    unpackCode(h, packed.data(), code);
    return code;
}

void addCodeTable(std::string& text, const ImeHeader& h, const CodeTables& t) {
    addLine(text, "[Text]");
    for (int entry = 1; entry <= entryCount(t); ++entry) {
        const std::string code = entryCode(h, t, entry);
        const int first = h.codingStyle == 2 ? t.hzInd[entry] : entry;
        const int end = h.codingStyle == 2 ? t.hzInd[entry + 1] : entry + 1;
        for (int p = first; p < end; p += kCharactersPerLine) {
            std::string line = code + " ";
            for (int q = p; q < end && q < p + kCharactersPerLine; ++q) {
                line += characterText(h.charSet, t.hzTab[q]);
            }
            addLine(text, line);
        }
    }
}

bool standsAsItself(uint8_t byte) {
    return byte != 0 && byte != ' ' && byte != '\t' && byte != '\n' && byte != '\r' && byte != ',';
}

// A single byte: UTF-8 text holds none above 0x7F.
bool standsAlone(uint8_t byte, TextEncoding encoding) {
    return standsAsItself(byte) && (encoding == TextEncoding::kCharSet || byte < 0x80);
}

}  // namespace

std::string valueItem(const ValuePair& pair, TextEncoding encoding) {
    if (pair.second == 0) {
        if (standsAlone(pair.first, encoding)) return std::string(1, static_cast<char>(pair.first));
        char hex[5];
        std::snprintf(hex, sizeof hex, "0x%02X", pair.first);
        return hex;
    }
    if (!standsAsItself(pair.first) || !standsAsItself(pair.second) ||
        (pair.first == '/' && pair.second == '/')) {
        return {};
    }
    return {static_cast<char>(pair.first), static_cast<char>(pair.second)};
}

std::string writeImeSource(const CMabrel& mabrel, const PictureNames& pictures,
                           TextEncoding encoding) {
    std::string text;
    addDescription(text, mabrel, pictures, encoding);
    if (mabrel.keyMap) addKeyMap(text, *mabrel.keyMap, encoding);
    if (!mabrel.rules.empty()) addRules(text, mabrel.rules);
    if (!mabrel.helpText.empty()) addHelp(text, mabrel.helpText);
    addCodeTable(text, mabrel.header, mabrel.tables);
    return text;
}
