// The code alphabet: every code character is a symbol number, its 1-based
// position in "UsedCodes" (0 stands for no character). Coding style 1 keeps
// every code as a fixed-width bit string, packed here:
//
//   bit 0 (top of byte 0)   primary flag, set later on the longest code of
//                           a character
//   bit 1                   always 0
//   then maxCodes fields    bitsPerCode bits each, the symbol numbers of the
//                           code characters in order, 0 after the code's end
//   the rest                0
//
// codeHeadBytes + codeRestBytes bytes hold the packed code. Packing works in
// a 10-byte buffer taken as one 80-bit big-endian number (2 + 6 x 12 = 74
// bits at most); bits past its end are dropped.
#pragma once

#include <array>
#include <cstdint>

#include "ime/database/ime_header.h"

inline constexpr int kWorkBufferSize = 10;
using WorkBuffer = std::array<uint8_t, kWorkBufferSize>;

// The symbol numbers of the code characters, taken from "UsedCodes".
class CodeAlphabet {
  public:
    CodeAlphabet() = default;  // no symbols
    explicit CodeAlphabet(const ImeHeader& header);
    // The symbol number of a code character, 0 when it is not in "UsedCodes".
    int symbolOf(char c) const { return symbols_[static_cast<uint8_t>(c)]; }

  private:
    std::array<uint8_t, 256> symbols_{};
};

// Packs `code` into `out`, which the caller has zeroed. Every character of
// the code is in "UsedCodes" and the code is at most maxCodes long: the code
// table reader checks both before it files a code.
void packCode(const ImeHeader& header, const CodeAlphabet& alphabet, const char* code,
              WorkBuffer& out);

// packCode straight into an entry's records, the header's geometry read
// once: a code's codeHeadBytes at `head` and its codeRestBytes at `rest`,
// written whole.
class CodePacker {
  public:
    CodePacker(const ImeHeader& header, const CodeAlphabet& alphabet);

    void pack(const char* code, uint8_t* head, uint8_t* rest) const {
        if (!oneWord_) return packThroughBuffer(code, head, rest);
        const uint64_t fields = fieldsOf(alphabet_, code, maxCodes_, bits_);
        for (int i = 0; i < headBytes_; ++i) head[i] = byteOf(fields, i);
        for (int i = 0; i < restBytes_; ++i) rest[i] = byteOf(fields, headBytes_ + i);
    }

    // The fields of a code when every one fits one 64-bit number, the top of
    // byte 0 at its top.
    static uint64_t fieldsOf(const CodeAlphabet& alphabet, const char* code, int maxCodes,
                             int bits) {
        uint64_t fields = 0;
        int shift = 64 - kFlagBits - bits;
        for (int k = 0; k < maxCodes && code[k] != '\0'; ++k, shift -= bits) {
            fields |= static_cast<uint64_t>(alphabet.symbolOf(code[k])) << shift;
        }
        return fields;
    }

  private:
    static constexpr int kFlagBits = 2;
    // Byte `i` of the buffer packCode fills; those past the number's eight are 0.
    static uint8_t byteOf(uint64_t fields, int i) {
        return i < 8 ? static_cast<uint8_t>(fields >> (56 - 8 * i)) : uint8_t{0};
    }
    void packThroughBuffer(const char* code, uint8_t* head, uint8_t* rest) const;

    const ImeHeader& header_;
    const CodeAlphabet& alphabet_;
    int bits_;
    int maxCodes_;
    int headBytes_;
    int restBytes_;
    bool oneWord_;
};

// Writes the code of the codeHeadBytes + codeRestBytes bytes at `packed`
// into `out` (maxCodes + 1 bytes, NUL-terminated). The primary flag is
// ignored.
void unpackCode(const ImeHeader& header, const uint8_t* packed, char* out);
