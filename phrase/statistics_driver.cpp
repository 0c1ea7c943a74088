#include "phrase/statistics_driver.h"

#include "foundation/character_weights.h"
#include "foundation/memory_guard.h"
#include "foundation/phrase_database_reader.h"
#include "foundation/report_page.h"
#include "foundation/standard_output.h"
#include "foundation/statistics_text.h"
#include "foundation/text_helpers.h"
#include "phrase/messages.h"
#include "phrase/statistics/phrase_page.h"
#include "phrase/statistics/phrase_statistics.h"
#include "phrase/statistics/phrase_weights.h"
#include "phrase/text_to_database.h"

namespace {

int readDatabaseFile(const char* name, PhraseDatabase& db) {
    return readPhraseDatabaseFile(name, db);
}

int show(CTosker& tosker, const char* fileName, const char* frequencies, const char* pageName) {
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
    std::string weighted;
    std::optional<PhraseWeights> weights;
    if (frequencies != nullptr) {
        FrequencySource source;
        if (int rc = readFrequencySource(frequencies, {kKeyTable}, source)) return rc;
        if (!source.weighted) return report(kNoWords, frequencies);
        weights = phraseWeights(db, source);
        weighted = phraseWeightsReport(source, *weights);
    }
    reportRepeatedWarnings();
    const PhraseStatistics figures = phraseStatistics(db);
    const std::string text = phraseReport(db, figures, counts, fileName) + weighted;
    if (pageName != nullptr) {
        return writeReportPage(pageName, phrasePage(db.charSet, figures,
                                                    weights ? &*weights : nullptr, text, fileName));
    }
    printReportLines(text);
    return 0;
}

}  // namespace

int showStatistics(CTosker& tosker, const char* fileName, const char* frequencies,
                   const char* pageName) {
    return finishStandardOutput(
        runWithMemoryGuard([&] { return show(tosker, fileName, frequencies, pageName); }));
}
