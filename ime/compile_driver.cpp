#include "ime/compile_driver.h"

#include "foundation/file_identity.h"
#include "foundation/memory_guard.h"
#include "foundation/utf8_source.h"
#include "ime/code_table.h"
#include "ime/description.h"
#include "ime/help_text.h"
#include "ime/ime_database_writer.h"
#include "ime/key_map.h"
#include "ime/messages.h"
#include "ime/rules.h"

namespace {

// What each section of a source is to the conversion of a UTF-8 source.
constexpr SectionUse kSections[] = {
    {kKeyDescription, LineUse::kRead, false, false},
    {kKeyKeyMapTable, LineUse::kRead, false, false},
    {kKeyRules, LineUse::kRead, false, false},
    {kKeyHelp, LineUse::kRead, false, true},
    {kKeyText, LineUse::kCodes, true, false},
};
constexpr Utf8Reading kUtf8Reading = {kKeyDescription, kSections, kCharacterLeftOut,
                                      kCharactersLeftOut, false};

int runPasses(CMabrel& mabrel, const char* sourceName, const char* destinationName) {
    if (!openSource(mabrel.source, sourceName)) return report(kOpenFileFail, sourceName);
    if (int rc = readUtf8Source(mabrel.source, kUtf8Reading)) return rc;

    if (int rc = parseDescription(mabrel)) return rc;
    if (int rc = parseKeyMapTable(mabrel)) return rc;
    if (int rc = parseRules(mabrel)) return rc;
    if (int rc = parseHelp(mabrel)) return rc;
    if (int rc = codeTextSection(mabrel)) return rc;
    if (int rc = skipPhraseSection(mabrel)) return rc;
    if (int rc = writeImeDatabase(mabrel, destinationName)) return rc;

    reportRepeatedWarnings();
    report(kConvertOk);
    return 0;
}

}  // namespace

int compileSource(CMabrel& mabrel, const char* sourceName, const char* destinationName) {
    report(kConvertingText, sourceName, destinationName);
    if (isSameFile(destinationName, sourceName))
        return report(kDestinationIsSource, destinationName);
    mabrel.destinationName = destinationName;
    const int rc =
        runWithMemoryGuard([&] { return runPasses(mabrel, sourceName, destinationName); });
    if (rc == kRepeatOverflow.code || rc == kTooManyCodes.code) report(kFitHint);
    return rc;
}
