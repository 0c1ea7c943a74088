// An .mb table of fcitx 4, as txt2mb writes it (numbers of four bytes,
// little-endian; texts NUL-terminated):
//   0       0, then a version byte (tables of version 2 and older start at
//           the key count instead, and give no pinyin length nor record types)
//           the number N of keys, then N + 1 bytes: the keys
//           the code length L (one byte); from version 3 the pinyin code
//           length P (one byte: 0 for none)
//           the number M of invalid characters, then M + 1 bytes of them
//           one byte: 1 when rules follow, then L - 1 rules of two bytes
//           (1 for "a", 0 for "e"; the word length) and L items of three
//           (1 for "p", 0 for "n"; the character; the code key)
//           the number R of records, then R records: a code of P + 1 bytes
//           (L + 1 in old tables), the length T of the text and T bytes of
//           it, from version 3 one byte of record type, then the hit count
//           and the index (four bytes each).
#include <cctype>
#include <cstdio>
#include <string>

#include "foundation/desktop_tables/binary/binary_formats.h"

namespace {

enum RecordType { kNormal = 0, kPinyin = 1, kConstruct = 2, kPrompt = 3 };

constexpr std::size_t kMostMbKeys = 255;
constexpr std::size_t kLongestText = 4 * 30;  // fcitx reads no longer one

// Reads the fields of an .mb one after the other; `ok` turns false, and
// stays so, at the first that would lie past the end.
struct MbFields {
    const TableBytes& bytes;
    std::size_t at = 0;
    bool ok = true;

    bool has(std::size_t count) {
        ok = ok && bytes.holds(at, count);
        return ok;
    }
    uint32_t u32() {
        if (!has(4)) return 0;
        at += 4;
        return bytes.u32(at - 4);
    }
    uint8_t u8() {
        if (!has(1)) return 0;
        return bytes.u8(at++);
    }
    // A field of `count` bytes, up to its first NUL.
    std::string_view text(std::size_t count) {
        if (!has(count)) return {};
        at += count;
        return bytes.cString(at - count, count);
    }
};

// Where `prefer` is no key, it; else the first punctuation or letter that is
// none, 0 when every one is (as the dumper picks its prompt characters).
char validChar(char prefer, const std::string& keys) {
    if (keys.find(prefer) == std::string::npos) return prefer;
    for (int c = 0; c < 128; ++c) {
        if ((std::ispunct(c) || std::isalnum(c)) &&
            keys.find(static_cast<char>(c)) == std::string::npos) {
            return static_cast<char>(c);
        }
    }
    return 0;
}

void appendRules(MbFields& fields, std::size_t length, TableText& text) {
    text.append("[Rule]\n");
    for (std::size_t rule = 0; rule + 1 < length && fields.ok; ++rule) {
        std::string line(1, fields.u8() ? 'a' : 'e');
        line += std::to_string(fields.u8()) + "=";
        for (std::size_t item = 0; item < length; ++item) {
            line += fields.u8() ? 'p' : 'n';
            line += std::to_string(fields.u8());
            line += std::to_string(fields.u8());
            if (item + 1 < length) line += '+';
        }
        text.append(line + "\n");
    }
}

}  // namespace

Decoded decodeFcitxMb(std::string_view, std::string_view bytes, TableText& text) {
    const TableBytes table(bytes);
    MbFields fields{table};
    uint32_t keyCount = fields.u32();
    const int version = keyCount == 0 ? fields.u8() : 0;
    if (version != 0) keyCount = fields.u32();
    if (!fields.ok || keyCount == 0 || keyCount > kMostMbKeys || !fields.has(keyCount + 1) ||
        table.u8(fields.at + keyCount) != 0) {
        return Decoded::kOtherFormat;
    }
    const std::string keys(fields.text(keyCount + 1));
    const std::size_t length = fields.u8();
    if (!isTableField(keys) || length == 0) return Decoded::kOtherFormat;
    const std::size_t pinyinLength = version != 0 ? fields.u8() : 0;

    char line[64];
    std::snprintf(line, sizeof line, ";fcitx Version 0x%02x Table file\n",
                  version != 0 ? version : 2);
    text.append(line);
    text.append("KeyCode=" + keys + "\nLength=" + std::to_string(length) + "\n");
    const char pinyin = pinyinLength != 0 ? validChar('@', keys) : 0;
    if (pinyin != 0)
        text.append("Pinyin=" + std::string(1, pinyin) +
                    "\nPinyinLength=" + std::to_string(pinyinLength) + "\n");
    const char prompt = validChar('&', keys + pinyin);
    const char construct = validChar('^', keys + pinyin + prompt);
    text.append("Prompt=" + std::string(prompt != 0, prompt) + "\n");
    text.append("ConstructPhrase=" + std::string(construct != 0, construct) + "\n");
    const std::string_view invalid = fields.text(fields.u32() + std::size_t{1});
    if (!invalid.empty()) text.append("InvalidChar=" + std::string(invalid) + "\n");
    if (fields.u8() != 0) appendRules(fields, length, text);
    text.append("[Data]\n");

    const std::size_t records = fields.u32();
    const std::size_t codeLength = version != 0 ? pinyinLength : length;
    for (std::size_t record = 0; record < records && fields.ok; ++record) {
        std::string code(fields.text(codeLength + 1));
        const std::size_t textLength = fields.u32();
        if (textLength > kLongestText) return Decoded::kDamaged;
        const std::string_view value = fields.text(textLength);
        const int type = version != 0 ? fields.u8() : int{kNormal};
        fields.u32();
        fields.u32();
        if (type == kPinyin) code.insert(0, 1, pinyin);
        if (type == kConstruct) code.insert(0, 1, construct);
        if (type == kPrompt) code.insert(0, 1, prompt);
        if (fields.ok) text.line(code, value);
    }
    return fields.ok ? Decoded::kDecoded : Decoded::kDamaged;
}
