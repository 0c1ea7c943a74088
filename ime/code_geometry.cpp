#include "ime/code_geometry.h"

#include "ime/messages.h"

namespace {

constexpr int kMaxPackedBytes = 4;
constexpr int kHeadBytes = 2;

// Style 1 keeps symbol value 0 free, so n code characters need the values
// 1 to n.
uint16_t bitsForSymbols(int symbolCount) {
    uint16_t bits = 2;
    while ((1 << bits) - 1 < symbolCount) ++bits;
    return bits;
}

}  // namespace

int setCodeGeometry(ImeHeader& header) {
    const int maxCodes = header.maxCodes;
    if (header.codingStyle == 2) {
        header.bitsPerCode = 8;
        header.codeHeadBytes = static_cast<uint16_t>((maxCodes + 1) & ~1);
        header.codeRestBytes = 0;
        return 0;
    }
    header.bitsPerCode = bitsForSymbols(header.usedCodeCount);
    int packedBytes = (header.bitsPerCode * maxCodes + 9) / 8;
    if (packedBytes < kHeadBytes) packedBytes = kHeadBytes;
    if (packedBytes > kMaxPackedBytes) return report(kCodeBitsTooLong);
    header.codeHeadBytes = kHeadBytes;
    header.codeRestBytes = static_cast<uint16_t>(packedBytes - kHeadBytes);
    return 0;
}
