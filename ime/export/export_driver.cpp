#include "ime/export/export_driver.h"

#include <unordered_map>

#include "foundation/file_identity.h"
#include "foundation/memory_guard.h"
#include "foundation/output_group.h"
#include "foundation/phrase_database_reader.h"
#include "foundation/text_helpers.h"
#include "ime/compile_driver.h"
#include "ime/database/input_method_database.h"
#include "ime/export/engine_writers.h"
#include "ime/export/phrase_list_file.h"
#include "ime/messages.h"

namespace {

constexpr char kRimeExtension[] = ".dict.yaml";

std::string pairKey(std::string_view code, const DoubleByteCharacter& character) {
    const auto bytes = character.bytes();
    return std::string(code).append(1, '\0').append(bytes.data(), 2);
}

// A source compiled in memory and read back as the database it makes, so
// that its entries stand in the handheld's order; `lines` gives the source
// line of each of them.
int readCompiledSource(CMabrel& mabrel, const char* name, InputMethod& im,
                       std::vector<int>& lines) {
    if (int rc = readSourceFile(mabrel, name)) return rc;
    std::unordered_map<std::string, int> lineOfPair;
    for (const CodeTableEntry& entry : mabrel.im.entries) {
        lineOfPair.emplace(pairKey(mabrel.im.codes[entry.code], entry.character),
                           static_cast<int>(entry.line));
    }
    CodeTableFitting fitting;
    ImeLayout layout;
    if (int rc = layOutCompiled(mabrel.im, MisfitCodes::kStop, fitting, layout)) return rc;
    if (int rc = readInputMethodDatabase(datedImeDatabaseImage(layout), name, im)) return rc;
    for (const CodeTableEntry& entry : im.entries) {
        const auto found = lineOfPair.find(pairKey(im.codes[entry.code], entry.character));
        lines.push_back(found == lineOfPair.end() ? 0 : found->second);
    }
    return 0;
}

int readExportPhrases(const char* name, CharSet charSet, PhraseDatabase& db) {
    int rc = 0;
    if (nameContains(name, ".PDB")) {
        rc = readPhraseDatabaseFile(name, db);
    } else {
        rc = readPhraseListFile(name, db);
        useMabrelMessages();
    }
    if (rc != 0) return rc;
    if (db.charSet != charSet) return report(kPhrasesOfAnotherCharSet, name);
    return 0;
}

std::string fileName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The table's name: the file name without its extension.
std::string tableName(const char* destination, ExportFormat format) {
    return fileName(nameBesideExport(destination, format, ""));
}

std::string tableText(const InputMethod& im, ExportTable& table, ExportFormat format) {
    switch (format) {
        case ExportFormat::kRime:
            return rimeDictionaryText(im, table);
        case ExportFormat::kFcitx5:
        case ExportFormat::kFcitx:
            return fcitxTableText(im, table, format);
        case ExportFormat::kCin:
            return cinTableText(im, table);
        case ExportFormat::kIbus:
            return ibusTableText(im, table);
    }
    return {};
}

int exportTables(CMabrel& mabrel, ExportFormat format, const char* sourceName,
                 const char* phrasesName, const char* destinationName) {
    report(kExporting, sourceName, exportFormatName(format), destinationName);
    InputMethod im;
    std::vector<int> lines;
    if (nameContains(sourceName, ".PDB")) {
        if (int rc = readInputMethodDatabaseFile(sourceName, im)) return rc;
    } else if (int rc = readCompiledSource(mabrel, sourceName, im, lines)) {
        return rc;
    }
    PhraseDatabase phrases;
    if (phrasesName != nullptr) {
        if (int rc = readExportPhrases(phrasesName, im.charSet, phrases)) return rc;
    }
    ExportTable table = exportTable(im, phrasesName != nullptr ? &phrases : nullptr, format,
                                    tableName(destinationName, format), lines);
    std::vector<std::pair<std::string, std::string>> files;
    files.emplace_back(destinationName, tableText(im, table, format));
    if (format == ExportFormat::kRime) {
        files.emplace_back(nameBesideExport(destinationName, format, ".schema.yaml"),
                           rimeSchemaText(im, table));
    }
    const std::string listName = nameBesideExport(destinationName, format, "-left-out.txt");
    if (!table.leftOut.empty()) files.emplace_back(listName, leftOutText(table));
    OutputGroup outputs;
    for (auto& [name, bytes] : files) {
        if (isSameFile(name.c_str(), sourceName) ||
            (phrasesName != nullptr && isSameFile(name.c_str(), phrasesName))) {
            return report(kDestinationIsSource, name.c_str());
        }
        outputs.add(name, std::move(bytes));
    }
    if (int rc = outputs.commit()) return rc;
    const auto characters = static_cast<int>(table.characterCount);
    report(kExportWritten, characters, static_cast<int>(table.entries.size()) - characters);
    if (!table.leftOut.empty()) {
        report(kExportLeftOut, static_cast<int>(table.leftOut.size()), listName.c_str());
    }
    return 0;
}

}  // namespace

std::string nameBesideExport(const std::string& destination, ExportFormat format,
                             const char* suffix) {
    const std::size_t nameStart = destination.rfind('/') + 1;
    std::size_t end = destination.rfind('.');
    if (format == ExportFormat::kRime) {
        end = upperCopy(destination.c_str()).rfind(upperCopy(kRimeExtension).c_str());
    }
    if (end == std::string::npos || end < nameStart) end = destination.size();
    return destination.substr(0, end) + suffix;
}

bool isRimeDictionaryName(const char* name) {
    return upperCopy(name).ends_with(upperCopy(kRimeExtension));
}

int exportInputMethod(CMabrel& mabrel, ExportFormat format, const char* sourceName,
                      const char* phrasesName, const char* destinationName) {
    return runWithMemoryGuard(
        [&] { return exportTables(mabrel, format, sourceName, phrasesName, destinationName); });
}
