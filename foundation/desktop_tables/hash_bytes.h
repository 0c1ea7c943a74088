// The hash the importers' sets and the code numbering take of codes and texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

// FNV-1a over some bytes, mixed at the end so the low bits spread well.
inline uint64_t hashBytes(const char* bytes, std::size_t size,
                          uint64_t hash = 14695981039346656037u) {
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<uint8_t>(bytes[i])) * 1099511628211u;
    }
    return hash ^ (hash >> 29);
}

// A hash of `text` and a number beside it, for the short codes and texts of
// a table's single characters: the bytes of up to 16 are read a word at a
// time (two words that overlap, which tell apart any two texts of one
// length), longer ones through hashBytes; then mixed in full.
inline uint64_t hashShortText(std::string_view text, uint64_t beside) {
    const char* const at = text.data();
    const std::size_t size = text.size();
    const auto word = [at]<class Word>(std::size_t from, Word) {
        Word value = 0;
        std::memcpy(&value, at + from, sizeof value);
        return uint64_t{value};
    };
    uint64_t low = 0, high = 0;
    if (size > 16) {
        low = hashBytes(at, size);
    } else if (size >= 8) {
        low = word(0, uint64_t{}), high = word(size - 8, uint64_t{});
    } else if (size >= 4) {
        low = word(0, uint32_t{}), high = word(size - 4, uint32_t{});
    } else if (size > 0) {
        low = uint64_t{static_cast<uint8_t>(at[0])} << 16 |
              uint64_t{static_cast<uint8_t>(at[size / 2])} << 8 |
              static_cast<uint8_t>(at[size - 1]);
    }
    uint64_t hash = (low * 0x9E3779B97F4A7C15u) ^ (high * 0xC2B2AE3D27D4EB4Fu) ^
                    (beside * 0x165667B19E3779F9u) ^ size;
    hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDu;
    return hash ^ (hash >> 33);
}
