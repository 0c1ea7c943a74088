#include "ime/export/export_table.h"

#include <algorithm>

#include "foundation/desktop_tables/exported_coding.h"
#include "foundation/double_byte_character.h"
#include "foundation/left_out_list.h"
#include "foundation/text_encoding.h"
#include "ime/export/phrase_coder.h"

namespace {

// The UTF-8 form of each character index, asked once.
class ExportedCharacters {
  public:
    explicit ExportedCharacters(CharSet charSet)
        : converter_(charSet), bytes_(charSet), forms_(bytes_.count()), asked_(bytes_.count()) {}

    // Empty when the character has no UTF-8 form.
    const std::string& of(unsigned index) {
        if (!asked_[index]) {
            asked_[index] = true;
            forms_[index] = converter_.toUtf8(bytesOf(index));
        }
        return forms_[index];
    }
    // Its bytes in hexadecimal between angle brackets.
    std::string shown(unsigned index) { return converter_.textToUtf8(bytesOf(index)); }

    // A text of the set, in UTF-8, or false when a character has none.
    bool convert(std::string_view text, std::string& utf8) {
        utf8 = converter_.textToUtf8(text, &unwritable_);
        const bool whole = unwritable_.empty();
        unwritable_.clear();
        return whole;
    }

  private:
    std::string bytesOf(unsigned index) const {
        std::string text;
        bytes_.append(index, text);
        return text;
    }

    CharSetConverter converter_;
    CharacterBytes bytes_;
    std::vector<std::string> forms_;
    std::vector<bool> asked_;
    std::vector<std::string> unwritable_;
};

constexpr std::size_t kNamedInComments = 20;
constexpr char kNoUtf8[] = "a character has no UTF-8 form";

void addCharacters(const InputMethod& im, ExportFormat format, const std::vector<int>& entryLines,
                   ExportedCharacters& utf8, ExportTable& table) {
    for (std::size_t k = 0; k < im.entries.size(); ++k) {
        const CodeTableEntry& entry = im.entries[k];
        const std::string code(im.codes[entry.code]);
        const int line = k < entryLines.size() ? entryLines[k] : 0;
        const int index = charToIndex(im.charSet, entry.character.bytes().data());
        const std::string& text = utf8.of(static_cast<unsigned>(index));
        if (text.empty()) {
            table.leftOut.push_back(
                {line, code, utf8.shown(static_cast<unsigned>(index)), kNoUtf8});
        } else if (const char* refusal = codeRefusal(format, code)) {
            table.leftOut.push_back({line, code, text, refusal});
        } else {
            table.entries.push_back({code, text});
        }
    }
    table.characterCount = table.entries.size();
}

void addPhrases(const InputMethod& im, const PhraseDatabase& phrases, ExportFormat format,
                ExportedCharacters& utf8, ExportTable& table) {
    const PhraseCoder coder(im);
    std::string code;
    for (const StoredPhrase& phrase : phrases.phrases) {
        std::string text;
        bool whole = true;
        for (const uint16_t character : phrases.text(phrase)) {
            const std::string& form = utf8.of(character);
            whole = whole && !form.empty();
            text += form.empty() ? utf8.shown(character) : form;
        }
        const char* why = nullptr;
        if (!whole) {
            table.leftOut.push_back({0, "", text, kNoUtf8});
        } else if (!coder.codeOf(phrases.text(phrase), code, why)) {
            table.leftOut.push_back({0, "", text, why});
        } else if (const char* refusal = codeRefusal(format, code)) {
            table.leftOut.push_back({0, code, text, refusal});
        } else {
            table.entries.push_back({code, text});
        }
    }
}

// What the engine's table has no place for.
void addUnheld(const InputMethod& im, ExportFormat format, ExportTable& table) {
    const auto unheld = [&](std::string text, const char* reason) {
        table.leftOut.push_back({0, "", std::move(text), reason});
    };
    if (im.wildChar != 0)
        unheld(std::string(1, im.wildChar), "WildChar: the table has no place for it");
    if (!im.displayCodes.empty() && format != ExportFormat::kCin) {
        unheld("DispalyCodes", "the table has no place for them");
    }
    if (!im.rules.empty() && (!saysKeyRules(format) || im.codingStyle == 2)) {
        leaveOutRules(table, "the table cannot say them; the phrases keep their codes");
    }
    if (!im.helpText.empty()) unheld("[Help]", "the table has no place for it");
    if (im.keyMap) unheld("[KeyMapTable]", "the table has no place for it");
    if (im.keyboard) unheld("KeyboardBitmap", "the table has no place for it");
}

}  // namespace

ExportTable exportTable(const InputMethod& im, const PhraseDatabase* phrases, ExportFormat format,
                        std::string name, const std::vector<int>& entryLines) {
    ExportTable table;
    table.name = std::move(name);
    ExportedCharacters utf8(im.charSet);
    utf8.convert(im.fullName.empty() ? im.name : im.fullName, table.fullName);
    utf8.convert(im.version, table.version);
    for (const ValuePair& display : im.displayCodes) {
        std::string bytes;
        DoubleByteCharacter::of(display.first, display.second).appendTo(bytes);
        if (bytes.empty()) bytes.assign(1, '\0');  // a key shown as nothing
        std::string shown;
        utf8.convert(bytes, shown);
        table.keyNames.push_back(shown);
    }
    addUnheld(im, format, table);
    addCharacters(im, format, entryLines, utf8, table);
    if (phrases != nullptr) addPhrases(im, *phrases, format, utf8, table);
    for (const ExportedEntry& entry : table.entries) {
        table.longestCode = std::max(table.longestCode, entry.code.size());
    }
    return table;
}

void leaveOutRules(ExportTable& table, const char* reason) {
    table.leftOut.push_back({0, "", "[Rules]", reason});
}

std::string leftOutText(const ExportTable& table) {
    std::string text;
    for (const LeftOutItem& item : table.leftOut) {
        appendLeftOutLine(text, item.line, {item.code, item.text, item.reason});
    }
    return text;
}

std::string headerComments(const InputMethod& im, const ExportTable& table, const char* mark) {
    ExportedCoding coding;
    coding.style = im.codingStyle;
    coding.subtype = im.codingSubtype;
    coding.indexDepth = im.indexDepth;
    coding.noSort = im.noSort;
    coding.maxCodes = im.maxCodes;
    coding.usedCodes = im.usedCodes;
    std::string text = std::string(mark) + " " + exportedCodingText(coding) + "\n";
    if (table.leftOut.empty()) return text;
    text.append(mark).append(" Left out, and listed in the file beside this one:\n");
    const std::size_t named = std::min(table.leftOut.size(), kNamedInComments);
    for (std::size_t k = 0; k < named; ++k) {
        const LeftOutItem& item = table.leftOut[k];
        text.append(mark).append(" ").append(item.code.empty() ? "" : item.code + " ");
        text.append(item.text).append(": ").append(item.reason).append("\n");
    }
    if (named < table.leftOut.size()) {
        text.append(mark).append(" and ").append(std::to_string(table.leftOut.size() - named));
        text.append(" more\n");
    }
    return text;
}
