// What each CharSet's conversions answer, every character asked once when the
// tools are built (foundation/char_set_tables/make_char_set_tables.cpp): a
// run looks its characters up instead of loading the C library's conversion
// modules and converting each one.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "foundation/char_sets.h"
#include "foundation/double_byte_character.h"

struct CharSetTable {
    // The double-byte character (DoubleByteCharacter::packed) that a code
    // point is written as, or 0: by code point, in pages of 256; pageOf[point
    // >> 8] is 0 for a page without one, else 1 + the page's place in
    // `pages`.
    const uint16_t* pageOf;  // kPages of them
    const uint16_t* pages;   // 256 a page
    // By character index (charToIndex): the code point that reads the
    // character and is written back as it, or 0.
    const uint32_t* pointOf;
    std::size_t indexes;  // indexCount of the set

    static constexpr std::size_t kPages = 0x110000 >> 8;

    uint16_t packedOf(char32_t point) const {
        if (point >= 0x110000) return 0;
        const uint16_t page = pageOf[point >> 8];
        return page == 0 ? 0 : pages[(std::size_t{page} - 1) * 256 + (point & 0xFF)];
    }
    // The code point that `character`, a double-byte character of `charSet`
    // (the set of this table), reads and is written back as, or 0.
    char32_t pointOfCharacter(CharSet charSet, DoubleByteCharacter character) const {
        const std::array<char, 2> bytes = character.bytes();
        return pointOf[charToIndex(charSet, bytes.data())];
    }
};

// The table of `charSet`, or nullptr where the program was built without
// them (the program that makes them).
const CharSetTable* charSetTable(CharSet charSet);
