// A .gtab of hime and gcin, laid out as their compilers write it (numbers of
// four bytes in the writer's byte order, little-endian on every Debian
// architecture's files; keys and names as C strings of the sizes given):
//   0      version
//   4      flags
//   8      cname, 32 bytes
//   40     selkey, 12 bytes
//   52     space style
//   56     KeyS: the number of keys, the blank (key 0) included
//   60     MaxPress: the most keys a code has
//   64     M_DUP_SEL
//   68     DefC: the number of items
//   72     quick keys, 86,480 bytes (array30's one-key and two-key lists)
//   86552  endkey, 99 bytes; 86651 keybits (6 or 7; 0 in old files: 6);
//   86652  selkey2, 10 bytes; the header ends at 86680
// then KeyS bytes of key characters, KeyS names of 4 bytes, KeyS + 1 first
// items by key, DefC items (a key of 4 bytes, or 8 where keybits * MaxPress
// passes 32, then 4 bytes of UTF-8 character), and, when words are defined,
// their count N, N offsets into the word bytes and the word bytes. An item's
// key holds its keys' numbers from the highest bits down, keybits each; an
// item whose character begins with a byte below 0x80 (no UTF-8 lead byte: the
// compilers keep a text there only when its first byte has the high bit) is
// word number (byte 0 << 16 | byte 1 << 8 | byte 2), gcin's NewCJ3 passing
// 65,535 words.
#include <algorithm>
#include <filesystem>

#include "foundation/desktop_tables/binary/binary_formats.h"
#include "foundation/desktop_tables/binary/table_bytes.h"
#include "foundation/text_encoding.h"

namespace {

constexpr std::size_t kCname = 8;
constexpr std::size_t kCnameSize = 32;
constexpr std::size_t kSelkey = 40;
constexpr std::size_t kSelkeySize = 12;
constexpr std::size_t kKeyCount = 56;
constexpr std::size_t kMaxPress = 60;
constexpr std::size_t kItemCount = 68;
constexpr std::size_t kKeyBits = 86651;
constexpr std::size_t kSelkey2 = 86652;
constexpr std::size_t kSelkey2Size = 10;
constexpr std::size_t kGtabHeaderSize = 86680;
constexpr std::size_t kCharacterSize = 4;
constexpr std::size_t kMostGtabKeys = 128;  // 7 bits of key number

struct GtabHeader {
    std::size_t keys = 0;
    std::size_t maxPress = 0;
    std::size_t items = 0;
    int keyBits = 6;
    int keyWidth = 32;  // bits of an item's key
};

// The header as `bytes` read it, when it can be a .gtab's.
bool readHeader(const TableBytes& bytes, GtabHeader& header) {
    if (!bytes.holds(0, kGtabHeaderSize)) return false;
    const int bits = bytes.u8(kKeyBits);
    if (bits != 0 && bits != 6 && bits != 7) return false;
    header.keyBits = bits == 0 ? 6 : bits;
    header.keys = bytes.u32(kKeyCount);
    header.maxPress = bytes.u32(kMaxPress);
    header.items = bytes.u32(kItemCount);
    header.keyWidth = header.keyBits * header.maxPress > 32 ? 64 : 32;
    return header.keys >= 1 && header.keys <= kMostGtabKeys && header.maxPress >= 1 &&
           header.keyBits * header.maxPress <= 64 && header.items <= bytes.size() &&
           bytes.cString(kCname, kCnameSize).size() < kCnameSize;
}

// The words of the table: each item of a word names it by number.
struct GtabWords {
    std::size_t offsets = 0;  // of the first of the count's offsets
    std::size_t count = 0;
    std::size_t bytes = 0;  // of the first word byte

    std::string_view word(const TableBytes& table, std::size_t number) const {
        if (number + 1 >= count) return {};
        const std::size_t start = table.u32(offsets + 4 * number);
        const std::size_t end = table.u32(offsets + 4 * number + 4);
        if (end < start || !table.holds(bytes + start, end - start)) return {};
        return table.view(bytes + start, end - start);
    }
};

GtabWords findWords(const TableBytes& table, std::size_t at) {
    GtabWords words;
    if (!table.holds(at, 4)) return words;
    const std::size_t count = table.u32(at);
    if (count > table.size() / 4 || !table.holds(at + 4, 4 * count)) return words;
    words.offsets = at + 4;
    words.count = count;
    words.bytes = at + 4 + 4 * count;
    return words;
}

std::string englishName(std::string_view name) {
    return std::filesystem::path(name).stem().string();
}

// A line of a key or an item: its key or code, then its text. A code
// beginning with "#" is written after a blank, as hime-gtab2cin writes it (at
// the start of a line "#" begins a comment), and a text that is not UTF-8 as
// it stands, for the text reader to leave it out with its reason and line.
void appendItem(TableText& text, std::string_view code, std::string_view value) {
    if (!code.starts_with('#') && text.line(code, value)) return;
    if (!isTableField(code) || value.empty() || value.find_first_of("\r\n") != value.npos) return;
    std::string line(code.starts_with('#') ? 1 : 0, ' ');
    line.append(code).append(" ").append(value).append("\n");
    text.append(line);
}

// A header line, where its value is UTF-8: a name that is not is passed over.
void appendHeaderLine(TableText& text, std::string_view key, std::string_view value) {
    if (isUtf8(value)) text.line(key, value);
}

void appendHeader(const TableBytes& table, std::string_view name, TableText& text) {
    text.append("%gen_inp\n");
    appendHeaderLine(text, "%ename", englishName(name));
    appendHeaderLine(text, "%cname", table.cString(kCname, kCnameSize));
    std::string selkey(table.cString(kSelkey, kSelkeySize));
    if (selkey.size() == kSelkeySize) selkey += table.cString(kSelkey2, kSelkey2Size);
    appendHeaderLine(text, "%selkey", selkey);
}

}  // namespace

Decoded decodeGtab(std::string_view name, std::string_view bytes, TableText& text) {
    GtabHeader header;
    TableBytes table(bytes);
    if (!readHeader(table, header)) {
        table = TableBytes(bytes, true);
        if (!readHeader(table, header)) return Decoded::kOtherFormat;
    }
    const std::size_t keyNames = kGtabHeaderSize + header.keys;
    const std::size_t itemSize = header.keyWidth / 8 + kCharacterSize;
    const std::size_t items = keyNames + kCharacterSize * header.keys + 4 * (header.keys + 1);
    if (!table.holds(items, itemSize * header.items)) return Decoded::kDamaged;
    const std::string_view keys = table.view(kGtabHeaderSize, header.keys);
    const GtabWords words = findWords(table, items + itemSize * header.items);

    appendHeader(table, name, text);
    text.append("%keyname begin\n");
    for (std::size_t key = 1; key < header.keys; ++key) {
        appendItem(text, keys.substr(key, 1),
                   table.cString(keyNames + kCharacterSize * key, kCharacterSize));
    }
    text.append("%keyname end\n%chardef begin\n");
    const uint64_t mask = (uint64_t{1} << header.keyBits) - 1;
    const int keysInWidth = header.keyWidth / header.keyBits;
    for (std::size_t item = 0; item < header.items; ++item) {
        const std::size_t at = items + itemSize * item;
        const uint64_t key = header.keyWidth == 64 ? table.u64(at) : table.u32(at);
        std::string code;
        for (std::size_t press = 0; press < header.maxPress; ++press) {
            const int shift = header.keyBits * (keysInWidth - static_cast<int>(press) - 1);
            const std::size_t number = (key >> shift) & mask;
            if (number == 0 || number >= header.keys) break;
            code += keys[number];
        }
        const std::size_t character = at + header.keyWidth / 8;
        if (table.u8(character) >= 0x80) {
            appendItem(text, code, table.cString(character, kCharacterSize));
        } else {
            const std::size_t number =
                table.u8(character) << 16 | table.u8(character + 1) << 8 | table.u8(character + 2);
            appendItem(text, code, words.word(table, number));
        }
    }
    text.append("%chardef end\n");
    return Decoded::kDecoded;
}
