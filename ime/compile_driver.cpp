#include "ime/compile_driver.h"

#include <cstdint>
#include <utility>

#include "foundation/file_identity.h"
#include "foundation/huge_pages.h"
#include "foundation/left_out_list.h"
#include "foundation/memory_guard.h"
#include "foundation/stale_list.h"
#include "foundation/utf8_source.h"
#include "ime/database/code_table_fitting.h"
#include "ime/database/input_method_database.h"
#include "ime/messages.h"
#include "ime/source/code_table.h"
#include "ime/source/description.h"
#include "ime/source/help_text.h"
#include "ime/source/key_map.h"
#include "ime/source/rules.h"

namespace {

// What each section of a source is to the conversion of a UTF-8 source.
constexpr SectionUse kSections[] = {
    {kKeyDescription, LineUse::kKeys, false, false},
    {kKeyKeyMapTable, LineUse::kKeys, false, false},
    {kKeyRules, LineUse::kKeys, false, false},
    {kKeyHelp, LineUse::kRead, false, true},
    {kKeyText, LineUse::kCodes, true, false},
};
// The keyboard pictures' names are file names, kept as written.
constexpr int kFileNameKeys[] = {kKeyKeyboardBitmap, kKeyKeyboardBitmapHDD};
constexpr Utf8Reading kUtf8Reading = {kKeyDescription,    kSections, kCharacterLeftOut,
                                      kCharactersLeftOut, false,     kFileNameKeys};

// The list of what was left out goes with the database: both or neither. A
// fit that leaves nothing out takes away the list an earlier fit left.
int writeCompiled(const CMabrel& mabrel, const ImeLayout& layout, const CodeTableFitting& fitting,
                  const char* sourceName, const char* destinationName, MisfitCodes misfits) {
    const std::string listName = leftOutListName(destinationName);
    std::vector<std::string> runFiles{sourceName};
    runFiles.insert(runFiles.end(), mabrel.picturesRead.begin(), mabrel.picturesRead.end());
    if (!fitting.leftOut.empty()) {
        if (int rc = checkLeftOutListName(listName, runFiles, destinationName)) return rc;
        std::string list = leftOutCodesText(fitting, mabrel.im.charSet, sourceReadAsUtf8());
        return writeImeDatabaseWith(layout, destinationName, listName, std::move(list));
    }
    runFiles.emplace_back(destinationName);
    if (misfits == MisfitCodes::kLeaveOut && isStaleList(listName, runFiles)) {
        return writeImeDatabaseWith(layout, destinationName, listName, {});
    }
    return writeImeDatabase(layout, destinationName);
}

int runPasses(CMabrel& mabrel, const char* sourceName, const char* destinationName,
              MisfitCodes misfits) {
    if (int rc = readSourceFile(mabrel, sourceName)) return rc;
    CodeTableFitting fitting;
    ImeLayout layout;
    if (int rc = layOutCompiled(mabrel.im, misfits, fitting, layout)) return rc;
    if (int rc = skipPhraseSection(mabrel)) return rc;
    if (int rc = writeCompiled(mabrel, layout, fitting, sourceName, destinationName, misfits)) {
        return rc;
    }

    reportRepeatedWarnings();
    if (!fitting.leftOut.empty()) reportLeftOutCodes(fitting, leftOutListName(destinationName));
    report(kConvertOk);
    return 0;
}

}  // namespace

int readInputMethod(CMabrel& mabrel) {
    if (int rc = parseDescription(mabrel)) return rc;
    if (int rc = parseKeyMapTable(mabrel)) return rc;
    if (int rc = parseRules(mabrel)) return rc;
    if (int rc = parseHelp(mabrel)) return rc;
    return codeTextSection(mabrel);
}

namespace {

int readLoadedSource(CMabrel& mabrel) {
    if (int rc = readUtf8Source(mabrel.source, kUtf8Reading)) return rc;
    return readInputMethod(mabrel);
}

}  // namespace

int readSourceFile(CMabrel& mabrel, const char* sourceName) {
    if (int rc = loadSource(mabrel.source, sourceName)) return rc;
    return readLoadedSource(mabrel);
}

int readKeyboardSections(CMabrel& mabrel, const char* sourceName) {
    if (int rc = loadSource(mabrel.source, sourceName)) return rc;
    if (int rc = readUtf8Source(mabrel.source, kUtf8Reading)) return rc;
    if (int rc = parseDescription(mabrel)) return rc;
    return parseKeyMapTable(mabrel);
}

int readSourceText(CMabrel& mabrel, std::string bytes) {
    mabrel.source.stream = SourceText{};
    mabrel.source.stream.bytes = std::move(bytes);
    return readLoadedSource(mabrel);
}

int layOutCompiled(InputMethod& im, MisfitCodes misfits, CodeTableFitting& fitting,
                   ImeLayout& layout) {
    if (misfits == MisfitCodes::kLeaveOut) {
        fitting = fitCodeTable(im);
        warnLeftOutCodes(fitting);
    }
    return runCodingStep([&] { return layOutInputMethod(im, layout); });
}

int compileSource(CMabrel& mabrel, const char* sourceName, const char* destinationName,
                  MisfitCodes misfits) {
    report(kConvertingText, sourceName, destinationName);
    if (isSameFile(destinationName, sourceName))
        return report(kDestinationIsSource, destinationName);
    mabrel.destinationName = destinationName;
    adviseHugePagesForTheHeap();
    const int rc =
        runWithMemoryGuard([&] { return runPasses(mabrel, sourceName, destinationName, misfits); });
    if (rc == kRepeatOverflow.code || rc == kTooManyCodes.code) report(kFitHint);
    return rc;
}
