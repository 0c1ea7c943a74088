#include "ime/import/table_import.h"

#include <utility>

#include "foundation/desktop_tables/import_outputs.h"
#include "foundation/desktop_tables/phrase_list_import.h"
#include "foundation/desktop_tables/table_reader.h"
#include "ime/import/code_table_limits.h"
#include "ime/import/input_method_from_table.h"
#include "ime/messages.h"
#include "ime/source/ime_source_writer.h"

namespace {

void reportPairCounts(const PairCounts& counts, CharSet charSet) {
    if (counts.codeNotPrintable > 0) report(kLeftCodeNotPrintable, counts.codeNotPrintable);
    if (counts.codeComment > 0) report(kLeftCodeComment, counts.codeComment);
    if (counts.codeTooLong > 0) report(kLeftCodeTooLong, counts.codeTooLong);
    if (counts.keyBeyond > 0) report(kLeftKeyBeyond, counts.keyBeyond);
    if (counts.repeated > 0) report(kLeftRepeatedPairs, counts.repeated);
    if (counts.cannotWrite > 0) {
        report(kCharactersLeftOut, counts.cannotWrite, charSetName(charSet));
    }
}

}  // namespace

int importTable(CharSet charSet, const char* tableName, const char* destination) {
    report(kImportingTable, tableName, destination);
    DesktopTable table;
    bool recognised = false;
    const TableReading reading{kKeyTable};
    if (int rc = readInputMethodTable(tableName, reading, table, recognised)) return rc;
    if (!recognised) return report(kNotATable, tableName);
    report(kImportFormat, table.format);
    report(kImportEntries, static_cast<int>(table.entries.size()));

    ImportedTable imported;
    inputMethodFromTable(table, charSet, tableName, imported);
    if (imported.counts.kept == 0) return report(kNoCharacters, tableName);
    const InputMethod& method = imported.method;
    TableCharacters set(method.charSet);
    std::string source =
        writeImeSource(method, {}, TextEncoding::kUtf8, nullptr, SourceForm::kImport);
    const std::string limit = codeTableLimitPassed(method);

    WordCounts words;
    PhraseListText list;
    buildPhraseList(table, std::move(imported.words), set, words, list);
    std::vector<ImportOutput> outputs{{destination, &source}};
    if (words.kept > 0) outputs.push_back({phraseListName(destination), &list.text});
    if (int rc = checkImportOutputs(table, outputs)) return rc;
    if (int rc = writeImportOutputs(outputs)) return rc;

    report(kImportKept, imported.counts.kept, words.kept);
    for (const ImportOutput& output : outputs) report(kImportWrote, output.name.c_str());
    reportPairCounts(imported.counts, method.charSet);
    reportWordCounts(words, method.charSet);
    for (const auto& [rule, why] : imported.rulesLeftOut) report(kRuleLeftOut, rule.c_str(), why);
    if (!limit.empty()) report(kSourceNeedsFit, destination, limit.c_str());
    if (words.kept > 0 && !list.limitPassed.empty()) {
        report(kListNeedsFit, outputs[1].name.c_str(), list.limitPassed.c_str());
    }
    report(kConvertOk);
    return 0;
}
