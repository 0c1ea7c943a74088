// The "[Text]" code table: reading the code lines into buckets and building
// the seven code tables from them.
#pragma once

#include "ime/mabrel_context.h"

// The status of the coding pass when memory runs out: message 200 is printed
// and the pass stops with 1, not with the message's number.
inline constexpr int kCodingOutOfMemory = 1;

int codeTextSection(CMabrel& mabrel);

// Finds "[Phrase]" so that later messages name it; reads nothing of it.
int skipPhraseSection(CMabrel& mabrel);
