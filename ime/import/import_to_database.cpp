#include "ime/import/import_to_database.h"

#include <sys/stat.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "foundation/desktop_tables/import_left_out.h"
#include "foundation/desktop_tables/import_outputs.h"
#include "foundation/huge_pages.h"
#include "foundation/left_out_list.h"
#include "foundation/utf8_source.h"
#include "ime/compile_driver.h"
#include "ime/database/input_method_database.h"
#include "ime/import/table_import.h"
#include "ime/messages.h"
#include "ime/source/bmp_file.h"
#include "ime/source/ime_source_writer.h"
#include "phrase/import/phrase_list_compile.h"
#include "phrase/left_out_phrases.h"

namespace {

// Each stage of the run counts its repeated warnings as a run of its own.
void endStage() {
    reportRepeatedWarnings();
    useMabrelMessages();
}

constexpr char kPhrasesSuffix[] = "-phrases.pdb";
constexpr off_t kHugeHeapTableBytes = off_t{4} << 20;

// Reads into `mabrel.im` what a compile reads of the source the import would
// write of `imported`: everything before [Text] read from its text, the
// code table taken as it is, since the import gives it the source's lines.
int readImportedMethod(CMabrel& mabrel, InputMethod& imported) {
    CodeList codes = std::move(imported.codes);
    std::vector<CodeTableEntry> entries = std::move(imported.entries);
    // The pictures are read as the source's files would be, from memory.
    const PictureNames pictures{"kbd.bmp", "kbdHDD.bmp"};
    if (imported.keyboard) {
        mabrel.pictureFiles[pictures.standard] = encodeBmpFile(imported.keyboard->standard);
        if (const auto& high = imported.keyboard->highDensity) {
            mabrel.pictureFiles[pictures.highDensity] = encodeBmpFile(*high);
        }
    }
    imported.codes.clear();
    imported.entries.clear();
    std::string front =
        writeImeSource(imported, pictures, TextEncoding::kUtf8, nullptr, SourceForm::kImport);
    imported = InputMethod{};
    if (int rc = readSourceText(mabrel, std::move(front))) return rc;
    mabrel.im.codes = std::move(codes);
    mabrel.im.entries = std::move(entries);
    // The reading would have ended on the last line of [Text].
    if (!mabrel.im.entries.empty()) lineNumber = static_cast<int>(mabrel.im.entries.back().line);
    return 0;
}

}  // namespace

int fitInputMethod(InputMethod& im, bool utf8, FittedInputMethod& fitted) {
    ImeLayout layout;
    if (int rc = layOutCompiled(im, MisfitCodes::kLeaveOut, fitted.fitting, layout)) return rc;
    const std::vector<uint8_t> image = datedImeDatabaseImage(layout);
    fitted.database.assign(image.begin(), image.end());
    fitted.charSet = im.charSet;
    fitted.utf8 = utf8;
    return 0;
}

int importTableToDatabase(CMabrel& mabrel, CharSet charSet, const char* tableName,
                          const char* destination) {
    report(kImportingTableToDatabase, tableName, destination);
    // A table of a few megabytes spends much of its run in first touches of
    // small pages; a larger one asks for huge pages for its own buffers, and
    // a heap of huge pages would raise its peak memory.
    struct stat status {};
    if (stat(tableName, &status) == 0 && status.st_size < kHugeHeapTableBytes) {
        adviseHugePagesForTheHeap();
    } else {
        returnLargeBlocksWhenFreed();
    }
    ImportedTexts texts;
    const std::string importLeftOut = importLeftOutName(destination);
    texts.leftOutName = importLeftOut;
    if (int rc = importTableTexts(charSet, tableName, ImportText::kNotWritten, texts)) return rc;
    reportImportKept(texts);
    reportImportLeftOut(texts, importLeftOut);
    endStage();

    if (int rc = readImportedMethod(mabrel, texts.method)) return rc;
    FittedInputMethod method;
    if (int rc = fitInputMethod(mabrel.im, sourceReadAsUtf8(), method)) return rc;
    mabrel.im = InputMethod{};
    endStage();
    // The list of the codes left out may be tens of megabytes, and its
    // records more: it is written before the words are compiled, the records
    // kept only where it could not be.
    const std::string leftOutName = leftOutListName(destination);
    const OutputProducer codesLeftOut = [&method](OutputPieces& pieces) {
        writeLeftOutCodes(method.fitting, method.charSet, method.utf8, pieces);
    };
    const bool leftCodesOut = !method.fitting.leftOut.empty();
    std::unique_ptr<OutputFile> codesFile;
    if (leftCodesOut) codesFile = stageImportOutput(leftOutName, codesLeftOut);
    if (codesFile) {
        std::vector<LeftOutCode>().swap(method.fitting.leftOut);
        std::string().swap(method.fitting.codes);
    }
    const bool hasWords = texts.words.kept > 0;
    CompiledPhrases phrases;
    if (hasWords) {
        if (int rc = compileImportedWords(texts.list, phrases)) return rc;
        useMabrelMessages();
    }

    const std::string phrasesName = nameBesideDatabase(destination, kPhrasesSuffix);
    const std::string phrasesLeftOutName = leftOutListName(phrasesName);
    std::vector<ImportOutput> outputs{{destination, &method.database}};
    if (hasWords) outputs.push_back({phrasesName, &phrases.database});
    if (leftCodesOut) outputs.push_back({leftOutName, nullptr, codesLeftOut, &codesFile});
    if (phrases.leftAnyOut())
        outputs.push_back({phrasesLeftOutName, nullptr, phrases.leftOutList()});
    if (texts.leftAnyOut) {
        outputs.push_back({importLeftOut, &texts.leftOutList, {}, &texts.leftOutFile});
    }
    if (int rc = checkImportOutputs(texts.table, outputs)) return rc;
    // A phrase database an earlier run left is kept, and with it its list.
    std::vector<std::string> companions{leftOutName, importLeftOut};
    if (hasWords) companions.push_back(phrasesLeftOutName);
    if (int rc = writeImportOutputs(outputs, staleCompanions(texts.table, outputs, companions))) {
        return rc;
    }

    if (leftCodesOut) reportLeftOutCodes(method.fitting, leftOutName);
    if (hasWords) reportCompileTotals(phrases.fitting, phrasesLeftOutName, phrases.phraseCount);
    for (const ImportOutput& output : outputs) report(kImportWrote, output.name.c_str());
    report(kConvertOk);
    return 0;
}
