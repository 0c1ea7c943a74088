#include "foundation/desktop_tables/table_characters.h"

#include <algorithm>

#include "foundation/desktop_tables/writable_code_points.h"

int utf8CharacterCount(std::string_view text) {
    int count = 0;
    for (const char c : text) count += (static_cast<uint8_t>(c) & 0xC0) != 0x80;
    return count;
}

TableCharacters::TableCharacters(CharSet charSet)
    : charSet_(charSet),
      table_(charSetTable(charSet)),
      mayBeBasic_(basicPlaneMayBeDoubleByte(charSet)) {}

bool TableCharacters::mayBeDoubleByte(char32_t point) const {
    if (point >= 0x10000) return ::mayBeDoubleByte(charSet_, point);
    return (mayBeBasic_[point / 64] >> (point % 64) & 1) != 0;
}

bool TableCharacters::convert(std::string_view text, std::string& out,
                              std::string_view& failed) const {
    while (!text.empty()) {
        const int length = std::min(utf8LengthFromLead(text[0]), static_cast<int>(text.size()));
        const DoubleByteCharacter character = bytesOf(text, length);
        if (character.packed == 0) {
            failed = text.substr(0, static_cast<std::size_t>(length));
            return false;
        }
        out += static_cast<char>(character.lead());
        out += static_cast<char>(character.trail());
        text.remove_prefix(static_cast<std::size_t>(length));
    }
    return true;
}

int writtenCount(const std::vector<char32_t>& characters, TableCharacters& set) {
    int count = 0;
    for (const char32_t point : characters) count += set.bytesOfPoint(point).packed != 0;
    return count;
}

int writtenCount(const std::vector<char32_t>& characters, CharSet charSet) {
    TableCharacters set(charSet);
    return writtenCount(characters, set);
}

CharSet chooseCharSet(const std::vector<char32_t>& characters) {
    CharSet best = kCharSetTable[0].id;
    int bestCount = -1;
    for (const CharSetEntry& entry : kCharSetTable) {
        const int count = writtenCount(characters, entry.id);
        if (count > bestCount) {
            best = entry.id;
            bestCount = count;
        }
    }
    return best;
}

void DistinctCharacters::addAll(std::string_view text) {
    while (!text.empty()) {
        const auto lead = static_cast<uint8_t>(text[0]);
        // Most characters of a CJK table: three bytes.
        const bool three = (lead & 0xF0) == 0xE0 && text.size() >= 3;
        const int length =
            three ? 3 : std::min(utf8LengthFromLead(text[0]), static_cast<int>(text.size()));
        const char32_t point = three ? codePointOf(text, 3) : codePointOf(text, length);
        addPoint(point);
        text.remove_prefix(static_cast<std::size_t>(length));
    }
}
