#include "foundation/text_encoding.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdio>
#include <memory>

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

bool isAscii(std::string_view character) {
    return character.size() == 1 && static_cast<unsigned char>(character[0]) < 0x80;
}

}  // namespace

CharSetConverter::CharSetConverter(CharSet charSet) : charSet_(charSet) {
    for (const char* name : mappingNames(charSet)) {
        mappings_.push_back({iconv_open(name, "UTF-8"), iconv_open("UTF-8", name)});
    }
}

CharSetConverter::~CharSetConverter() {
    for (const Mapping& mapping : mappings_) {
        if (mapping.fromUtf8 != kNoConversion) iconv_close(mapping.fromUtf8);
        if (mapping.toUtf8 != kNoConversion) iconv_close(mapping.toUtf8);
    }
}

std::string CharSetConverter::fromUtf8(std::string_view character) {
    if (isAscii(character)) return std::string(character);
    const std::string key(character);
    if (const auto found = fromCache_.find(key); found != fromCache_.end()) return found->second;
    std::string bytes = fromUtf8Uncached(character);
    fromCache_.emplace(key, bytes);
    return bytes;
}

std::string CharSetConverter::fromUtf8Uncached(std::string_view character) {
    if (isAscii(character)) return std::string(character);
    std::string bytes;
    for (const Mapping& mapping : mappings_) {
        bytes = convert(mapping.fromUtf8, character);
        // Only what the tools read as one character of the set is written.
        if (bytes.size() == 2 && startsWithDoubleByteChar(charSet_, bytes.c_str(), 2)) break;
        bytes.clear();
    }
    return bytes;
}

std::string CharSetConverter::toUtf8(std::string_view character) {
    if (isAscii(character)) return std::string(character);
    for (const Mapping& mapping : mappings_) {
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
