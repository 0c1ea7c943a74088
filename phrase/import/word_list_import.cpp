#include "phrase/import/word_list_import.h"

#include <numeric>
#include <utility>

#include "foundation/desktop_tables/import_left_out.h"
#include "foundation/desktop_tables/import_outputs.h"
#include "foundation/desktop_tables/table_reader.h"
#include "foundation/huge_pages.h"
#include "phrase/messages.h"

int importWordListText(CharSet charSet, const char* listName, ImportText text,
                       ImportedWordList& words) {
    DesktopTable& table = words.table;
    if (int rc = readWordList(listName, {kKeyTable}, table)) return rc;
    report(kImportFormat, table.format);
    report(kImportEntries, static_cast<int>(table.entries.size()) + table.tooLong);

    std::vector<uint32_t> numbers;
    reserveHugePages(numbers, table.entries.size());
    numbers.resize(table.entries.size());
    std::iota(numbers.begin(), numbers.end(), 0u);
    if (charSet == 0) {
        DistinctCharacters characters;
        for (const TableEntry& entry : table.entries) characters.add(table.text(entry));
        charSet = chooseCharSet(characters.all());
    }
    TableCharacters set(charSet);
    words.charSet = charSet;
    importWords(table, std::move(numbers), set, words.counts, words.list, text,
                TableAfterWords::kReleased);
    if (words.counts.kept == 0) {
        report(kNoWords, listName);
        if (holdsSingleCharacters(listName)) report(kInputMethodTableNote, listName);
        return kNoWords.code;
    }
    words.leftOutList = std::move(words.list.tableLeftOut);
    words.leftAnyOut = !words.leftOutList.empty();
    return 0;
}

void reportWordListLeftOut(const ImportedWordList& words, const std::string& listName) {
    reportTableLeftOut(words.table);
    reportWordCounts(words.counts, words.charSet);
    if (words.leftAnyOut) report(kLeftOutListed, listName.c_str());
}

int importWordList(CharSet charSet, const char* listName, const char* destination) {
    report(kImportingList, listName, destination);
    askForSmallPagesOnly();  // as the import to a database
    ImportedWordList words;
    if (int rc = importWordListText(charSet, listName, ImportText::kWritten, words)) return rc;

    const std::string leftOutName = importLeftOutName(destination);
    std::vector<ImportOutput> outputs{{destination, &words.list.text}};
    if (words.leftAnyOut) outputs.push_back({leftOutName, &words.leftOutList});
    if (int rc = checkImportOutputs(words.table, outputs)) return rc;
    if (int rc =
            writeImportOutputs(outputs, staleCompanions(words.table, outputs, {leftOutName}))) {
        return rc;
    }
    report(kImportWordsKept, words.counts.kept);
    for (const ImportOutput& output : outputs) report(kImportWrote, output.name.c_str());
    reportWordListLeftOut(words, leftOutName);
    if (!words.list.limitPassed.empty()) {
        report(kListNeedsFit, destination, words.list.limitPassed.c_str());
    }
    report(kConvertOk);
    return 0;
}
