// The "[Text]" code table: reading the code lines into buckets and building
// the seven code tables from them.
#pragma once

#include "ime/mabrel_context.h"

int codeTextSection(CMabrel& mabrel);

// Finds "[Phrase]" so that later messages name it; reads nothing of it.
int skipPhraseSection(CMabrel& mabrel);
