#include "ime/database/code_geometry.h"

#include <algorithm>

#include "ime/input_method_limits.h"
#include "ime/messages.h"

namespace {

// A style 1 code keeps its first two bytes in the main table.
constexpr int kHeadBytes = 2;

}  // namespace

int codeGeometry(int codingStyle, int usedCodeCount, int maxCodes, CodeGeometry& geometry) {
    if (codingStyle == 2) {
        geometry = {8, static_cast<uint16_t>((maxCodes + 1) & ~1), 0};
        return 0;
    }
    geometry.bitsPerCode = bitsPerCodeSymbol(usedCodeCount);
    if (!packedCodesFit(usedCodeCount, maxCodes)) return report(kCodeBitsTooLong);
    const int packedBytes = std::max(packedCodeBytes(usedCodeCount, maxCodes), kHeadBytes);
    geometry.codeHeadBytes = kHeadBytes;
    geometry.codeRestBytes = static_cast<uint16_t>(packedBytes - kHeadBytes);
    return 0;
}
