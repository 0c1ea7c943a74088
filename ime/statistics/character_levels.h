// The well-known levels of the CharSets: runs of characters, given by their
// first and last bytes, that authors measure their coverage against.
#pragma once

#include <cstdint>
#include <span>

#include "foundation/char_sets.h"

struct CharacterLevel {
    const char* name;
    uint16_t first;  // lead byte x 256 + trail byte
    uint16_t last;
};

std::span<const CharacterLevel> characterLevels(CharSet charSet);
