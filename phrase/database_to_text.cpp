#include "phrase/database_to_text.h"

#include "foundation/file_identity.h"
#include "foundation/huge_pages.h"
#include "foundation/memory_guard.h"
#include "foundation/output_file.h"
#include "foundation/phrase_database_reader.h"
#include "foundation/utf8_output.h"
#include "phrase/messages.h"

namespace {

int convert(CTosker& tosker, const char* sourceName, const char* destinationName,
            PhraseText encoding) {
    report(kConvertingDatabase, sourceName, destinationName);
    if (isSameFile(destinationName, sourceName))
        return report(kDestinationIsSource, destinationName);
    std::vector<uint8_t> bytes;
    if (int rc = readPhraseDatabaseImage(sourceName, bytes)) return rc;
    DatabaseFile file;
    if (int rc = readPhraseContainer(bytes, sourceName, file)) return rc;

    OutputFile out;
    if (int rc = out.open(destinationName)) return rc;
    PhraseDatabase& db = tosker.database;
    if (int rc = readPhrases(file, sourceName, db)) return rc;
    uint32_t phrases = 0;
    std::string text = phraseListText(db, encoding, phrases);
    if (encoding == PhraseText::kUtf8) {
        if (int rc = convertTextToUtf8(db.charSet, text)) return rc;
    }
    if (int rc = out.commit(text)) return rc;

    // The handheld adds phrases of its own, so another count alone is no damage.
    if (phrases != db.statedPhraseCount) {
        report(kPhraseCountDiffers, sourceName, static_cast<int>(phrases),
               static_cast<int>(db.statedPhraseCount));
    }
    reportRepeatedWarnings();
    report(kConvertOk);
    return 0;
}

}  // namespace

int convertDatabaseToText(CTosker& tosker, const char* sourceName, const char* destinationName,
                          PhraseText encoding) {
    adviseHugePagesForTheHeap();
    return runWithMemoryGuard(
        [&] { return convert(tosker, sourceName, destinationName, encoding); });
}
