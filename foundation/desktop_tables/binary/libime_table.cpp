// An fcitx 5 table as libime writes it (numbers big-endian):
//   0   0x000FCABE, then the version: 1 for the body that follows as it
//       is, 2 for the body in zstd frames
// The body:
//   0   the pinyin, prompt and phrase-building keys (UCS-4, 0 for none),
//       the code length
//   16  the number of keys, then each key (UCS-4); the same for the
//       characters to ignore
//       the number of rules, then each rule: its kind (four bytes: 1 for
//       "e", 0 for "a"), the word length (one byte), the number of items and
//       the items: from the front (four bytes: 0) or the back (1), the
//       character (one byte) and the code key (one byte, from 0x80 counted
//       from the code's end)
//       the tries (libime_trie.h): the entries ("code\1text", valued by
//       their order), the characters' codes, with rules two more, with a
//       prompt key the prompts ("character\1code")
#include <algorithm>

#include "foundation/compression/zstd_frames.h"
#include "foundation/desktop_tables/binary/binary_formats.h"
#include "foundation/desktop_tables/binary/libime_trie.h"
#include "foundation/text_encoding.h"

namespace {

constexpr uint32_t kMagic = 0x000FCABE;
constexpr uint32_t kPlainVersion = 1;
constexpr uint32_t kPackedVersion = 2;
constexpr std::size_t kLibimeHeaderSize = 8;
constexpr char kKeyValueSeparator = '\x01';
constexpr uint8_t kFromTheEnd = 0x80;

// Reads the body's fields one after the other; `ok` turns false, and stays
// so, at the first that would lie past the end.
struct BodyFields {
    const TableBytes& bytes;
    std::size_t at = 0;
    bool ok = true;

    uint32_t u32() {
        ok = ok && bytes.holds(at, 4);
        if (!ok) return 0;
        at += 4;
        return bytes.u32(at - 4);
    }
    uint8_t u8() {
        ok = ok && bytes.holds(at, 1);
        return ok ? bytes.u8(at++) : 0;
    }
    bool trie(std::vector<TrieEntry>& entries) {
        ok = ok && readLibimeTrie(bytes, at, entries);
        return ok;
    }
};

// `character` in UTF-8; empty for 0 and for what is no character.
std::string utf8(uint32_t character) {
    if (character == 0 || character > 0x10FFFF || (character >= 0xD800 && character < 0xE000))
        return {};
    std::string bytes;
    appendUtf8(character, bytes);
    return bytes;
}

// A header line "Name=characters" of a list of UCS-4 characters.
bool appendCharacters(BodyFields& fields, const char* name, bool always, TableText& text) {
    std::string line = name;
    for (uint32_t count = fields.u32(); count != 0 && fields.ok; --count) {
        const std::string character = utf8(fields.u32());
        if (character.empty()) return false;
        line += character;
    }
    if (always || line.size() > std::string_view(name).size()) text.append(line + "\n");
    return fields.ok;
}

// "e2=p11+p12+p21+p22": the rule's kind and length, then its items.
void appendRule(BodyFields& fields, TableText& text) {
    std::string line(1, fields.u32() != 0 ? 'e' : 'a');
    line += std::to_string(fields.u8()) + "=";
    const uint32_t items = fields.u32();
    for (uint32_t item = 0; item < items && fields.ok; ++item) {
        if (item != 0) line += '+';
        line += fields.u32() == 0 ? 'p' : 'n';
        line += static_cast<char>('0' + fields.u8());
        const uint8_t key = fields.u8();
        line += static_cast<char>(key < kFromTheEnd ? '0' + key : 'z' - (key - kFromTheEnd));
    }
    text.append(line + "\n");
}

// The lines "<key>code character" of a trie of "character\1code" entries.
void appendKeyedLines(const std::vector<TrieEntry>& entries, const std::string& key,
                      TableText& text) {
    for (const TrieEntry& entry : entries) {
        const std::size_t separator = entry.key.find(kKeyValueSeparator);
        if (separator != std::string::npos)
            text.line(key + entry.key.substr(separator + 1), entry.key.substr(0, separator));
    }
}

Decoded decodeBody(std::string_view body, TableText& text) {
    const TableBytes bytes(body, true);
    BodyFields fields{bytes};
    const std::string pinyin = utf8(fields.u32());
    const std::string prompt = utf8(fields.u32());
    const std::string construct = utf8(fields.u32());
    const uint32_t length = fields.u32();
    if (!appendCharacters(fields, "KeyCode=", true, text)) return Decoded::kDamaged;
    text.append("Length=" + std::to_string(length) + "\n");
    if (!appendCharacters(fields, "InvalidChar=", false, text)) return Decoded::kDamaged;
    if (!pinyin.empty()) text.append("Pinyin=" + pinyin + "\n");
    if (!prompt.empty()) text.append("Prompt=" + prompt + "\n");
    if (!construct.empty()) text.append("ConstructPhrase=" + construct + "\n");
    const uint32_t rules = fields.u32();
    if (rules != 0) text.append("[Rule]\n");
    for (uint32_t rule = 0; rule < rules && fields.ok; ++rule) appendRule(fields, text);

    std::vector<TrieEntry> phrases, characters, constructs, lookups, prompts;
    if (!fields.trie(phrases) || !fields.trie(characters)) return Decoded::kDamaged;
    if (rules != 0 && (!fields.trie(constructs) || !fields.trie(lookups))) return Decoded::kDamaged;
    if (!prompt.empty() && !fields.trie(prompts)) return Decoded::kDamaged;
    text.append("[Data]\n");
    appendKeyedLines(prompts, prompt, text);
    if (!construct.empty()) appendKeyedLines(constructs, construct, text);
    std::stable_sort(phrases.begin(), phrases.end(),
                     [](const TrieEntry& a, const TrieEntry& b) { return a.value < b.value; });
    for (const TrieEntry& phrase : phrases) {
        const std::size_t separator = phrase.key.find(kKeyValueSeparator);
        if (separator != std::string::npos)
            text.line(phrase.key.substr(0, separator), phrase.key.substr(separator + 1));
    }
    return Decoded::kDecoded;
}

}  // namespace

Decoded decodeLibimeTable(std::string_view, std::string_view bytes, TableText& text) {
    const TableBytes table(bytes, true);
    if (!table.holds(0, kLibimeHeaderSize) || table.u32(0) != kMagic) return Decoded::kOtherFormat;
    const uint32_t version = table.u32(4);
    const std::string_view body = bytes.substr(kLibimeHeaderSize);
    if (version == kPlainVersion) return decodeBody(body, text);
    std::string unpacked;
    if (version != kPackedVersion || !unpackZstd(body, kMaxInputFileBytes, unpacked))
        return Decoded::kDamaged;
    return decodeBody(unpacked, text);
}
