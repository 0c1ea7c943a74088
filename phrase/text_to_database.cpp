#include "phrase/text_to_database.h"

#include "foundation/file_identity.h"
#include "foundation/huge_pages.h"
#include "foundation/left_out_list.h"
#include "foundation/memory_guard.h"
#include "foundation/output_file.h"
#include "foundation/stale_list.h"
#include "foundation/utf8_source.h"
#include "phrase/left_out_phrases.h"
#include "phrase/messages.h"
#include "phrase/phrase_database_writer.h"
#include "phrase/source/phrase_fitting.h"
#include "phrase/source/phrase_source.h"

namespace {

// What each section of a phrase list is to the conversion of a UTF-8 list.
constexpr SectionUse kSections[] = {{kKeyDescription, LineUse::kKeys, false, false},
                                    {kKeyPhrase, LineUse::kPhrases, true, false}};
constexpr Utf8Reading kUtf8Reading = {kKeyDescription, kSections, kPhraseLeftOut,
                                      kPhrasesLeftOut, true,      {}};

}  // namespace

int readPhraseList(CTosker& tosker, const char* sourceName, PhraseFitting* fitting,
                   PhraseTally* tally) {
    if (int rc = loadSource(tosker.source, sourceName)) return rc;
    if (int rc = readUtf8Source(tosker.source, kUtf8Reading)) return rc;
    tosker.utf8Source = sourceReadAsUtf8();
    if (int rc = parseDescriptionSection(tosker)) return rc;
    return parsePhraseSection(tosker, fitting, tally);
}

namespace {

// The list of what was left out goes with the database: both or neither. A
// fit that leaves nothing out takes away the list an earlier fit left.
int writeCompiled(const CTosker& tosker, const PhraseFitting& fitting, const std::string& listName,
                  const char* sourceName, const char* destinationName, MisfitPhrases misfits) {
    if (!fitting.leftOut.empty()) {
        if (int rc = checkLeftOutListName(listName, {sourceName}, destinationName)) return rc;
        return writePhraseDatabaseWith(tosker, destinationName, listName,
                                       leftOutPhrasesText(fitting, tosker));
    }
    if (misfits == MisfitPhrases::kLeaveOut &&
        isStaleList(listName, {sourceName, destinationName})) {
        return writePhraseDatabaseWith(tosker, destinationName, listName, {});
    }
    return writePhraseDatabase(tosker, destinationName);
}

int convert(CTosker& tosker, const char* sourceName, const char* destinationName,
            MisfitPhrases misfits) {
    report(kConvertingText, sourceName, destinationName);
    if (isSameFile(destinationName, sourceName))
        return report(kDestinationIsSource, destinationName);
    PhraseFitting fitting;
    PhraseFitting* leaveOut = misfits == MisfitPhrases::kLeaveOut ? &fitting : nullptr;
    if (int rc = readPhraseList(tosker, sourceName, leaveOut)) return rc;

    const std::string listName = leftOutListName(destinationName);
    if (int rc = writeCompiled(tosker, fitting, listName, sourceName, destinationName, misfits)) {
        return rc;
    }

    reportRepeatedWarnings();
    reportCompileTotals(fitting, listName, static_cast<int>(tosker.database.phrases.size()));
    report(kConvertOk);
    return 0;
}

}  // namespace

int convertTextToDatabase(CTosker& tosker, const char* sourceName, const char* destinationName,
                          MisfitPhrases misfits) {
    adviseHugePagesForTheHeap();
    const int rc =
        runWithMemoryGuard([&] { return convert(tosker, sourceName, destinationName, misfits); });
    if (rc == kTooManyPhrases.code || rc == kBlockTooLarge.code) report(kFitHint);
    return rc;
}
