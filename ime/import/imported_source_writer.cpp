#include "ime/import/imported_source_writer.h"

#include <cctype>
#include <cstdio>

#include "foundation/huge_pages.h"

namespace {

void appendKey(std::string& text, const char* key, const std::string& value) {
    if (value.empty()) return;
    text += key;
    text += '=';
    text += value;
    text += '\n';
}

// A display code as a value-list item: a letter or digit as it is, other
// ASCII as "0x" and its hexadecimal value (so that "," and "/" stay out of
// the way), a double-byte character in UTF-8.
std::string displayItem(const ValuePair& pair, TableCharacters& set) {
    if (pair.second != 0) return set.utf8Of(static_cast<uint16_t>(pair.first << 8 | pair.second));
    if (std::isalnum(pair.first)) return std::string(1, static_cast<char>(pair.first));
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", pair.first);
    return hex;
}

std::string ruleText(const CodingRule& rule) {
    std::string text = std::string("P") + rule.kind;
    text += "0123456789ABCDEF"[rule.hanZiCount];
    text += '=';
    for (std::size_t i = 0; i < rule.items.size(); ++i) {
        const CodingRuleItem& item = rule.items[i];
        if (i > 0) text += '+';
        text += item.direction;
        text += "0123456789ABCDEF"[item.hanZi];
        text += "0123456789ABCDEF"[item.code];
    }
    return text;
}

}  // namespace

std::string importedSourceText(const InputMethod& method, const DesktopTable& table,
                               const std::vector<uint32_t>& pairs, TableCharacters& set) {
    std::string text = "[Description]\nEncoding=UTF-8\n";
    appendKey(text, "CharSet", charSetName(method.charSet));
    appendKey(text, "ID", method.id);
    appendKey(text, "Name", method.name);
    appendKey(text, "FullName", method.fullName);
    appendKey(text, "Version", method.version);
    appendKey(text, "CodingStyle", std::to_string(method.codingStyle));
    appendKey(text, "MaxCodes", std::to_string(method.maxCodes));
    appendKey(text, "UsedCodes", method.usedCodes);
    if (!method.displayCodes.empty()) {
        std::string items;
        for (const ValuePair& pair : method.displayCodes) {
            if (!items.empty()) items += ',';
            items += displayItem(pair, set);
        }
        appendKey(text, "DispalyCodes", items);
    }
    if (method.wildChar != 0) appendKey(text, "WildChar", std::string(1, method.wildChar));
    text +=
        "// Keyboard pictures: KeyboardBitmap=Name.bmp, a 16-colour black and white picture\n"
        "// of 154 x 54 or 156 x 53 pixels, and KeyboardBitmapHDD=NameHDD.bmp, twice as large\n";
    if (!method.rules.empty()) {
        text += "[Rules]\n";
        for (const CodingRule& rule : method.rules) text += ruleText(rule) + '\n';
    }
    text += "[Text]\n";
    // Room for a line for each pair: more than is written, and untouched.
    std::size_t size = text.size();
    for (const uint32_t number : pairs) size += table.entries[number].codeLength + 6u;
    reserveHugePages(text, size);
    std::string_view lastCode;
    std::size_t onLine = 0;
    for (const uint32_t number : pairs) {
        const TableEntry& entry = table.entries[number];
        const std::string_view code = table.code(entry);
        if (onLine == 0 || code != lastCode || onLine == kCharactersPerLine) {
            if (onLine > 0) text += '\n';
            text += code;
            text += ' ';
            lastCode = code;
            onLine = 0;
        }
        const std::string_view character = table.text(entry);
        text += set.utf8Of(set.bytesOf(character, static_cast<int>(character.size())));
        ++onLine;
    }
    if (onLine > 0) text += '\n';
    return text;
}
