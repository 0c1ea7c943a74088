#include "phrase/difference_driver.h"

#include "foundation/memory_guard.h"
#include "foundation/phrase_database_reader.h"
#include "foundation/standard_output.h"
#include "foundation/statistics_text.h"
#include "foundation/text_helpers.h"
#include "phrase/difference/phrase_difference.h"
#include "phrase/messages.h"
#include "phrase/text_to_database.h"

namespace {

// A database by its name, else a list read as a compile reads it, its user
// marks kept.
int readPhraseSide(CTosker& tosker, const char* name, PhraseDatabase& db) {
    if (nameContains(name, ".PDB")) return readPhraseDatabaseFile(name, db);
    tosker.readUserMarks = true;
    if (int rc = readPhraseList(tosker, name, nullptr)) return rc;
    db = std::move(tosker.database);
    return 0;
}

int differPhraseLists(CTosker& tosker, const char* firstName, const char* secondName) {
    PhraseDatabase first, second;
    if (int rc = readPhraseSide(tosker, firstName, first)) return rc;
    CTosker other;
    if (int rc = readPhraseSide(other, secondName, second)) return rc;
    reportRepeatedWarnings();
    const PhraseDifference difference = phraseDifference(first, second);
    printReportLines(difference.lines);
    report(kPhrasesDiffer, difference.added, difference.removed, difference.moved,
           difference.marks);
    return difference.lines.empty() ? 0 : 1;
}

}  // namespace

int showDifference(CTosker& tosker, const char* firstName, const char* secondName) {
    return finishStandardOutput(
        runWithMemoryGuard([&] { return differPhraseLists(tosker, firstName, secondName); }));
}
