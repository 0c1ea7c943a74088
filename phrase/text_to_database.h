// The conversion of a phrase list text into a phrase database.
#pragma once

#include "phrase/tosker_context.h"

// What becomes of a phrase that the database cannot hold.
enum class MisfitPhrases {
    kStopTheRun,  // 905 or 906 ends the run
    kLeaveOut,    // "/f": the phrase is left out with a warning
};

int convertTextToDatabase(CTosker& tosker, const char* sourceName, const char* destinationName,
                          MisfitPhrases misfits = MisfitPhrases::kStopTheRun);
