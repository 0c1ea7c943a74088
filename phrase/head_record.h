// The "HEAD" resource of a phrase database: what the database holds and for
// which character set. The record is kept in host order and stored
// big-endian (the layout is in head_record.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The container's type of a phrase database and the type of its head.
inline constexpr char kPhraseDatabaseType[] = "CIZU";
inline constexpr char kHeadType[] = "HEAD";

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

// Appends the 64 bytes of the record.
void encodeHeadRecord(const HeadRecord& head, std::vector<uint8_t>& out);

// Reads the record from the `available` bytes at `bytes`; false when fewer
// than 64 are given. What follows the record is not looked at.
bool decodeHeadRecord(const uint8_t* bytes, std::size_t available, HeadRecord& head);
