// The conversion of a phrase list text into a phrase database.
#pragma once

#include "phrase/source/phrase_source.h"
#include "phrase/tosker_context.h"

// What becomes of a phrase that the database cannot hold.
enum class MisfitPhrases {
    kStopTheRun,  // 905 or 906 ends the run
    kLeaveOut,    // "/f": the phrase is left out with a warning
};

// Reads a phrase list with the compile's passes (the UTF-8 conversion,
// [Description], [Phrase]); 0 or the code of the message that stopped it.
int readPhraseList(CTosker& tosker, const char* sourceName, PhraseFitting* fitting,
                   PhraseTally* tally = nullptr);

int convertTextToDatabase(CTosker& tosker, const char* sourceName, const char* destinationName,
                          MisfitPhrases misfits = MisfitPhrases::kStopTheRun);
