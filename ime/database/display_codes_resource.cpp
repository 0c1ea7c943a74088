#include "ime/database/display_codes_resource.h"

void encodePairs(const ValuePair* pairs, int count, std::vector<uint8_t>& body) {
    for (int i = 0; i < count; ++i) {
        body.push_back(pairs[i].first);
        body.push_back(pairs[i].second);
    }
}

void decodePairs(const uint8_t* body, int count, ValuePair* pairs) {
    for (int i = 0; i < count; ++i) pairs[i] = {body[2 * i], body[2 * i + 1]};
}

void encodeDisplayCodes(const DisplayCodes& codes, std::vector<uint8_t>& body) {
    encodePairs(codes.data(), static_cast<int>(codes.size()), body);
}

bool decodeDisplayCodes(const uint8_t* body, std::size_t size, int usedCodeCount,
                        DisplayCodes& codes) {
    if (usedCodeCount <= 0 || size != 2 * static_cast<std::size_t>(usedCodeCount)) return false;
    codes.assign(static_cast<std::size_t>(usedCodeCount), ValuePair{});
    decodePairs(body, usedCodeCount, codes.data());
    return true;
}
