// The "tSTR" body, helpSize bytes: the help text, a NUL, and one more zero
// byte when that makes the size even. An empty help text has no body.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// 0 for an empty text, else its length plus the NUL, moved up to even.
uint16_t helpSize(const std::string& text);

void encodeHelpText(const std::string& text, std::vector<uint8_t>& body);
// False unless the body is even and holds a NUL; the text is what precedes
// the first NUL.
bool decodeHelpText(const uint8_t* body, std::size_t size, std::string& text);
