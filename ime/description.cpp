#include "ime/description.h"

#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/file_identity.h"
#include "foundation/text_helpers.h"
#include "foundation/unknown_keys.h"
#include "foundation/utf8_source.h"
#include "ime/code_geometry.h"
#include "ime/keyboard_bitmap.h"
#include "ime/messages.h"
#include "ime/value_list.h"

namespace {

constexpr uint16_t kImeFormatVersion = 0x0200;
constexpr char kDatabaseNamePrefix[] = "CJK Input Method ";
constexpr int kIdLength = 4;
constexpr int kMaxMaxCodes = 12;

// Every key the section may hold; a line that names another draws 506.
constexpr int kDescriptionKeys[] = {
    kKeyCharSet,
    kKeyId,
    kKeyFullName,
    kKeyName,
    kKeyVersion,
    kKeyCopyright,
    kKeyAuthor,
    kKeyCodingStyle,
    kKeyIndexDepth,
    kKeyNoSort,
    kKeyMaxCodes,
    kKeyUsedCodes,
    kKeyTuneCodes,
    kKeyDispalyCodes,
    kKeyWildChar,
    kKeySeparateChar,
    kKeyAutoSelectKeys,
    kKeyKeyboardBitmap,
    kKeyKeyboardBitmapHDD,
    kKeyEncoding,
};
constexpr KeySpelling kDescriptionSpellings[] = {{"DisplayCodes", kDispalySpelling}};

// Token mode: the value ends at the first blank.
char* tokenValue(CMabrel& mabrel, int keyId) {
    return mabrel.keyTable.findValue(keyName(keyId), false);
}

uint8_t lowByte(int value) {
    return static_cast<uint8_t>(value);
}

int readCharSet(CMabrel& mabrel) {
    const char* value = tokenValue(mabrel, kKeyCharSet);
    if (value == nullptr) return report(kMustSetKey, keyName(kKeyCharSet));
    mabrel.header.charSet = charSetFromName(value);
    if (mabrel.header.charSet == 0) return report(kInvalidCharSet, value);
    return 0;
}

int readEncoding(CMabrel& mabrel) {
    return checkEncoding(mabrel.keyTable.findValue(kEncodingKey, false), mabrel.header.charSet);
}

int readId(CMabrel& mabrel) {
    const char* value = tokenValue(mabrel, kKeyId);
    if (value == nullptr) return report(kMustSetKey, keyName(kKeyId));
    const int length = static_cast<int>(std::strlen(value));
    if (length != kIdLength) return report(kIdNotFourChars, keyName(kKeyId), value, length);
    std::memcpy(mabrel.header.id, value, kIdLength);
    std::memcpy(mabrel.databaseName, kDatabaseNamePrefix, sizeof kDatabaseNamePrefix - 1);
    std::memcpy(mabrel.databaseName + sizeof kDatabaseNamePrefix - 1, value, kIdLength);
    return 0;
}

int readTexts(CMabrel& mabrel) {
    ImeHeader& header = mabrel.header;
    const struct {
        int keyId;
        char* field;
        int size;
        bool required;
    } texts[] = {
        {kKeyFullName, header.fullName, sizeof header.fullName, true},
        {kKeyName, header.name, sizeof header.name, true},
        {kKeyVersion, header.versionText, sizeof header.versionText, false},
        {kKeyCopyright, header.copyright, sizeof header.copyright, false},
        {kKeyAuthor, header.author, sizeof header.author, false},
    };
    for (const auto& text : texts) {
        if (int rc = getKeyValue(mabrel.keyTable, text.keyId, text.field, text.size, text.required,
                                 true)) {
            return rc;
        }
    }
    return 0;
}

// "CodingStyle=1", "CodingStyle=2" or "CodingStyle=2,subtype".
int readCodingStyle(CMabrel& mabrel) {
    const char* name = keyName(kKeyCodingStyle);
    const char* value = tokenValue(mabrel, kKeyCodingStyle);
    if (value == nullptr) return report(kMustSetKey, name);
    ImeHeader& header = mabrel.header;
    header.codingStyle = lowByte(decimalValue(value));
    if (header.codingStyle != 1 && header.codingStyle != 2) {
        return report(kStyleInvalid, name, value, 1, 2);
    }
    if (header.codingStyle == 1) return 0;

    const char* subtype = skipBlanks(value + 1);
    if (*subtype == ',') ++subtype;
    header.codingSubtype = lowByte(decimalValue(subtype));
    if (header.codingSubtype > 2) return report(kSubtypeInvalid, name, subtype, 0, 1, 2);
    return 0;
}

// "IndexDepth" and "NoSort", which only style 1 reads.
int readStyleOneOptions(CMabrel& mabrel) {
    ImeHeader& header = mabrel.header;
    header.indexDepth = 2;
    if (const char* value = tokenValue(mabrel, kKeyIndexDepth)) {
        header.indexDepth = lowByte(decimalValue(value));
        if (header.indexDepth > 2) return report(kDepthInvalid, keyName(kKeyIndexDepth), value);
    }
    header.noSort = 0;
    if (const char* value = tokenValue(mabrel, kKeyNoSort)) {
        header.noSort = lowByte(decimalValue(value));
        if (header.noSort > 1) return report(kNoSortInvalid, keyName(kKeyNoSort), value);
    }
    return 0;
}

int readMaxCodes(CMabrel& mabrel) {
    const char* name = keyName(kKeyMaxCodes);
    const char* value = tokenValue(mabrel, kKeyMaxCodes);
    if (value == nullptr) return report(kMustSetKey, name);
    const int maxCodes = decimalValue(value);
    mabrel.header.maxCodes = lowByte(maxCodes);
    if (maxCodes == 0) return report(kValueZero, name);
    if (maxCodes > kMaxMaxCodes) return report(kValueAboveMax, name, kMaxMaxCodes);
    if (maxCodes < 0) return report(kValueBelowMin, name, 1);
    return 0;
}

int readCodes(CMabrel& mabrel) {
    ImeHeader& header = mabrel.header;
    if (int rc = getKeyValue(mabrel.keyTable, kKeyUsedCodes, header.usedCodes,
                             sizeof header.usedCodes, true, false)) {
        return rc;
    }
    header.usedCodeCount = static_cast<uint16_t>(std::strlen(header.usedCodes));
    if (header.codingStyle != 2) return 0;

    if (int rc = getKeyValue(mabrel.keyTable, kKeyTuneCodes, header.tuneCodes,
                             sizeof header.tuneCodes, false, false)) {
        return rc;
    }
    for (const char* c = header.tuneCodes; *c != '\0'; ++c) {
        if (std::strchr(header.usedCodes, *c) == nullptr) {
            return report(kTuneCodeInvalid, keyName(kKeyTuneCodes), keyName(kKeyUsedCodes));
        }
    }
    return 0;
}

int readDisplayCodes(CMabrel& mabrel) {
    const char* name = keyName(kKeyDispalyCodes);
    const char* value = mabrel.keyTable.findValue(name, true);
    if (value == nullptr) return 0;
    std::vector<ValuePair> items = parseValueList(value);
    if (items.empty()) return 0;
    const int usedCodeCount = mabrel.header.usedCodeCount;
    if (static_cast<int>(items.size()) != usedCodeCount) {
        return report(kValueCountMismatch, name, usedCodeCount);
    }
    mabrel.displayCodes = std::move(items);
    return 0;
}

// "WildChar" and "SeparateChar": one printable ASCII character, not a blank.
int readSingleChar(CMabrel& mabrel, int keyId, uint8_t& field) {
    const char* value = tokenValue(mabrel, keyId);
    if (value == nullptr) return 0;
    const uint8_t c = static_cast<uint8_t>(value[0]);
    if (value[1] != '\0' || c < 0x21 || c > 0x7E) return report(kNotOneChar, keyName(keyId));
    field = c;
    return 0;
}

void readAutoSelectKeys(CMabrel& mabrel) {
    if (const char* value = tokenValue(mabrel, kKeyAutoSelectKeys)) {
        const int8_t keys = static_cast<int8_t>(lowByte(decimalValue(value)));
        mabrel.header.autoSelectKeys = static_cast<uint16_t>(int16_t{keys});
    }
}

int readKeyboardBitmaps(CMabrel& mabrel) {
    const char* name = tokenValue(mabrel, kKeyKeyboardBitmap);
    if (name == nullptr) return 0;
    const char* highDensityName = tokenValue(mabrel, kKeyKeyboardBitmapHDD);
    for (const char* picture : {name, highDensityName}) {
        const char* destination = mabrel.destinationName.c_str();
        if (picture != nullptr && isSameFile(destination, picture)) {
            return report(kDestinationIsSource, destination);
        }
    }
    return loadKeyboardBitmaps(mabrel, name, highDensityName);
}

}  // namespace

int parseDescription(CMabrel& mabrel) {
    const char* section = keyName(kKeyDescription);
    if (!seekSection(mabrel.source, kKeyDescription)) return report(kSectionMissing, section);
    if (mabrel.keyTable.loadSection(mabrel.source.stream) == 0) {
        return report(kNoKeywords, section);
    }
    warnUnknownKeys(mabrel.keyTable, kDescriptionKeys, kDescriptionSpellings);

    ImeHeader& header = mabrel.header;
    header.version = kImeFormatVersion;
    if (int rc = readCharSet(mabrel)) return rc;
    if (int rc = readEncoding(mabrel)) return rc;
    if (int rc = readId(mabrel)) return rc;
    if (int rc = readTexts(mabrel)) return rc;
    if (int rc = readCodingStyle(mabrel)) return rc;
    if (header.codingStyle == 1) {
        if (int rc = readStyleOneOptions(mabrel)) return rc;
    }
    if (int rc = readMaxCodes(mabrel)) return rc;
    if (int rc = readCodes(mabrel)) return rc;
    if (int rc = setCodeGeometry(header)) return rc;
    if (int rc = readDisplayCodes(mabrel)) return rc;
    if (int rc = readSingleChar(mabrel, kKeyWildChar, header.wildChar)) return rc;
    if (header.codingStyle == 2) {
        if (int rc = readSingleChar(mabrel, kKeySeparateChar, header.separateChar)) return rc;
    }
    readAutoSelectKeys(mabrel);
    if (int rc = readKeyboardBitmaps(mabrel)) return rc;

    mabrel.keyTable.clear();
    return 0;
}
