#include "foundation/char_sets.h"

#include "foundation/text_helpers.h"

const CharSetEntry kCharSetTable[kCharSetCount] = {
    {kChineseGB, "ChineseGB"},       {kChineseGBK, "ChineseGBK"},
    {kChineseBIG5, "ChineseBIG5"},   {kJapaneseJIS, "JapaneseJIS"},
    {kJapaneseSJIS, "JapaneseSJIS"}, {kKoreanKSC, "KoreanKSC"},
};

namespace {

bool isEucLike(CharSet charSet) {
    return charSet == kChineseGB || charSet == kJapaneseJIS || charSet == kKoreanKSC;
}

bool isTrailByte(CharSet charSet, uint8_t b) {
    switch (charSet) {
        case kChineseGB:
        case kJapaneseJIS:
        case kKoreanKSC:
            return b >= 0xA1 && b <= 0xFE;
        case kChineseGBK:
            return b >= 0x40 && b <= 0xFE && b != 0x7F;
        case kChineseBIG5:
            return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
        case kJapaneseSJIS:
            return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
        default:
            return false;
    }
}

}  // namespace

CharSet charSetFromName(const char* name) {
    for (const CharSetEntry& entry : kCharSetTable) {
        if (equalsIgnoringCase(name, entry.name)) return entry.id;
    }
    return 0;
}

const char* charSetName(CharSet charSet) {
    for (const CharSetEntry& entry : kCharSetTable) {
        if (entry.id == charSet) return entry.name;
    }
    return nullptr;
}

bool isLeadByte(CharSet charSet, uint8_t b) {
    switch (charSet) {
        case kChineseGB:
        case kJapaneseJIS:
        case kKoreanKSC:
            return b >= 0xA1 && b <= 0xFE;
        case kChineseGBK:
        case kChineseBIG5:
            return b >= 0x81 && b <= 0xFE;
        case kJapaneseSJIS:
            return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        default:
            return false;
    }
}

const char* nextChar(CharSet charSet, const char* text) {
    if (*text == '\0') return text;
    if (!isLeadByte(charSet, static_cast<uint8_t>(text[0]))) return text + 1;
    if (text[1] == '\0') return text + 1;
    return isTrailByte(charSet, static_cast<uint8_t>(text[1])) ? text + 2 : text + 1;
}

bool startsWithDoubleByteChar(CharSet charSet, const char* text, uint16_t available) {
    return available >= 2 && nextChar(charSet, text) == text + 2;
}

int charToIndex(CharSet charSet, const char* text) {
    const int lead = static_cast<uint8_t>(text[0]);
    if (!isLeadByte(charSet, static_cast<uint8_t>(lead))) return lead;
    const int trail = static_cast<uint8_t>(text[1]);

    if (isEucLike(charSet)) return 256 + (lead - 0xA1) * 94 + (trail - 0xA1);
    switch (charSet) {
        case kChineseGBK:
            if (lead >= 0xA1 && trail >= 0xA1) return 256 + (lead - 0xA1) * 94 + (trail - 0xA1);
            if (lead >= 0xA1) return 9092 + (lead - 0xA1) * 97 + (trail - 0x40);
            return 18210 + (lead - 0x81) * 191 + (trail - 0x40);
        case kChineseBIG5: {
            const int t = trail < 0xA1 ? trail - 0x40 : trail - 0x62;
            if (lead >= 0xA1) return 256 + (lead - 0xA1) * 157 + t;
            if (lead >= 0x8E) return 15014 + (lead - 0x8E) * 157 + t;
            return 17997 + (lead - 0x81) * 157 + t;
        }
        case kJapaneseSJIS: {
            const int l = lead < 0xE0 ? lead - 0x81 : lead - 0xC1;
            const int t = trail < 0x80 ? trail - 0x40 : trail - 0x41;
            return 256 + l * 188 + t;
        }
        default:
            return 0;
    }
}

int indexCount(CharSet charSet) {
    switch (charSet) {
        case kChineseGB:
        case kJapaneseJIS:
        case kKoreanKSC:
            return 9092;
        case kChineseGBK:
            return 24322;
        case kChineseBIG5:
            return 20038;
        case kJapaneseSJIS:
            return 11536;
        default:
            return 256;
    }
}

int indexToChar(CharSet charSet, unsigned index, char* buffer, uint16_t size) {
    if (size == 0 || index >= 65536) return 0;
    if (index < 256) {
        buffer[0] = static_cast<char>(index);
        if (size > 1) buffer[1] = '\0';
        return 1;
    }
    if (size < 2) return 0;
    if (charSetName(charSet) == nullptr || index >= static_cast<unsigned>(indexCount(charSet))) {
        buffer[0] = '\0';
        return 0;
    }

    const unsigned c = index - 256;
    unsigned lead = 0;
    unsigned trail = 0;
    if (isEucLike(charSet)) {
        lead = 0xA1 + c / 94;
        trail = 0xA1 + c % 94;
    } else if (charSet == kChineseGBK) {
        if (c < 8836) {
            lead = 0xA1 + c / 94;
            trail = 0xA1 + c % 94;
        } else if (c < 17954) {
            lead = 0xA1 + (c - 8836) / 97;
            trail = 0x40 + (c - 8836) % 97;
        } else {
            lead = 0x81 + (c - 17954) / 191;
            trail = 0x40 + (c - 17954) % 191;
        }
    } else if (charSet == kChineseBIG5) {
        unsigned cc = c;
        if (c < 14758) {
            lead = 0xA1 + cc / 157;
        } else if (c < 17741) {
            cc = c - 14758;
            lead = 0x8E + cc / 157;
        } else {
            cc = c - 17741;
            lead = 0x81 + cc / 157;
        }
        trail = 0x40 + cc % 157;
        if (trail > 0x7E) trail += 0x22;
    } else {  // kJapaneseSJIS
        lead = 0x81 + c / 188;
        if (lead > 0x9F) lead += 0x40;
        trail = 0x40 + c % 188;
        if (trail > 0x7E) trail += 1;
    }
    buffer[0] = static_cast<char>(lead);
    buffer[1] = static_cast<char>(trail);
    if (size > 2) buffer[2] = '\0';
    return 2;
}
