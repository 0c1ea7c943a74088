// The hash the importers' sets and the code numbering take of codes and texts.
#pragma once

#include <cstddef>
#include <cstdint>

// FNV-1a over some bytes, mixed at the end so the low bits spread well.
inline uint64_t hashBytes(const char* bytes, std::size_t size,
                          uint64_t hash = 14695981039346656037u) {
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ static_cast<uint8_t>(bytes[i])) * 1099511628211u;
    }
    return hash ^ (hash >> 29);
}
