// Tosker /m: a master phrase list written again with the user phrases of a
// device's database that it lacks. Each goes once, right after the last
// phrase line of its first character, the device's phrases of one first
// character in their order, or at the end of the list when the master has no
// phrase of that first character; it is followed by ",USER". Every line of
// the master stays as it was.
#pragma once

#include <string>
#include <vector>

#include "foundation/phrase_database.h"
#include "phrase/tosker_context.h"

// A device phrase the master cannot hold, in UTF-8, and why.
struct UnheldUserPhrase {
    std::string text;
    bool tooLong;  // else a character the master's CharSet lacks
};

struct UserPhraseMerge {
    int added = 0;
    int present = 0;  // user phrases the master holds already
    std::vector<UnheldUserPhrase> unheld;
};

// Adds to `bytes`, the text of `master` (in its CharSet or, `utf8`, in
// UTF-8, with `maxPhraseLength` the limit it states, 0 for none), the user
// phrases of `device`.
UserPhraseMerge mergeUserPhrases(const PhraseDatabase& master, bool utf8, int maxPhraseLength,
                                 const PhraseDatabase& device, std::string& bytes);

// Reads `list` and `deviceName`, writes `destination`. Returns 0, or the
// number of the message that stopped it.
int addUserPhrases(CTosker& tosker, const char* list, const char* deviceName,
                   const char* destination);
