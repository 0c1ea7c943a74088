#include "phrase/import/word_list_import.h"

#include <numeric>
#include <utility>

#include "foundation/desktop_tables/import_outputs.h"
#include "foundation/desktop_tables/phrase_list_import.h"
#include "foundation/desktop_tables/table_reader.h"
#include "phrase/messages.h"

int importWordList(CharSet charSet, const char* listName, const char* destination) {
    report(kImportingList, listName, destination);
    DesktopTable table;
    if (int rc = readWordList(listName, {kKeyTable}, table)) return rc;
    report(kImportFormat, table.format);
    report(kImportEntries, static_cast<int>(table.entries.size()));

    std::vector<uint32_t> words(table.entries.size());
    std::iota(words.begin(), words.end(), 0u);
    if (charSet == 0) {
        DistinctCharacters characters;
        for (const TableEntry& entry : table.entries) characters.add(table.text(entry));
        charSet = chooseCharSet(characters.all());
    }
    TableCharacters set(charSet);
    WordCounts counts;
    ImportedWords list;
    importWords(table, std::move(words), set, counts, list);
    if (counts.kept == 0) return report(kNoWords, listName);

    const std::vector<ImportOutput> outputs{{destination, &list.text}};
    if (int rc = checkImportOutputs(table, outputs)) return rc;
    if (int rc = writeImportOutputs(outputs)) return rc;
    report(kImportWordsKept, counts.kept);
    report(kImportWrote, destination);
    reportWordCounts(counts, charSet);
    if (!list.limitPassed.empty()) report(kListNeedsFit, destination, list.limitPassed.c_str());
    report(kConvertOk);
    return 0;
}
