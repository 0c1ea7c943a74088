// The well-known levels of the CharSets: runs of characters, given by their
// first and last bytes, that authors measure their coverage against.
#pragma once

#include <span>

#include "foundation/char_sets.h"
#include "foundation/double_byte_character.h"

struct CharacterLevel {
    const char* name;
    DoubleByteCharacter first;
    DoubleByteCharacter last;
};

std::span<const CharacterLevel> characterLevels(CharSet charSet);
