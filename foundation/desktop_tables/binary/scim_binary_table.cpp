// A SCIM binary table, as scim-make-table writes it: the text of a SCIM
// table up to its line "BEGIN_TABLE" (its first line
// "SCIM_Generic_Table_Phrase_Library_BINARY"), then the size of the records
// (four bytes, little-endian) and the records, then "END_TABLE". A record:
//   0   key length (the low six bits; the high bit clear for a deleted one)
//   1   phrase length
//   2   frequency (two bytes, little-endian)
//   4   the key, then the phrase (UTF-8)
// The records stand in the order the table's text form lists them.
#include <string>

#include "foundation/desktop_tables/binary/binary_formats.h"

namespace {

constexpr std::string_view kBinaryHeader = "SCIM_Generic_Table_Phrase_Library_BINARY\n";
constexpr std::string_view kTextHeader = "SCIM_Generic_Table_Phrase_Library_TEXT\n";
constexpr std::string_view kTableStart = "\nBEGIN_TABLE\n";
constexpr std::size_t kRecordHead = 4;

}  // namespace

Decoded decodeScimBinary(std::string_view, std::string_view bytes, TableText& text) {
    if (!bytes.starts_with(kBinaryHeader)) return Decoded::kOtherFormat;
    const std::size_t start = bytes.find(kTableStart);
    if (start == std::string_view::npos) return Decoded::kDamaged;
    const std::size_t records = start + kTableStart.size() + 4;
    const TableBytes table(bytes);
    if (!table.holds(records - 4, 4)) return Decoded::kDamaged;
    const std::size_t size = table.u32(records - 4);
    if (!table.holds(records, size)) return Decoded::kDamaged;

    text.append(kTextHeader);
    text.append(bytes.substr(kBinaryHeader.size(), records - 4 - kBinaryHeader.size()));
    for (std::size_t at = records; at < records + size;) {
        if (!table.holds(at, kRecordHead)) return Decoded::kDamaged;
        const std::size_t keyLength = table.u8(at) & 0x3F;
        const std::size_t phraseLength = table.u8(at + 1);
        const std::size_t end = at + kRecordHead + keyLength + phraseLength;
        if (keyLength == 0 || phraseLength == 0 || end > records + size) return Decoded::kDamaged;
        if (table.u8(at) & 0x80) {
            text.line(table.view(at + kRecordHead, keyLength),
                      table.view(at + kRecordHead + keyLength, phraseLength),
                      std::to_string(table.u16(at + 2)));
        }
        at = end;
    }
    text.append("END_TABLE\n");
    return Decoded::kDecoded;
}
