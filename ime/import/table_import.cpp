#include "ime/import/table_import.h"

#include <utility>

#include "foundation/desktop_tables/import_left_out.h"
#include "foundation/desktop_tables/import_outputs.h"
#include "foundation/desktop_tables/table_reader.h"
#include "foundation/diagnostics.h"
#include "ime/decompile_driver.h"
#include "ime/import/code_table_limits.h"
#include "ime/import/input_method_from_table.h"
#include "ime/keyboard_driver.h"
#include "ime/messages.h"
#include "ime/source/ime_source_writer.h"

namespace {

void reportPairCounts(const PairCounts& counts, CharSet charSet) {
    if (counts.codeNotPrintable > 0) report(kLeftCodeNotPrintable, counts.codeNotPrintable);
    if (counts.codeComment > 0) report(kLeftCodeComment, counts.codeComment);
    if (counts.codeTooLong > 0) report(kLeftCodeTooLong, counts.codeTooLong);
    if (counts.keyBeyond > 0) report(kLeftKeyBeyond, counts.keyBeyond);
    if (counts.singleByte > 0) report(kLeftSingleByte, counts.singleByte);
    if (counts.repeated > 0) report(kLeftRepeatedPairs, counts.repeated);
    if (counts.cannotWrite > 0) {
        report(kCharactersLeftOut, counts.cannotWrite, charSetName(charSet));
    }
}

}  // namespace

int importTableTexts(CharSet charSet, const char* tableName, ImportText text,
                     ImportedTexts& texts) {
    DesktopTable& table = texts.table;
    bool recognised = false;
    const TableReading reading{kKeyTable};
    if (int rc = readInputMethodTable(tableName, reading, table, recognised)) return rc;
    if (!recognised) return report(kNotATable, tableName);
    report(kImportFormat, table.format);
    report(kImportEntries, static_cast<int>(table.entries.size()) + table.tooLong);

    ImportedTable imported;
    takeTablePairs(table, charSet, imported);
    if (imported.counts.kept == 0) {
        // What was left out, counted, then the refusal, said of the table as
        // a whole rather than of the line read last.
        reportTableLeftOut(table);
        reportPairCounts(imported.counts, imported.method.charSet);
        currentSection = kMabrelNoSection;
        return report(kNoCharacters, tableName);
    }
    InputMethod& method = imported.method;
    texts.charSet = method.charSet;
    ImportedWords& list = texts.list;
    // The words first: the code table releases the table as it fills.
    importWords(table, std::move(imported.words), *imported.characters, texts.words, list, text);
    // Everything left out is known by now; the list quotes the table's bytes,
    // which the code table releases.
    texts.leftAnyOut = !table.leftOut.empty();
    if (texts.leftAnyOut) {
        texts.leftOutFile = stageImportOutput(texts.leftOutName, [&](OutputPieces& pieces) {
            writeImportLeftOut(table, method.charSet, pieces);
        });
        if (!texts.leftOutFile) texts.leftOutList = importLeftOutText(table, method.charSet);
    }
    std::vector<TableLeftOut>().swap(table.leftOut);
    fillImportedMethod(table, tableName, imported);
    if (text == ImportText::kWritten) {
        texts.source = writeImeSource(method, texts.pictureNames, TextEncoding::kUtf8, nullptr,
                                      SourceForm::kImport);
        texts.keyboard = std::move(method.keyboard);
        texts.sourceLimit = codeTableLimitPassed(method);
        texts.phraseList = std::move(list.text);
        texts.listLimit = std::move(list.limitPassed);
        list = ImportedWords{};
    } else {
        texts.method = std::move(method);
    }
    texts.pairs = imported.counts;
    texts.rulesLeftOut = std::move(imported.rulesLeftOut);
    std::vector<TableEntry>().swap(table.entries);
    std::vector<std::string>().swap(table.files);
    return 0;
}

void reportImportKept(const ImportedTexts& texts) {
    report(kImportKept, texts.pairs.kept, texts.words.kept);
}

void reportImportLeftOut(const ImportedTexts& texts, const std::string& listName) {
    reportTableLeftOut(texts.table);
    reportPairCounts(texts.pairs, texts.charSet);
    reportWordCounts(texts.words, texts.charSet);
    if (texts.leftAnyOut) report(kLeftOutListed, listName.c_str());
    for (const auto& [rule, why] : texts.rulesLeftOut) report(kRuleLeftOut, rule.c_str(), why);
}

int importTable(CharSet charSet, const char* tableName, const char* destination) {
    report(kImportingTable, tableName, destination);
    ImportedTexts texts;
    texts.pictureNames = pictureNamesFor(destination);
    const std::string leftOutName = importLeftOutName(destination);
    texts.leftOutName = leftOutName;
    if (int rc = importTableTexts(charSet, tableName, ImportText::kWritten, texts)) return rc;
    const std::string listName = phraseListName(destination);
    std::vector<ImportOutput> outputs{{destination, &texts.source}};
    if (texts.words.kept > 0) outputs.push_back({listName, &texts.phraseList});
    if (texts.leftAnyOut) {
        outputs.push_back({leftOutName, &texts.leftOutList, {}, &texts.leftOutFile});
    }
    std::vector<PictureFile> pictures = pictureFilesBeside(texts.keyboard, destination);
    for (PictureFile& picture : pictures) outputs.push_back({picture.path, &picture.bytes});
    if (int rc = checkImportOutputs(texts.table, outputs)) return rc;
    if (int rc = writeImportOutputs(
            outputs, staleCompanions(texts.table, outputs, {listName, leftOutName}))) {
        return rc;
    }

    reportImportKept(texts);
    for (const ImportOutput& output : outputs) report(kImportWrote, output.name.c_str());
    reportImportLeftOut(texts, leftOutName);
    if (!texts.sourceLimit.empty()) {
        report(kSourceNeedsFit, destination, texts.sourceLimit.c_str());
    }
    if (texts.words.kept > 0 && !texts.listLimit.empty()) {
        report(kListNeedsFit, outputs[1].name.c_str(), texts.listLimit.c_str());
    }
    report(kConvertOk);
    return 0;
}
