#include "ime/ime_header.h"

#include <cstring>

#include "foundation/big_endian.h"

void swapHeaderBytes(ImeHeader& header) {
    uint8_t bytes[kImeHeaderSize];
    std::memcpy(bytes, &header, sizeof bytes);
    for (int offset : {0, 2, 4, 6, 24, 26, 28, 30, 32, 34, 36, 38, 42, 44, 46}) {
        uint16_t value;
        std::memcpy(&value, bytes + offset, 2);
        putU16BE(bytes + offset, value);
    }
    uint32_t total;
    std::memcpy(&total, bytes + 8, 4);
    putU32BE(bytes + 8, total);
    std::memcpy(&header, bytes, sizeof bytes);
}
