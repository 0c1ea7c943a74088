// The order in which a database lists the entries of one character.
#pragma once

#include <span>

#include "ime/input_method.h"

// Puts `entries`, the numbers (positions in im.entries) of the entries that
// give one character, in ascending order on entry, into the order of the
// character's slots in the database's RepeatBlocks table (or its one HZMap
// slot). The compile appends each further entry of a character at the end of
// the character's block, so a block starts in numbering order. In coding
// style 1 the compile then exchanges the block's first slot with the slot of
// the character's primary entry (primaryEntryOf). Style 2 blocks keep
// numbering order.
void toRepeatBlockOrder(const InputMethod& im, std::span<int> entries);
