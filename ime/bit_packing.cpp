#include "ime/bit_packing.h"

#include <algorithm>
#include <cstring>

int symbolOf(const ImeHeader& header, char c) {
    for (int position = 0; c != '\0' && position < header.usedCodeCount; ++position) {
        if (header.usedCodes[position] == c) return position + 1;
    }
    return 0;
}

void shiftBitsRight(WorkBuffer& buffer, int count) {
    for (int step = 0; step < count; ++step) {
        uint8_t carry = 0;
        for (uint8_t& byte : buffer) {
            const uint8_t lowest = byte & 0x01;
            byte = static_cast<uint8_t>((byte >> 1) | (carry << 7));
            carry = lowest;
        }
    }
}

void shiftBitsLeft(WorkBuffer& buffer, int count) {
    for (int step = 0; step < count; ++step) {
        uint8_t carry = 0;
        for (int i = kWorkBufferSize - 1; i >= 0; --i) {
            const uint8_t top = buffer[i] >> 7;
            buffer[i] = static_cast<uint8_t>((buffer[i] << 1) | carry);
            carry = top;
        }
    }
}

void packCode(const ImeHeader& header, const char* code, WorkBuffer& out) {
    const int length = static_cast<int>(std::strlen(code));
    const int bits = header.bitsPerCode;
    for (int k = header.maxCodes - 1; k >= 0; --k) {
        const int symbol = k < length ? symbolOf(header, code[k]) : 0;
        shiftBitsRight(out, bits);
        out[0] |= static_cast<uint8_t>(symbol << (8 - bits));
    }
    shiftBitsRight(out, 2);
}

void unpackCode(const ImeHeader& header, const uint8_t* packed, char* out) {
    std::memset(out, 0, header.maxCodes + 1u);
    WorkBuffer buffer{};
    const int packedLength = header.codeHeadBytes + header.codeRestBytes;
    std::memcpy(buffer.data(), packed, std::min(packedLength, kWorkBufferSize));
    shiftBitsLeft(buffer, 2);

    const int bits = header.bitsPerCode;
    for (int k = 0; k < header.maxCodes; ++k) {
        const int symbol = buffer[0] >> (8 - bits);
        shiftBitsLeft(buffer, bits);
        if (symbol != 0) out[k] = header.usedCodes[symbol - 1];
    }
}
