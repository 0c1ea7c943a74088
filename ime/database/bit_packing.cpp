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
    const uint64_t fields =
        CodePacker::fieldsOf(alphabet, code, header.maxCodes, header.bitsPerCode);
    for (int i = 0; i < 8; ++i) out[i] |= static_cast<uint8_t>(fields >> (56 - 8 * i));
}

CodePacker::CodePacker(const ImeHeader& header, const CodeAlphabet& alphabet)
    : header_(header),
      alphabet_(alphabet),
      bits_(header.bitsPerCode),
      maxCodes_(header.maxCodes),
      headBytes_(header.codeHeadBytes),
      restBytes_(header.codeRestBytes),
      oneWord_(fitsOneWord(header)) {}

void CodePacker::packThroughBuffer(const char* code, uint8_t* head, uint8_t* rest) const {
    WorkBuffer packed{};
    packCode(header_, alphabet_, code, packed);
    std::copy_n(packed.begin(), headBytes_, head);
    std::copy_n(packed.begin() + headBytes_, restBytes_, rest);
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
