// One character of a double-byte CharSet: its lead and trail byte packed
// into one number, lead x 256 + trail, so that a table of characters is one
// flat array and characters compare in byte order.
#pragma once

#include <array>
#include <compare>
#include <cstdint>
#include <string>

struct DoubleByteCharacter {
    uint16_t packed = 0;

    static constexpr DoubleByteCharacter of(uint8_t lead, uint8_t trail) {
        return {static_cast<uint16_t>(lead << 8 | trail)};
    }
    // The character whose two bytes start `bytes`.
    static constexpr DoubleByteCharacter of(const char* bytes) {
        return of(static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1]));
    }

    constexpr uint8_t lead() const { return static_cast<uint8_t>(packed >> 8); }
    constexpr uint8_t trail() const { return static_cast<uint8_t>(packed); }
    constexpr std::array<char, 2> bytes() const {
        return {static_cast<char>(lead()), static_cast<char>(trail())};
    }
    // Its bytes up to the first zero one.
    void appendTo(std::string& text) const {
        if (lead() == 0) return;
        text += static_cast<char>(lead());
        if (trail() != 0) text += static_cast<char>(trail());
    }

    auto operator<=>(const DoubleByteCharacter&) const = default;
};
