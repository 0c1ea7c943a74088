#include "phrase/text_to_database.h"

#include "foundation/file_identity.h"
#include "foundation/memory_guard.h"
#include "foundation/utf8_source.h"
#include "phrase/messages.h"
#include "phrase/phrase_database_writer.h"
#include "phrase/source/phrase_fitting.h"
#include "phrase/source/phrase_source.h"

namespace {

// What each section of a phrase list is to the conversion of a UTF-8 list.
constexpr SectionUse kSections[] = {{kKeyDescription, LineUse::kRead, false, false},
                                    {kKeyPhrase, LineUse::kPhrases, true, false}};
constexpr Utf8Reading kUtf8Reading = {kKeyDescription, kSections, kPhraseLeftOut, kPhrasesLeftOut,
                                      true};

int convert(CTosker& tosker, const char* sourceName, const char* destinationName,
            MisfitPhrases misfits) {
    report(kConvertingText, sourceName, destinationName);
    if (isSameFile(destinationName, sourceName))
        return report(kDestinationIsSource, destinationName);
    if (!openSource(tosker.source, sourceName)) return report(kOpenFileFail, sourceName);
    if (int rc = readUtf8Source(tosker.source, kUtf8Reading)) return rc;

    PhraseFitting fitting;
    PhraseFitting* leaveOut = misfits == MisfitPhrases::kLeaveOut ? &fitting : nullptr;
    if (int rc = parseDescriptionSection(tosker)) return rc;
    if (int rc = parsePhraseSection(tosker, leaveOut)) return rc;
    if (int rc = writePhraseDatabase(tosker, destinationName)) return rc;

    if (leftOutTotal(fitting) > 0) {
        report(kMisfitsLeftOut, leftOutTotal(fitting), fitting.leftOutForCharacters,
               fitting.leftOutForBlocks);
    }
    report(kTotalPhrases, static_cast<int>(tosker.database.phraseCount));
    report(kConvertOk);
    return 0;
}

}  // namespace

int convertTextToDatabase(CTosker& tosker, const char* sourceName, const char* destinationName,
                          MisfitPhrases misfits) {
    return runWithMemoryGuard(
        [&] { return convert(tosker, sourceName, destinationName, misfits); });
}
