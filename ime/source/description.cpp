#include "ime/source/description.h"

#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/file_identity.h"
#include "foundation/text_helpers.h"
#include "foundation/unknown_keys.h"
#include "foundation/utf8_source.h"
#include "ime/input_method_limits.h"
#include "ime/messages.h"
#include "ime/source/keyboard_bitmap.h"
#include "ime/source/value_list.h"

namespace {

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

// The database keeps these numbers in one byte.
int lowByte(int value) {
    return static_cast<uint8_t>(value);
}

// Room for a text key's value: the size of its field in the database,
// the NUL included.
constexpr int kUsedCodesRoom = 64;
constexpr int kTuneCodesRoom = 16;

int readCharSet(CMabrel& mabrel) {
    const char* value = tokenValue(mabrel, kKeyCharSet);
    if (value == nullptr) return report(kMustSetKey, keyName(kKeyCharSet));
    mabrel.im.charSet = charSetFromName(value);
    if (mabrel.im.charSet == 0) return report(kInvalidCharSet, value);
    return 0;
}

int readEncoding(CMabrel& mabrel) {
    return checkEncoding(mabrel.keyTable.findValue(kEncodingKey, false), mabrel.im.charSet);
}

int readId(CMabrel& mabrel) {
    const char* value = tokenValue(mabrel, kKeyId);
    if (value == nullptr) return report(kMustSetKey, keyName(kKeyId));
    const std::size_t length = std::strlen(value);
    if (length != kIdLength) {
        return report(kIdNotFourChars, keyName(kKeyId), value, static_cast<int>(length));
    }
    mabrel.im.id.assign(value, kIdLength);
    return 0;
}

// A text key into `text`, at most `room` - 1 characters.
int readText(CMabrel& mabrel, int keyId, std::string& text, int room, bool required,
             bool wholeLine) {
    std::vector<char> field(static_cast<std::size_t>(room), '\0');
    if (int rc = getKeyValue(mabrel.keyTable, keyId, field.data(), room, required, wholeLine)) {
        return rc;
    }
    text = field.data();
    return 0;
}

int readTexts(CMabrel& mabrel) {
    InputMethod& im = mabrel.im;
    const struct {
        int keyId;
        std::string& text;
        int room;
        bool required;
    } texts[] = {
        {kKeyFullName, im.fullName, 32, true}, {kKeyName, im.name, 16, true},
        {kKeyVersion, im.version, 16, false},  {kKeyCopyright, im.copyright, 32, false},
        {kKeyAuthor, im.author, 16, false},
    };
    for (const auto& text : texts) {
        if (int rc = readText(mabrel, text.keyId, text.text, text.room, text.required, true)) {
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
    InputMethod& im = mabrel.im;
    im.codingStyle = lowByte(decimalValue(value));
    if (im.codingStyle != 1 && im.codingStyle != 2) {
        return report(kStyleInvalid, name, value, 1, 2);
    }
    if (im.codingStyle == 1) return 0;

    const char* subtype = skipBlanks(value + 1);
    if (*subtype == ',') ++subtype;
    im.codingSubtype = lowByte(decimalValue(subtype));
    if (im.codingSubtype > 2) return report(kSubtypeInvalid, name, subtype, 0, 1, 2);
    return 0;
}

// "IndexDepth" and "NoSort", which only style 1 reads.
int readStyleOneOptions(CMabrel& mabrel) {
    InputMethod& im = mabrel.im;
    im.indexDepth = 2;
    if (const char* value = tokenValue(mabrel, kKeyIndexDepth)) {
        im.indexDepth = lowByte(decimalValue(value));
        if (im.indexDepth > 2) return report(kDepthInvalid, keyName(kKeyIndexDepth), value);
    }
    im.noSort = false;
    if (const char* value = tokenValue(mabrel, kKeyNoSort)) {
        const int noSort = lowByte(decimalValue(value));
        if (noSort > 1) return report(kNoSortInvalid, keyName(kKeyNoSort), value);
        im.noSort = noSort == 1;
    }
    return 0;
}

int readMaxCodes(CMabrel& mabrel) {
    const char* name = keyName(kKeyMaxCodes);
    const char* value = tokenValue(mabrel, kKeyMaxCodes);
    if (value == nullptr) return report(kMustSetKey, name);
    const int maxCodes = decimalValue(value);
    mabrel.im.maxCodes = lowByte(maxCodes);
    if (maxCodes == 0) return report(kValueZero, name);
    if (maxCodes > kMaxMaxCodes) return report(kValueAboveMax, name, kMaxMaxCodes);
    if (maxCodes < 0) return report(kValueBelowMin, name, 1);
    return 0;
}

int readCodes(CMabrel& mabrel) {
    InputMethod& im = mabrel.im;
    if (int rc = readText(mabrel, kKeyUsedCodes, im.usedCodes, kUsedCodesRoom, true, false)) {
        return rc;
    }
    if (im.codingStyle != 2) return 0;

    if (int rc = readText(mabrel, kKeyTuneCodes, im.tuneCodes, kTuneCodesRoom, false, false)) {
        return rc;
    }
    for (const char* c = im.tuneCodes.c_str(); *c != '\0'; ++c) {
        if (std::strchr(im.usedCodes.c_str(), *c) == nullptr) {
            return report(kTuneCodeInvalid, keyName(kKeyTuneCodes), keyName(kKeyUsedCodes));
        }
    }
    return 0;
}

int readDisplayCodes(CMabrel& mabrel) {
    const char* name = keyName(kKeyDispalyCodes);
    const char* value = mabrel.keyTable.findValue(name, true);
    if (value == nullptr) return 0;
    std::vector<ValuePair> items;
    if (int rc = parseValueList(value, items)) return rc;
    if (items.empty()) return 0;
    const auto usedCodeCount = static_cast<int>(mabrel.im.usedCodes.size());
    if (static_cast<int>(items.size()) != usedCodeCount) {
        return report(kValueCountMismatch, name, usedCodeCount);
    }
    mabrel.im.displayCodes = std::move(items);
    return 0;
}

// "WildChar" and "SeparateChar": one printable ASCII character, not a blank.
int readSingleChar(CMabrel& mabrel, int keyId, char& field) {
    const char* value = tokenValue(mabrel, keyId);
    if (value == nullptr) return 0;
    const uint8_t c = static_cast<uint8_t>(value[0]);
    if (value[1] != '\0' || c < 0x21 || c > 0x7E) return report(kNotOneChar, keyName(keyId));
    field = static_cast<char>(c);
    return 0;
}

void readAutoSelectKeys(CMabrel& mabrel) {
    if (const char* value = tokenValue(mabrel, kKeyAutoSelectKeys)) {
        mabrel.im.autoSelectKeys = static_cast<int8_t>(lowByte(decimalValue(value)));
    }
}

int readKeyboardBitmaps(CMabrel& mabrel) {
    const char* name = tokenValue(mabrel, kKeyKeyboardBitmap);
    const char* highDensityName = tokenValue(mabrel, kKeyKeyboardBitmapHDD);
    if (mabrel.drawPictures) {
        if (name == nullptr) return report(kNoPictureKey, keyName(kKeyKeyboardBitmap));
        mabrel.pictureToDraw = name;
        mabrel.highDensityPictureToDraw = highDensityName != nullptr ? highDensityName : "";
        return 0;
    }
    if (name == nullptr) return 0;
    for (const char* picture : {name, highDensityName}) {
        const char* destination = mabrel.destinationName.c_str();
        if (picture == nullptr) continue;
        if (isSameFile(destination, picture)) return report(kDestinationIsSource, destination);
        mabrel.picturesRead.emplace_back(picture);
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

    InputMethod& im = mabrel.im;
    if (int rc = readCharSet(mabrel)) return rc;
    if (int rc = readEncoding(mabrel)) return rc;
    if (int rc = readId(mabrel)) return rc;
    if (int rc = readTexts(mabrel)) return rc;
    if (int rc = readCodingStyle(mabrel)) return rc;
    im.indexDepth = 0;
    im.noSort = false;
    if (im.codingStyle == 1) {
        if (int rc = readStyleOneOptions(mabrel)) return rc;
    }
    if (int rc = readMaxCodes(mabrel)) return rc;
    if (int rc = readCodes(mabrel)) return rc;
    if (im.codingStyle == 1 &&
        !packedCodesFit(static_cast<int>(im.usedCodes.size()), im.maxCodes)) {
        return report(kCodeBitsTooLong);
    }
    if (int rc = readDisplayCodes(mabrel)) return rc;
    if (int rc = readSingleChar(mabrel, kKeyWildChar, im.wildChar)) return rc;
    if (im.codingStyle == 2) {
        if (int rc = readSingleChar(mabrel, kKeySeparateChar, im.separateChar)) return rc;
    }
    readAutoSelectKeys(mabrel);
    if (int rc = readKeyboardBitmaps(mabrel)) return rc;

    mabrel.keyTable.clear();
    return 0;
}
