#include "ime/lookup/console_characters.h"

#include <cstdio>

ConsoleCharacters::ConsoleCharacters(CharSet charSet)
    : bytes_(charSet), converter_(charSet), shown_(bytes_.count()) {}

void ConsoleCharacters::append(unsigned index, std::string& out) {
    if (index >= shown_.size()) return;
    std::string& shown = shown_[index];
    if (shown.empty()) {
        std::string character;
        bytes_.append(index, character);
        shown = converter_.toUtf8(character);
        if (shown.empty()) {
            const auto byte = [&](std::size_t i) {
                return i < character.size() ? static_cast<unsigned char>(character[i]) : 0u;
            };
            char hex[16];
            std::snprintf(hex, sizeof hex, character.size() == 2 ? "<%02X %02X>" : "<%02X>",
                          byte(0), byte(1));
            shown = hex;
        }
    }
    out += shown;
}

void appendCode(std::string_view code, std::string& out) {
    for (const char key : code) {
        const auto byte = static_cast<unsigned char>(key);
        if (byte < 0x80) {
            out += key;
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "<%02X>", byte);
        out += hex;
    }
}
