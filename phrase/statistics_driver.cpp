#include "phrase/statistics_driver.h"

#include "foundation/memory_guard.h"
#include "foundation/phrase_database_reader.h"
#include "foundation/standard_output.h"
#include "foundation/statistics_text.h"
#include "foundation/text_helpers.h"
#include "phrase/messages.h"
#include "phrase/statistics/phrase_statistics.h"
#include "phrase/text_to_database.h"

namespace {

int readDatabaseFile(const char* name, PhraseDatabase& db) {
    return readPhraseDatabaseFile(name, db);
}

int show(CTosker& tosker, const char* fileName) {
    PhraseDatabase db;
    std::optional<PhraseListCounts> counts;
    if (nameContains(fileName, ".PDB")) {
        if (int rc = readDatabaseFile(fileName, db)) return rc;
    } else {
        PhraseTally tally;
        if (int rc = readPhraseList(tosker, fileName, nullptr, &tally)) return rc;
        db = std::move(tosker.database);
        counts = PhraseListCounts{tally.repeated, tally.refused};
    }
    reportRepeatedWarnings();
    printReportLines(phraseReport(db, phraseStatistics(db), counts, fileName));
    return 0;
}

}  // namespace

int showStatistics(CTosker& tosker, const char* fileName) {
    return finishStandardOutput(runWithMemoryGuard([&] { return show(tosker, fileName); }));
}
