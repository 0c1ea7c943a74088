#include "foundation/hkscs_characters.h"

#include <iconv.h>

#include <memory>

namespace {

const iconv_t kNoBig5Conversion = reinterpret_cast<iconv_t>(-1);

struct CloseConversion {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Conversion = std::unique_ptr<void, CloseConversion>;

Conversion toUtf8From(const char* mapping) {
    const iconv_t cd = iconv_open("UTF-8", mapping);
    return Conversion(cd == kNoBig5Conversion ? nullptr : cd);
}

// Whether `cd` reads the two bytes as a character. BIG5-HKSCS holds a
// character back to see whether the next one combines with it, so the
// conversion is flushed before its output is judged.
bool reads(void* cd, const char (&pair)[2]) {
    const auto conversion = static_cast<iconv_t>(cd);
    iconv(conversion, nullptr, nullptr, nullptr, nullptr);
    char in[2] = {pair[0], pair[1]};
    char out[16];
    char* inAt = in;
    char* outAt = out;
    std::size_t inLeft = sizeof in;
    std::size_t outLeft = sizeof out;
    if (iconv(conversion, &inAt, &inLeft, &outAt, &outLeft) == static_cast<std::size_t>(-1) ||
        inLeft != 0) {
        return false;
    }
    if (iconv(conversion, nullptr, nullptr, &outAt, &outLeft) == static_cast<std::size_t>(-1)) {
        return false;
    }
    return outAt != out;
}

}  // namespace

std::optional<int> hkscsCharacters(CharSet charSet, const std::vector<int>& usesOfIndex) {
    if (charSet != kChineseBIG5) return std::nullopt;
    const Conversion hkscs = toUtf8From("BIG5-HKSCS");
    const Conversion big5 = toUtf8From("BIG5");
    if (hkscs == nullptr || big5 == nullptr) return std::nullopt;
    int count = 0;
    for (std::size_t index = 0; index < usesOfIndex.size(); ++index) {
        if (usesOfIndex[index] == 0) continue;
        char bytes[3] = {};
        if (indexToChar(charSet, static_cast<unsigned>(index), bytes, sizeof bytes) != 2) continue;
        const char pair[2] = {bytes[0], bytes[1]};
        if (reads(hkscs.get(), pair) && !reads(big5.get(), pair)) ++count;
    }
    return count;
}
