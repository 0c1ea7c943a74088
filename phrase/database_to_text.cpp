#include "phrase/database_to_text.h"

#include "foundation/file_identity.h"
#include "foundation/input_file.h"
#include "foundation/memory_guard.h"
#include "foundation/output_file.h"
#include "foundation/phrase_database_reader.h"
#include "foundation/text_encoding.h"
#include "phrase/messages.h"

namespace {

// The text in UTF-8; 907 for a character that has no UTF-8 form.
int inUtf8(CharSet charSet, std::string& text) {
    CharSetConverter converter(charSet);
    std::string utf8, failed;
    if (!converter.textToUtf8(text, utf8, failed)) {
        return report(kCannotWrite, failed.c_str(), "UTF-8");
    }
    text = std::move(utf8);
    return 0;
}

int convert(CTosker& tosker, const char* sourceName, const char* destinationName,
            PhraseText encoding) {
    report(kConvertingDatabase, sourceName, destinationName);
    if (isSameFile(destinationName, sourceName))
        return report(kDestinationIsSource, destinationName);
    std::vector<uint8_t> bytes;
    if (int rc = readInputFile(sourceName, bytes)) return rc;
    DatabaseFile file;
    if (int rc = readPhraseContainer(bytes, sourceName, file)) return rc;

    OutputFile out;
    if (int rc = out.open(destinationName)) return rc;
    PhraseDatabase& db = tosker.database;
    if (int rc = readPhrases(file, sourceName, db)) return rc;
    uint32_t phrases = 0;
    std::string text = phraseListText(db, encoding, phrases);
    if (encoding == PhraseText::kUtf8) {
        if (int rc = inUtf8(db.charSet, text)) return rc;
    }
    if (int rc = out.commit(text)) return rc;

    // The handheld adds phrases of its own, so another count alone is no damage.
    if (phrases != db.phraseCount) {
        report(kPhraseCountDiffers, sourceName, static_cast<int>(phrases),
               static_cast<int>(db.phraseCount));
    }
    report(kConvertOk);
    return 0;
}

}  // namespace

int convertDatabaseToText(CTosker& tosker, const char* sourceName, const char* destinationName,
                          PhraseText encoding) {
    return runWithMemoryGuard(
        [&] { return convert(tosker, sourceName, destinationName, encoding); });
}
