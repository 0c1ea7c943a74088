#include "foundation/text_encoding.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <numeric>
#include <optional>
#include <utility>

#include "foundation/double_byte_character.h"

namespace {

const iconv_t kNoConversion = reinterpret_cast<iconv_t>(-1);

// The UTF-8 forms of the characters a text holds, each found once: by lead
// byte, a page for every trail byte (0 for a single byte).
class Utf8Forms {
  public:
    template <class Find>
    const std::string& of(DoubleByteCharacter key, Find find) {
        std::unique_ptr<Page>& page = pages_[key.lead()];
        if (page == nullptr) page = std::make_unique<Page>();
        const std::size_t trail = key.trail();
        if (!page->known[trail]) {
            page->forms[trail] = find();
            page->known.set(trail);
        }
        return page->forms[trail];
    }

  private:
    struct Page {
        std::array<std::string, 256> forms;
        std::bitset<256> known;
    };
    std::array<std::unique_ptr<Page>, 256> pages_;
};

}  // namespace

std::vector<const char*> mappingNames(CharSet charSet) {
    switch (charSet) {
        case kChineseGB:
            return {"EUC-CN", "CP936"};
        case kChineseGBK:
            return {"GBK", "CP936", "GB18030"};
        case kChineseBIG5:
            return {"BIG5-HKSCS", "CP950", "BIG5"};
        case kJapaneseJIS:
            return {"EUC-JP", "EUC-JP-MS"};
        case kJapaneseSJIS:
            return {"CP932", "SHIFT_JIS"};
        case kKoreanKSC:
            return {"EUC-KR", "CP949"};
        default:
            return {};
    }
}

namespace {

bool isTrail(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

}  // namespace

int utf8Length(std::string_view text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return 1;
    int length = 0;
    uint32_t value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < static_cast<std::size_t>(length)) return 0;
    for (int i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (!isTrail(byte)) return 0;
        value = (value << 6) | (byte & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (overlong || surrogate || value > 0x10FFFF) return 0;
    return length;
}

void appendUtf8(char32_t point, std::string& text) {
    if (point < 0x80) {
        text += static_cast<char>(point);
        return;
    }
    if (point < 0x800) {
        text += static_cast<char>(0xC0 | point >> 6);
    } else if (point < 0x10000) {
        text += static_cast<char>(0xE0 | point >> 12);
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | point >> 18);
        text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
        text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
    }
    text += static_cast<char>(0x80 | (point & 0x3F));
}

namespace {

// The length of the longest character of `text` (0 for an empty text), or -1
// when it is not UTF-8 throughout.
int longestUtf8Character(std::string_view text) {
    int longest = 0;
    while (!text.empty()) {
        const int length = utf8Length(text);
        if (length == 0) return -1;
        longest = std::max(longest, length);
        text.remove_prefix(static_cast<std::size_t>(length));
    }
    return longest;
}

}  // namespace

bool isUtf8(std::string_view text) {
    return longestUtf8Character(text) >= 0;
}

bool looksLikeUtf8(std::string_view text) {
    return longestUtf8Character(text) >= 3;
}

namespace {

// One character through one direction of a mapping; empty when it has no
// answer.
std::string convert(iconv_t direction, std::string_view bytes) {
    if (direction == kNoConversion) return {};
    iconv(direction, nullptr, nullptr, nullptr, nullptr);
    char out[16];
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* at = out;
    std::size_t outLeft = sizeof out;
    if (iconv(direction, &in, &inLeft, &at, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0 ||
        iconv(direction, nullptr, nullptr, &at, &outLeft) == static_cast<std::size_t>(-1)) {
        return {};
    }
    return std::string(out, static_cast<std::size_t>(at - out));
}

// What one direction of a mapping answers each of many items: their
// bytes, and where each answer lies in them (kNoAnswer for a failure).
struct EachAnswer {
    static constexpr uint32_t kNoAnswer = UINT32_MAX;
    std::string bytes;
    std::vector<std::pair<uint32_t, uint32_t>> spans;  // start, length

    std::optional<std::string_view> of(std::size_t item) const {
        const auto [start, length] = spans[item];
        if (start == kNoAnswer) return std::nullopt;
        return std::string_view(bytes).substr(start, length);
    }
};

// Each item of `input` (every item followed by a line feed, which stands for
// itself in every mapping and joins no character; `itemStarts` where each
// starts) through `direction`: the same answers as convert() item by item.
// With `skipping` (the same mapping, opened to pass over what it cannot
// convert), in a call or two for all; else in a call for each item that
// fails, a few dozen items a call. Where the output cannot be told apart item
// by item, convert() answers instead.
EachAnswer convertEach(iconv_t direction, iconv_t skipping, std::string_view input,
                       const std::vector<std::size_t>& itemStarts) {
    constexpr std::size_t kLongestAnswer = 16;  // convert()'s room
    constexpr std::size_t kItemsACall = 32;
    const std::size_t count = itemStarts.size();
    const auto endOf = [&](std::size_t item) {
        return item + 1 < count ? itemStarts[item + 1] - 1 : input.size() - 1;
    };
    EachAnswer answers;
    answers.spans.assign(count, {EachAnswer::kNoAnswer, 0});
    const auto oneByOne = [&] {
        answers.bytes.clear();
        for (std::size_t item = 0; item < count; ++item) {
            const std::string bytes =
                convert(direction, input.substr(itemStarts[item], endOf(item) - itemStarts[item]));
            answers.spans[item] = {
                bytes.empty() ? EachAnswer::kNoAnswer : static_cast<uint32_t>(answers.bytes.size()),
                static_cast<uint32_t>(bytes.size())};
            answers.bytes += bytes;
        }
        return std::move(answers);
    };
    if (direction == kNoConversion || count == 0) return answers;
    std::string& output = answers.bytes;
    output.assign(input.size() * 8 + 64, '\0');
    std::size_t made = 0;  // bytes of output kept
    std::size_t item = 0;  // the first item not yet answered
    // Takes the answers of the items wholly converted, each up to its line
    // feed; false when there are more than items.
    const auto takeMade = [&](std::size_t end) {
        while (made < end) {
            const std::size_t feed = output.find('\n', made);
            if (feed >= end) break;
            if (item == count) return false;
            if (feed > made && feed - made <= kLongestAnswer) {
                answers.spans[item] = {static_cast<uint32_t>(made),
                                       static_cast<uint32_t>(feed - made)};
            }
            made = feed + 1;
            ++item;
        }
        return true;
    };
    if (skipping != kNoConversion) {
        iconv(skipping, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        // A call that passed over something may stop early: it goes on.
        while (inLeft > 0) {
            const std::size_t before = inLeft;
            if (iconv(skipping, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) {
                break;
            }
            if (errno != EILSEQ || inLeft == before) return oneByOne();
        }
        if (inLeft != 0 || !takeMade(static_cast<std::size_t>(out - output.data())) ||
            made != static_cast<std::size_t>(out - output.data()) || item != count) {
            return oneByOne();
        }
        return answers;
    }
    while (item < count) {
        iconv(direction, nullptr, nullptr, nullptr, nullptr);
        const std::size_t last = std::min(count, item + kItemsACall) - 1;
        char* in = const_cast<char*>(input.data() + itemStarts[item]);
        std::size_t inLeft = endOf(last) + 1 - itemStarts[item];
        char* out = output.data() + made;
        std::size_t outLeft = output.size() - made;
        const bool failed =
            iconv(direction, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1);
        if (failed && errno == E2BIG) return oneByOne();
        const auto stop = static_cast<std::size_t>(in - input.data());
        if (!takeMade(static_cast<std::size_t>(out - output.data()))) return oneByOne();
        if (!failed) {
            if (item != last + 1) return oneByOne();
            continue;
        }
        // The item that failed is the one the stop lies in: it has no answer.
        if (item == count || stop < itemStarts[item] || stop >= endOf(item)) return oneByOne();
        ++item;
    }
    return answers;
}

// The items joined, each followed by a line feed, and where each starts.
template <class Items, class Bytes>
std::string joinedItems(const Items& items, Bytes bytesOf, std::vector<std::size_t>& starts) {
    std::string joined;
    starts.clear();
    starts.reserve(items.size());
    for (const auto& item : items) {
        starts.push_back(joined.size());
        joined += bytesOf(item);
        joined += '\n';
    }
    return joined;
}

bool isAscii(std::string_view character) {
    return character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x80;
}

// Answers each of `items` that `fromTable(item, answer)` can, then asks
// `byMappings` for the others, all at once.
template <class Item, class Answer, class FromTable, class ByMappings>
void tableThenMappings(const std::vector<Item>& items, std::vector<Answer>& answers,
                       FromTable fromTable, ByMappings byMappings) {
    answers.assign(items.size(), Answer{});
    std::vector<Item> rest;
    std::vector<std::size_t> restOf;
    for (std::size_t i = 0; i < items.size(); ++i) {
        Answer answer{};
        if (fromTable(items[i], answer)) {
            answers[i] = answer;
        } else {
            rest.push_back(items[i]);
            restOf.push_back(i);
        }
    }
    if (rest.empty()) return;
    std::vector<Answer> asked;
    byMappings(rest, asked);
    for (std::size_t k = 0; k < rest.size(); ++k) answers[restOf[k]] = asked[k];
}

// The code point of `text` where it is one UTF-8 character beyond ASCII.
std::optional<char32_t> onePointBeyondAscii(std::string_view text) {
    const auto size = static_cast<int>(text.size());
    if (size < 2 || utf8Length(text) != size) return std::nullopt;
    return codePointOf(text, size);
}

}  // namespace

CharSetConverter::CharSetConverter(CharSet charSet, bool tablesFirst)
    : charSet_(charSet), table_(tablesFirst ? charSetTable(charSet) : nullptr) {}

std::vector<CharSetConverter::Mapping>& CharSetConverter::mappings() {
    if (!opened_) {
        opened_ = true;
        for (const char* name : mappingNames(charSet_)) {
            mappings_.push_back({iconv_open(name, "UTF-8"), iconv_open("UTF-8", name), name});
        }
    }
    return mappings_;
}

CharSetConverter::~CharSetConverter() {
    for (const Mapping& mapping : mappings_) {
        if (mapping.fromUtf8 != kNoConversion) iconv_close(mapping.fromUtf8);
        if (mapping.toUtf8 != kNoConversion) iconv_close(mapping.toUtf8);
        if (mapping.fromUtf8Skipping != nullptr && mapping.fromUtf8Skipping != kNoConversion) {
            iconv_close(mapping.fromUtf8Skipping);
        }
    }
}

std::string CharSetConverter::fromUtf8(std::string_view character) {
    if (isAscii(character)) return std::string(character);
    if (std::optional<std::string> bytes = fromTable(character)) return std::move(*bytes);
    const std::string key(character);
    if (const auto found = fromCache_.find(key); found != fromCache_.end()) return found->second;
    std::string bytes = fromUtf8ByMappings(character);
    fromCache_.emplace(key, bytes);
    return bytes;
}

std::optional<std::string> CharSetConverter::fromTable(std::string_view character) const {
    if (table_ == nullptr) return std::nullopt;
    const std::optional<char32_t> point = onePointBeyondAscii(character);
    if (!point) return std::nullopt;
    const uint16_t packed = table_->packedOf(*point);
    if (packed == 0) return std::string();
    const std::array<char, 2> bytes = DoubleByteCharacter{packed}.bytes();
    return std::string(bytes.data(), 2);
}

std::string CharSetConverter::fromUtf8Uncached(std::string_view character) {
    if (isAscii(character)) return std::string(character);
    if (std::optional<std::string> bytes = fromTable(character)) return std::move(*bytes);
    return fromUtf8ByMappings(character);
}

std::string CharSetConverter::fromUtf8ByMappings(std::string_view character) {
    std::string bytes;
    for (const Mapping& mapping : mappings()) {
        bytes = convert(mapping.fromUtf8, character);
        // Only what the tools read as one character of the set is written.
        if (bytes.size() == 2 && startsWithDoubleByteChar(charSet_, bytes.c_str(), 2)) break;
        bytes.clear();
    }
    return bytes;
}

void CharSetConverter::doubleBytesOf(const std::vector<std::string_view>& characters,
                                     std::vector<uint16_t>& packed) {
    if (table_ == nullptr) return doubleBytesByMappings(characters, packed);
    tableThenMappings(
        characters, packed,
        [&](std::string_view character, uint16_t& answer) {
            const std::optional<char32_t> point = onePointBeyondAscii(character);
            if (point) answer = table_->packedOf(*point);
            return point.has_value();
        },
        [&](const auto& rest, auto& answers) { doubleBytesByMappings(rest, answers); });
}

void CharSetConverter::doubleBytesByMappings(const std::vector<std::string_view>& characters,
                                             std::vector<uint16_t>& packed) {
    packed.assign(characters.size(), 0);
    std::vector<std::size_t> open(characters.size());  // not answered yet, by number
    std::iota(open.begin(), open.end(), std::size_t{0});
    std::vector<std::size_t> starts;
    for (Mapping& mapping : mappings()) {
        if (open.empty()) break;
        const std::string input = joinedItems(
            open, [&](std::size_t i) { return characters[i]; }, starts);
        if (mapping.fromUtf8Skipping == nullptr) {
            mapping.fromUtf8Skipping =
                iconv_open((std::string(mapping.name) + "//IGNORE").c_str(), "UTF-8");
        }
        const EachAnswer answers =
            convertEach(mapping.fromUtf8, mapping.fromUtf8Skipping, input, starts);
        std::vector<std::size_t> still;
        for (std::size_t k = 0; k < open.size(); ++k) {
            const std::optional<std::string_view> bytes = answers.of(k);
            if (bytes && bytes->size() == 2 &&
                startsWithDoubleByteChar(charSet_, bytes->data(), 2)) {
                packed[open[k]] = DoubleByteCharacter::of(bytes->data()).packed;
            } else {
                still.push_back(open[k]);
            }
        }
        open = std::move(still);
    }
}

void CharSetConverter::writeBack(const std::vector<uint16_t>& characters, std::vector<bool>& back) {
    if (table_ == nullptr) return writeBackByMappings(characters, back);
    tableThenMappings(
        characters, back,
        [&](uint16_t packed, bool& answer) {
            const DoubleByteCharacter character{packed};
            if (!startsWithDoubleByteChar(charSet_, character.bytes().data(), 2)) return false;
            answer = table_->pointOfCharacter(charSet_, character) != 0;
            return true;
        },
        [&](const auto& rest, auto& answers) { writeBackByMappings(rest, answers); });
}

void CharSetConverter::writeBackByMappings(const std::vector<uint16_t>& characters,
                                           std::vector<bool>& back) {
    back.assign(characters.size(), false);
    std::vector<std::size_t> open(characters.size());
    std::iota(open.begin(), open.end(), std::size_t{0});
    std::vector<std::size_t> starts;
    for (const Mapping& mapping : mappings()) {
        if (open.empty()) break;
        const std::string input = joinedItems(
            open,
            [&](std::size_t i) {
                const std::array<char, 2> bytes = DoubleByteCharacter{characters[i]}.bytes();
                return std::string(bytes.data(), 2);
            },
            starts);
        const EachAnswer answers = convertEach(mapping.toUtf8, kNoConversion, input, starts);
        // A character this mapping reads as one UTF-8 character is settled
        // by it: written back when that character comes back to it.
        std::vector<std::string_view> settled;
        std::vector<std::size_t> settledOf;
        std::vector<std::size_t> still;
        for (std::size_t k = 0; k < open.size(); ++k) {
            const std::optional<std::string_view> utf8 = answers.of(k);
            if (!utf8 || utf8->empty() || utf8Length(*utf8) != static_cast<int>(utf8->size())) {
                still.push_back(open[k]);
            } else if (!isAscii(*utf8)) {
                settled.push_back(*utf8);
                settledOf.push_back(open[k]);
            }
        }
        std::vector<uint16_t> again;
        doubleBytesOf(settled, again);
        for (std::size_t j = 0; j < settled.size(); ++j) {
            back[settledOf[j]] = again[j] != 0 && again[j] == characters[settledOf[j]];
        }
        open = std::move(still);
    }
}

std::string CharSetConverter::toUtf8(std::string_view character) {
    if (isAscii(character)) return std::string(character);
    if (table_ != nullptr && character.size() == 2 &&
        startsWithDoubleByteChar(charSet_, character.data(), 2)) {
        std::string utf8;
        const char32_t point =
            table_->pointOfCharacter(charSet_, DoubleByteCharacter::of(character.data()));
        if (point != 0) appendUtf8(point, utf8);
        return utf8;
    }
    for (const Mapping& mapping : mappings()) {
        const std::string utf8 = convert(mapping.toUtf8, character);
        if (utf8.empty() || utf8Length(utf8) != static_cast<int>(utf8.size())) continue;
        return fromUtf8(utf8) == character ? utf8 : std::string();
    }
    return {};
}

std::string CharSetConverter::textToUtf8(std::string_view text,
                                         std::vector<std::string>* unwritable) {
    std::string out;
    out.reserve(text.size() * 3 / 2);
    Utf8Forms known;  // each character once
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        if (byte < 0x80) {  // ASCII stands for itself, and starts no double-byte character
            out += text[at++];
            continue;
        }
        const std::size_t length =
            startsWithDoubleByteChar(
                charSet_, text.data() + at,
                static_cast<uint16_t>(std::min<std::size_t>(text.size() - at, 2)))
                ? 2
                : 1;
        const std::string_view character = text.substr(at, length);
        at += length;
        const auto key =
            DoubleByteCharacter::of(byte, length == 2 ? static_cast<uint8_t>(text[at - 1]) : 0);
        const std::string& utf8 = known.of(key, [&] { return toUtf8(character); });
        if (!utf8.empty()) {
            out += utf8;
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, length == 2 ? "%02X %02X" : "%02X",
                      static_cast<unsigned char>(character[0]),
                      length == 2 ? static_cast<unsigned char>(character[1]) : 0);
        out += '<';
        out += hex;
        out += '>';
        if (unwritable != nullptr) unwritable->emplace_back(hex);
    }
    return out;
}
