#include "phrase/import/word_list_to_database.h"

#include <string>
#include <vector>

#include "foundation/desktop_tables/import_left_out.h"
#include "foundation/desktop_tables/import_outputs.h"
#include "foundation/huge_pages.h"
#include "foundation/left_out_list.h"
#include "phrase/import/phrase_list_compile.h"
#include "phrase/import/word_list_import.h"
#include "phrase/left_out_phrases.h"
#include "phrase/messages.h"

int importWordListToDatabase(CharSet charSet, const char* listName, const char* destination) {
    report(kImportingListToDatabase, listName, destination);
    // The stages build large buffers one after another: from a heap that
    // keeps what a stage frees, a later stage reuses pages already touched
    // instead of faulting fresh ones in. A list of millions of words is
    // better served by small pages than by huge ones (about 200 ms less of
    // a 3,000,000-word list's 900 ms, after other large runs).
    askForSmallPagesOnly();
    adviseHugePagesForTheHeap();
    ImportedWordList words;
    if (int rc = importWordListText(charSet, listName, ImportText::kNotWritten, words)) return rc;
    const std::string importLeftOut = importLeftOutName(destination);
    report(kImportWordsKept, words.counts.kept);
    reportWordListLeftOut(words, importLeftOut);
    reportRepeatedWarnings();

    CompiledPhrases phrases;
    if (int rc = compileImportedWords(words.list, phrases)) return rc;
    useToskerMessages();
    const std::string leftOutName = leftOutListName(destination);
    std::vector<ImportOutput> outputs{{destination, &phrases.database}};
    if (phrases.leftAnyOut()) outputs.push_back({leftOutName, nullptr, phrases.leftOutList()});
    if (words.leftAnyOut) outputs.push_back({importLeftOut, &words.leftOutList});
    if (int rc = checkImportOutputs(words.table, outputs)) return rc;
    if (int rc = writeImportOutputs(
            outputs, staleCompanions(words.table, outputs, {leftOutName, importLeftOut}))) {
        return rc;
    }

    reportCompileTotals(phrases.fitting, leftOutName, phrases.phraseCount);
    for (const ImportOutput& output : outputs) report(kImportWrote, output.name.c_str());
    report(kConvertOk);
    return 0;
}
