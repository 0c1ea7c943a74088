// Reading of a phrase list text: the [Description] keys and the [Phrase]
// lines, each phrase checked and handed to the phrase store.
#pragma once

#include "phrase/source/phrase_fitting.h"
#include "phrase/tosker_context.h"

// Reads "CharSet" and "MaxPhraseLength" (warning 506 for lines that name
// other keys); sets charSet, databaseName and maxPhraseLength. Returns 0 or
// 500, 501, 502, 600, 603.
int parseDescriptionSection(CTosker& tosker);

// What a reading for the statistics counts: the phrases a compile warns
// about and does not file.
struct PhraseTally {
    int repeated = 0;  // 903
    int refused = 0;   // 902, longer than MaxPhraseLength
};

// Files every phrase of the [Phrase] section, which runs to the end of the
// source. With `fitting`, the phrases that do not fit the database are left
// out there instead of stopping the run; with `tally`, they are filed all
// the same (the statistics show the room they would need), and the phrases
// not filed are counted. Returns 0 or the number of the fatal message that
// stopped it.
int parsePhraseSection(CTosker& tosker, PhraseFitting* fitting = nullptr,
                       PhraseTally* tally = nullptr);
