#include "phrase/phrase_layout.h"

#include <cstring>

#include "foundation/big_endian.h"

namespace {

// Replaces the value by the one whose memory holds its big-endian bytes.
void swap16(uint16_t& field) {
    uint8_t bytes[2];
    putU16BE(bytes, field);
    std::memcpy(&field, bytes, sizeof bytes);
}

void swap32(uint32_t& field) {
    uint8_t bytes[4];
    putU32BE(bytes, field);
    std::memcpy(&field, bytes, sizeof bytes);
}

}  // namespace

void swapHeadRecord(HeadRecord& head) {
    swap16(head.version);
    swap16(head.charSet);
    swap16(head.firstIndex);
    swap16(head.lastIndex);
    swap16(head.blockCount);
    swap16(head.maxPhraseLength);
    swap32(head.phraseCount);
}
