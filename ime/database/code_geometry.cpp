#include "ime/database/code_geometry.h"

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

int codeGeometry(int codingStyle, int usedCodeCount, int maxCodes, CodeGeometry& geometry) {
    if (codingStyle == 2) {
        geometry = {8, static_cast<uint16_t>((maxCodes + 1) & ~1), 0};
        return 0;
    }
    geometry.bitsPerCode = bitsForSymbols(usedCodeCount);
    int packedBytes = (geometry.bitsPerCode * maxCodes + 9) / 8;
    if (packedBytes < kHeadBytes) packedBytes = kHeadBytes;
    if (packedBytes > kMaxPackedBytes) return report(kCodeBitsTooLong);
    geometry.codeHeadBytes = kHeadBytes;
    geometry.codeRestBytes = static_cast<uint16_t>(packedBytes - kHeadBytes);
    return 0;
}
