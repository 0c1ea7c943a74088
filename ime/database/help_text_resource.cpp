#include "ime/database/help_text_resource.h"

#include <algorithm>

uint16_t helpSize(const std::string& text) {
    if (text.empty()) return 0;
    return static_cast<uint16_t>((text.size() + 2) & ~std::size_t{1});
}

void encodeHelpText(const std::string& text, std::vector<uint8_t>& body) {
    const std::size_t start = body.size();
    body.insert(body.end(), text.begin(), text.end());
    body.resize(start + helpSize(text), 0);
}

bool decodeHelpText(const uint8_t* body, std::size_t size, std::string& text) {
    const uint8_t* end = body + size;
    const uint8_t* nul = std::find(body, end, 0);
    if (size % 2 != 0 || nul == end) return false;
    text.assign(body, nul);
    return true;
}
