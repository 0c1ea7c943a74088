#include "ime/database/ime_layout.h"

#include <algorithm>
#include <cstring>

#include "foundation/char_sets.h"
#include "ime/code_numbering.h"
#include "ime/database/code_buckets.h"
#include "ime/database/code_geometry.h"
#include "ime/database/code_tables_builder.h"
#include "ime/input_method_limits.h"
#include "ime/messages.h"

namespace {

constexpr char kDatabaseNamePrefix[] = "CJK Input Method ";

// A text into its NUL-terminated, zero-filled field.
template <std::size_t N>
void putText(char (&field)[N], const std::string& text) {
    std::memcpy(field, text.data(), std::min(text.size(), N - 1));
}

template <std::size_t N>
std::string textOf(const char (&field)[N]) {
    return std::string(field, strnlen(field, N));
}

RuleTable ruleTableOf(const std::vector<CodingRule>& rules) {
    RuleTable table;
    if (rules.empty()) return table;
    table.minItems = UINT16_MAX;
    for (const CodingRule& rule : rules) {
        RuleRecord& record = table.records.emplace_back();
        record.kind = static_cast<uint8_t>(rule.kind);
        record.hanZiCount = static_cast<uint16_t>(rule.hanZiCount);
        for (const CodingRuleItem& item : rule.items) {
            record.items.push_back({static_cast<uint8_t>(item.direction),
                                    static_cast<uint16_t>(item.hanZi),
                                    static_cast<uint16_t>(item.code)});
        }
        const auto items = static_cast<uint16_t>(record.items.size());
        table.recordSize = std::max(table.recordSize, static_cast<uint16_t>(record.size()));
        table.minItems = std::min(table.minItems, items);
        table.maxItems = std::max(table.maxItems, items);
    }
    return table;
}

std::vector<CodingRule> codingRulesOf(const RuleTable& table) {
    std::vector<CodingRule> rules;
    for (const RuleRecord& record : table.records) {
        CodingRule& rule = rules.emplace_back();
        rule.kind = static_cast<char>(record.kind);
        rule.hanZiCount = record.hanZiCount;
        for (const RuleItem& item : record.items) {
            rule.items.push_back(
                {static_cast<char>(item.direction), item.hanZiNumber, item.codeNumber});
        }
    }
    return rules;
}

ConvertedBitmap bitmapOf(const KeyboardPicture& picture) {
    ConvertedBitmap bitmap;
    bitmap.width = picture.width;
    bitmap.height = picture.height;
    bitmap.rowBytes = bitmapRowBytes(picture.width);
    bitmap.bits.assign(static_cast<std::size_t>(bitmapBitsSize(picture.width, picture.height)), 0);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.pixels[static_cast<std::size_t>(y) * picture.width + x] == 0) continue;
            bitmap.bits[static_cast<std::size_t>(y) * bitmap.rowBytes + x / 8] |=
                static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
    return bitmap;
}

// Pictures of the sizes a source gives; any other cannot be written back.
bool hasPictureSizes(const KeyboardBitmap& bitmap) {
    const ConvertedBitmap& standard = bitmap.standard;
    const auto& high = bitmap.highDensity;
    return isStandardPictureSize(standard.width, standard.height) &&
           (!high || (high->width == 2 * standard.width && high->height == 2 * standard.height));
}

KeyboardPicture pictureOf(const ConvertedBitmap& bitmap) {
    KeyboardPicture picture{bitmap.width, bitmap.height, {}};
    picture.pixels.reserve(static_cast<std::size_t>(bitmap.width) * bitmap.height);
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const uint8_t byte = bitmap.bits[static_cast<std::size_t>(y) * bitmap.rowBytes + x / 8];
            picture.pixels.push_back((byte & (0x80 >> (x % 8))) != 0 ? 1 : 0);
        }
    }
    return picture;
}

void putHeader(const InputMethod& im, ImeHeader& h) {
    h = ImeHeader{};
    h.version = kImeFormatVersion;
    h.charSet = im.charSet;
    std::memcpy(h.id, im.id.data(), std::min(im.id.size(), kIdLength));
    h.noSort = im.noSort ? 1 : 0;
    h.codingStyle = static_cast<uint8_t>(im.codingStyle);
    h.indexDepth = static_cast<uint8_t>(im.indexDepth);
    h.codingSubtype = static_cast<uint8_t>(im.codingSubtype);
    h.wildChar = static_cast<uint8_t>(im.wildChar);
    h.separateChar = static_cast<uint8_t>(im.separateChar);
    h.autoSelectKeys = static_cast<uint16_t>(static_cast<int16_t>(im.autoSelectKeys));
    h.maxCodes = static_cast<uint16_t>(im.maxCodes);
    putText(h.usedCodes, im.usedCodes);
    h.usedCodeCount = static_cast<uint16_t>(strnlen(h.usedCodes, sizeof h.usedCodes));
    putText(h.tuneCodes, im.tuneCodes);
    putText(h.fullName, im.fullName);
    putText(h.name, im.name);
    putText(h.versionText, im.version);
    putText(h.copyright, im.copyright);
    putText(h.author, im.author);
}

std::string codeOf(const ImeHeader& h, const CodeTables& t, int entry) {
    const uint8_t* head = t.bits.data() + static_cast<std::size_t>(entry) * h.codeHeadBytes;
    if (h.codingStyle == 2) {
        return std::string(reinterpret_cast<const char*>(head),
                           strnlen(reinterpret_cast<const char*>(head), h.codeHeadBytes));
    }
    WorkBuffer packed{};
    std::copy_n(head, h.codeHeadBytes, packed.begin());
    std::copy_n(t.bitsRest.begin() + static_cast<std::ptrdiff_t>(entry) * h.codeRestBytes,
                h.codeRestBytes, packed.begin() + h.codeHeadBytes);
    char code[kCodeFieldSize] = {};
    unpackCode(h, packed.data(), code);
    return code;
}

// The pairs of every entry, in entry order, each entry's pairs under its
// number as their line.
void entriesOf(const ImeHeader& h, const CodeTables& t, InputMethod& im) {
    const int count = std::max(entryCount(t), 0);
    im.entries.reserve(static_cast<std::size_t>(t.hzTab.empty() ? 0 : t.hzTab.size() - 1));
    CodeNumbering numbering(im.codes, static_cast<std::size_t>(count));
    for (int entry = 1; entry <= count; ++entry) {
        const uint32_t code = numbering.numberOf(codeOf(h, t, entry));
        const int first = h.codingStyle == 2 ? t.hzInd[entry] : entry;
        const int end = h.codingStyle == 2 ? t.hzInd[entry + 1] : entry + 1;
        for (int p = first; p < end; ++p) {
            char bytes[3] = {};
            indexToChar(h.charSet, t.hzTab[p], bytes, sizeof bytes);
            im.entries.push_back(
                {code, static_cast<uint32_t>(entry), DoubleByteCharacter::of(bytes)});
        }
    }
}

}  // namespace

ImeHeader settledHeader(const ImeLayout& layout) {
    ImeHeader h = layout.header;
    h.ruleCount = static_cast<uint16_t>(layout.rules.records.size());
    h.ruleSize = layout.rules.recordSize;
    h.minRuleItems = layout.rules.minItems;
    h.maxRuleItems = layout.rules.maxItems;
    h.minHZIndex = layout.tables.minHZIndex;
    h.maxHZIndex = layout.tables.maxHZIndex;
    h.hzTotal = codedCharacterCount(layout.tables);
    h.repeatCount = static_cast<uint16_t>(layout.tables.repeatBlocks.size());
    return h;
}

int layOutFrontEnd(const InputMethod& im, ImeLayout& layout) {
    ImeHeader& h = layout.header;
    putHeader(im, h);
    CodeGeometry geometry;
    if (int rc = codeGeometry(h.codingStyle, h.usedCodeCount, h.maxCodes, geometry)) return rc;
    h.bitsPerCode = geometry.bitsPerCode;
    h.codeHeadBytes = geometry.codeHeadBytes;
    h.codeRestBytes = geometry.codeRestBytes;

    std::memset(layout.databaseName, 0, sizeof layout.databaseName);
    std::memcpy(layout.databaseName, kDatabaseNamePrefix, sizeof kDatabaseNamePrefix - 1);
    std::memcpy(layout.databaseName + sizeof kDatabaseNamePrefix - 1, h.id, kIdLength);
    layout.displayCodes = im.displayCodes;
    layout.keyMap.reset();
    if (im.keyMap) layout.keyMap = KeyMap{*im.keyMap};
    layout.rules = ruleTableOf(im.rules);
    layout.keyboardBitmap.reset();
    if (im.keyboard) {
        KeyboardBitmap& bitmap = layout.keyboardBitmap.emplace();
        bitmap.standard = bitmapOf(im.keyboard->standard);
        if (im.keyboard->highDensity) bitmap.highDensity = bitmapOf(*im.keyboard->highDensity);
    }
    layout.helpText = im.helpText;
    return 0;
}

int layOutCodeTables(const InputMethod& im, const ImeHeader& header, CodeTables& tables) {
    CodeBuckets buckets;
    fileCodeTable(header, im, buckets);
    if (buckets.entryCount > kMaxCodeEntries || buckets.pairCount > kMaxCodedCharacters) {
        return report(kTooManyCodes, keyName(kKeyText));
    }
    return buildCodeTables(header, buckets, tables);
}

int layOutInputMethod(const InputMethod& im, ImeLayout& layout) {
    if (int rc = layOutFrontEnd(im, layout)) return rc;
    return layOutCodeTables(im, layout.header, layout.tables);
}

InputMethod inputMethodOf(const ImeLayout& layout) {
    const ImeHeader& h = layout.header;
    InputMethod im;
    im.charSet = h.charSet;
    im.id.assign(reinterpret_cast<const char*>(h.id), kIdLength);
    im.fullName = textOf(h.fullName);
    im.name = textOf(h.name);
    im.version = textOf(h.versionText);
    im.copyright = textOf(h.copyright);
    im.author = textOf(h.author);
    im.codingStyle = h.codingStyle;
    im.codingSubtype = h.codingSubtype;
    im.indexDepth = h.indexDepth;
    im.noSort = h.noSort != 0;
    im.maxCodes = h.maxCodes;
    im.usedCodes = textOf(h.usedCodes);
    im.tuneCodes = textOf(h.tuneCodes);
    im.wildChar = static_cast<char>(h.wildChar);
    im.separateChar = static_cast<char>(h.separateChar);
    im.autoSelectKeys = static_cast<int16_t>(h.autoSelectKeys);
    im.displayCodes = layout.displayCodes;
    if (layout.keyMap) im.keyMap = layout.keyMap->rows;
    im.rules = codingRulesOf(layout.rules);
    if (layout.keyboardBitmap && hasPictureSizes(*layout.keyboardBitmap)) {
        KeyboardPictures& pictures = im.keyboard.emplace();
        pictures.standard = pictureOf(layout.keyboardBitmap->standard);
        if (const auto& high = layout.keyboardBitmap->highDensity) {
            pictures.highDensity = pictureOf(*high);
        }
    }
    im.helpText = layout.helpText;
    entriesOf(h, layout.tables, im);
    return im;
}
