#include "foundation/desktop_tables/table_characters.h"

#include <algorithm>

#include "foundation/desktop_tables/writable_code_points.h"

namespace {

constexpr uint32_t kAsked = 0x10000;
constexpr char32_t kBasicPlane = 0x10000;
constexpr char32_t kCodePoints = 0x110000;
constexpr int kPageBits = 8;

}  // namespace

int utf8CharacterCount(std::string_view text) {
    int count = 0;
    for (const char c : text) count += (static_cast<uint8_t>(c) & 0xC0) != 0x80;
    return count;
}

TableCharacters::TableCharacters(CharSet charSet)
    : charSet_(charSet),
      converter_(charSet),
      mayBeBasic_(basicPlaneMayBeDoubleByte(charSet)),
      basicPlane_(kBasicPlane),
      pageOf_((kCodePoints - kBasicPlane) >> kPageBits) {}

DoubleByteCharacter TableCharacters::ask(std::string_view character) {
    const std::string bytes = converter_.fromUtf8Uncached(character);
    if (bytes.size() != 2 || !startsWithDoubleByteChar(charSet_, bytes.c_str(), 2)) return {};
    const DoubleByteCharacter value = DoubleByteCharacter::of(bytes.c_str());
    return writesBack(value) ? value : DoubleByteCharacter{};
}

bool TableCharacters::writesBack(DoubleByteCharacter character) {
    if (!backAsked_[character.packed]) {
        backAsked_.set(character.packed);
        const std::array<char, 2> bytes = character.bytes();
        writtenBack_[character.packed] = !converter_.toUtf8({bytes.data(), 2}).empty();
    }
    return writtenBack_[character.packed];
}

bool TableCharacters::mayBeDoubleByte(char32_t point) const {
    if (point >= kBasicPlane) return ::mayBeDoubleByte(charSet_, point);
    return (mayBeBasic_[point / 64] >> (point % 64) & 1) != 0;
}

uint32_t& TableCharacters::knownOf(char32_t point) {
    if (point < kBasicPlane) return basicPlane_[point];
    uint16_t& page = pageOf_[(point - kBasicPlane) >> kPageBits];
    if (page == 0) {
        pages_.emplace_back();
        page = static_cast<uint16_t>(pages_.size());
    }
    return pages_[page - 1u][point & ((1u << kPageBits) - 1)];
}

DoubleByteCharacter TableCharacters::bytesOfAny(std::string_view text, int length) {
    const std::string_view character = text.substr(0, static_cast<std::size_t>(length));
    const char32_t point = codePointOf(text, length);
    if (point < 0x80) return {};
    if (point >= kCodePoints) return ask(character);
    uint32_t& known = knownOf(point);
    if (known == 0) {
        known = kAsked | (mayBeDoubleByte(point) ? ask(character).packed : 0u);
    }
    return {static_cast<uint16_t>(known & 0xFFFF)};
}

DoubleByteCharacter TableCharacters::bytesOfPoint(char32_t point) {
    if (point < 0x80) return {};
    uint32_t& known = knownOf(point);
    if (known == 0) {
        std::string character;
        appendUtf8(point, character);
        known = kAsked | (mayBeDoubleByte(point) ? ask(character).packed : 0u);
    }
    return {static_cast<uint16_t>(known & 0xFFFF)};
}

void TableCharacters::learn(const std::vector<char32_t>& points) {
    // Asked a few thousand at a time: the conversions' buffers stay small
    // and are reused, where all of a large table's characters at once would
    // take megabytes.
    constexpr std::size_t kBatch = 4096;
    std::string texts;  // the UTF-8 forms of those asked, one after another
    texts.reserve(4 * kBatch);
    std::vector<char32_t> askedPoints;
    askedPoints.reserve(kBatch);
    std::vector<std::string_view> asked;
    std::vector<uint16_t> packed;
    std::vector<uint16_t> backOpen;
    std::vector<bool> back;
    const auto askBatch = [&] {
        asked.clear();
        for (std::size_t at = 0; at < texts.size();) {
            const auto length = static_cast<std::size_t>(utf8LengthFromLead(texts[at]));
            asked.push_back(std::string_view(texts).substr(at, length));
            at += length;
        }
        converter_.doubleBytesOf(asked, packed);
        backOpen.clear();
        for (const uint16_t character : packed) {
            if (character != 0 && !backAsked_[character]) {
                backAsked_.set(character);
                backOpen.push_back(character);
            }
        }
        converter_.writeBack(backOpen, back);
        for (std::size_t i = 0; i < backOpen.size(); ++i) writtenBack_[backOpen[i]] = back[i];
        for (std::size_t i = 0; i < askedPoints.size(); ++i) {
            if (packed[i] != 0 && writtenBack_[packed[i]]) {
                knownOf(askedPoints[i]) = kAsked | packed[i];
            }
        }
        texts.clear();
        askedPoints.clear();
    };
    for (const char32_t point : points) {
        if (point < 0x80) continue;
        uint32_t& known = knownOf(point);
        if (known != 0) continue;
        known = kAsked;
        if (!mayBeDoubleByte(point)) continue;
        appendUtf8(point, texts);
        askedPoints.push_back(point);
        if (askedPoints.size() == kBatch) askBatch();
    }
    if (!askedPoints.empty()) askBatch();
}

bool TableCharacters::convert(std::string_view text, std::string& out, std::string_view& failed) {
    while (!text.empty()) {
        const int length = std::min(utf8LengthFromLead(text[0]), static_cast<int>(text.size()));
        // A character of the basic plane asked before: looked up at once.
        DoubleByteCharacter character;
        const uint32_t known = length == 3 ? basicPlane_[codePointOf(text, 3)] : 0;
        if (known != 0) {
            character.packed = static_cast<uint16_t>(known & 0xFFFF);
        } else {
            character = bytesOf(text, length);
        }
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
    set.learn(characters);
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
