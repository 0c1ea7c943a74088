// What a phrase database holds besides the container: one "HEAD" resource
// (the HeadRecord, kept in host order in CTosker and stored big-endian) and
// "DATA" resources of 256 slots each, ids counting up from 8888.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr char kPhraseDatabaseType[] = "CIZU";
inline constexpr char kHeadType[] = "HEAD";
inline constexpr char kDataType[] = "DATA";
inline constexpr int kSlotsPerBlock = 256;
inline constexpr int kFirstDoubleByteIndex = 256;
// Offsets inside a "DATA" body are 16-bit, so no body may pass this size.
inline constexpr int kMaxBlockBytes = 65535;
// A phrase word: the character index in bits 0 to 14; bit 15 ends a phrase.
inline constexpr uint16_t kLastWordBit = 0x8000;
inline constexpr uint16_t kIndexBits = 0x7FFF;

inline constexpr uint16_t kPhraseFormatVersion = 0x0200;
inline constexpr int kHeadRecordSize = 64;
inline constexpr int kSignatureSize = 48;
inline constexpr char kPhraseSignature[] = "Qalto Phrase by Ba Rinvela\x1A";

struct HeadRecord {
    uint16_t version;
    uint16_t charSet;
    uint16_t firstIndex;
    uint16_t lastIndex;
    uint16_t blockCount;
    uint16_t maxPhraseLength;
    uint32_t phraseCount;
    char signature[kSignatureSize];
};
static_assert(sizeof(HeadRecord) == kHeadRecordSize);
static_assert(offsetof(HeadRecord, phraseCount) == 12);
static_assert(offsetof(HeadRecord, signature) == 16);

// Converts every number field between host and big-endian order in place;
// the signature is left as it is. Applying it twice restores the record.
void swapHeadRecord(HeadRecord& head);
