#include "ime/database/bit_packing.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kWorkBits = kWorkBufferSize * 8;
constexpr int kFlagBits = 2;

// Bits are counted from the top bit of byte 0.
void putBits(WorkBuffer& buffer, int position, unsigned value, int width) {
    for (int b = 0; b < width && position + b < kWorkBits; ++b) {
        if (((value >> (width - 1 - b)) & 1u) != 0) {
            const int at = position + b;
            buffer[at / 8] |= static_cast<uint8_t>(0x80u >> (at % 8));
        }
    }
}

unsigned takeBits(const WorkBuffer& buffer, int position, int width) {
    unsigned value = 0;
    for (int b = 0; b < width; ++b) {
        const int at = position + b;
        const unsigned bit = at < kWorkBits ? (buffer[at / 8] >> (7 - at % 8)) & 1u : 0;
        value = (value << 1) | bit;
    }
    return value;
}

}  // namespace

CodeAlphabet::CodeAlphabet(const ImeHeader& header) {
    const int count = std::min<int>(header.usedCodeCount, sizeof header.usedCodes);
    for (int position = count - 1; position >= 0; --position) {
        const auto c = static_cast<uint8_t>(header.usedCodes[position]);
        if (c != 0) symbols_[c] = static_cast<uint8_t>(position + 1);
    }
}

namespace {

// Whether every field of a code fits one 64-bit number.
bool fitsOneWord(const ImeHeader& header) {
    return kFlagBits + header.maxCodes * header.bitsPerCode <= 64;
}

// The fields of a code that fits one 64-bit number, the top of byte 0 at its top.
uint64_t packedWord(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code) {
    const int bits = header.bitsPerCode;
    uint64_t fields = 0;
    for (int k = 0; k < header.maxCodes && code[k] != '\0'; ++k) {
        const auto symbol = static_cast<uint64_t>(alphabet.symbolOf(code[k]));
        fields |= symbol << (64 - kFlagBits - (k + 1) * bits);
    }
    return fields;
}

}  // namespace

void packCode(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code,
              WorkBuffer& out) {
    if (!fitsOneWord(header)) {
        const int bits = header.bitsPerCode;
        for (int k = 0; k < header.maxCodes && code[k] != '\0'; ++k) {
            putBits(out, kFlagBits + k * bits, static_cast<unsigned>(alphabet.symbolOf(code[k])),
                    bits);
        }
        return;
    }
    const uint64_t fields = packedWord(header, alphabet, code);
    for (int i = 0; i < 8; ++i) out[i] |= static_cast<uint8_t>(fields >> (56 - 8 * i));
}

void packCodeInto(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code,
                  uint8_t* head, uint8_t* rest) {
    const int headBytes = header.codeHeadBytes;
    const int restBytes = header.codeRestBytes;
    if (!fitsOneWord(header)) {
        WorkBuffer packed{};
        packCode(header, alphabet, code, packed);
        std::copy_n(packed.begin(), headBytes, head);
        std::copy_n(packed.begin() + headBytes, restBytes, rest);
        return;
    }
    // The bytes past the number's eight are 0.
    const uint64_t fields = packedWord(header, alphabet, code);
    const auto byteOf = [fields](int i) {
        return i < 8 ? static_cast<uint8_t>(fields >> (56 - 8 * i)) : uint8_t{0};
    };
    for (int i = 0; i < headBytes; ++i) head[i] = byteOf(i);
    for (int i = 0; i < restBytes; ++i) rest[i] = byteOf(headBytes + i);
}

void unpackCode(const ImeHeader& header, const uint8_t* packed, char* out) {
    std::memset(out, 0, header.maxCodes + 1u);
    WorkBuffer buffer{};
    const int packedLength = header.codeHeadBytes + header.codeRestBytes;
    std::memcpy(buffer.data(), packed, std::min(packedLength, kWorkBufferSize));

    const int bits = header.bitsPerCode;
    for (int k = 0; k < header.maxCodes; ++k) {
        const unsigned symbol = takeBits(buffer, kFlagBits + k * bits, bits);
        if (symbol != 0) out[k] = header.usedCodes[symbol - 1];
    }
}
