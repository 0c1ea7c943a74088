// rime's dictionary: comment lines, a YAML header (rime_header.h), then
// lines of tab-separated columns (text, code, weight unless the header's
// `columns` says otherwise).
#include <map>
#include <set>
#include <unordered_map>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/rime_header.h"
#include "foundation/desktop_tables/table_formats.h"
#include "foundation/file_identity.h"
#include "foundation/text_helpers.h"

namespace {

// An entry names its file in one byte; the table given is the first file,
// at level 0.
constexpr int kDeepestImport = 8;
constexpr std::size_t kMostFiles = 255;

// The preset vocabulary of one folder: the weight of every word of its
// essay.txt.
struct Vocabulary {
    std::string bytes;
    std::unordered_map<std::string_view, double> weights;
};

struct RimeReading {
    const TableReading& reading;
    DesktopTable& table;
    std::set<FileIdentity> seen;                      // files read, against loops
    std::map<FileIdentity, Vocabulary> vocabularies;  // by essay.txt
};

// Reads the essay.txt of `folder` once; one that is not there gives no
// weights. Returns 0, or 100, 101 or 908 after reporting it.
int readVocabulary(RimeReading& rime, const std::string& folder, const Vocabulary*& read) {
    const std::string name = folder + "essay.txt";
    FileIdentity identity;
    if (!fileIdentityOf(name.c_str(), identity)) return 0;
    auto [found, added] = rime.vocabularies.try_emplace(identity);
    Vocabulary& vocabulary = found->second;
    read = &vocabulary;
    if (!added) return 0;
    DesktopTable essay;
    int file = 0;
    if (int rc = loadTableFile(name.c_str(), rime.reading, essay, file, NotUtf8Lines::kStop)) {
        if (rc == kNotUtf8.code) report(kLineOfFile, name.c_str());
        return rc;
    }
    rime.table.fileNames.push_back(name);
    vocabulary.bytes = std::move(essay.files[0]);
    readWordLinesInto(vocabulary.bytes, rime.reading, vocabulary.weights);
    return 0;
}

int readDictionary(RimeReading& rime, const std::string& name, int file, int depth);

int readImports(RimeReading& rime, const std::string& name, const RimeHeader& header, int depth) {
    for (const std::string& import : header.imports) {
        const std::string importName = folderPrefixOf(name) + import + ".dict.yaml";
        FileIdentity identity;
        const bool there = fileIdentityOf(importName.c_str(), identity);
        if (there && rime.seen.contains(identity)) continue;
        if (depth == kDeepestImport || rime.table.files.size() == kMostFiles) {
            currentSection = rime.reading.sectionId;
            lineNumber = header.line;
            return report(kTooManyImports, name.c_str());
        }
        if (there) rime.seen.insert(identity);
        int file = 0;
        if (int rc = loadTableFile(importName.c_str(), rime.reading, rime.table, file)) return rc;
        if (int rc = readDictionary(rime, importName, file, depth + 1)) return rc;
    }
    return 0;
}

int readDictionary(RimeReading& rime, const std::string& name, int file, int depth) {
    DesktopTable& table = rime.table;
    RimeHeader header;
    if (int rc = readRimeHeader(name.c_str(), rime.reading, file, depth == 0, table, header)) {
        return rc;
    }
    if (int rc = readImports(rime, name, header, depth)) return rc;
    const Vocabulary* vocabulary = nullptr;
    if (header.presetVocabulary) {
        if (int rc = readVocabulary(rime, folderPrefixOf(name), vocabulary)) return rc;
        if (vocabulary != nullptr && vocabulary->weights.empty()) vocabulary = nullptr;
    }
    if (vocabulary != nullptr) table.weighted = true;
    const std::size_t body = header.body;
    const std::string& bytes = table.files[static_cast<std::size_t>(file)];
    TableLines lines(bytes, rime.reading);
    std::string_view line;
    while (lines.next(line)) {
        if (lines.offsetOf(line) < body || line.empty() || line[0] == '#') continue;
        std::string_view textColumn, code, weightText;
        std::string_view rest = line;
        for (const RimeColumn column : header.columns) {
            const std::string_view field = takeField(rest, '\t');
            if (column == RimeColumn::kText) textColumn = field;
            if (column == RimeColumn::kCode) code = field;
            if (column == RimeColumn::kWeight) weightText = field;
        }
        if (textColumn.empty()) continue;
        double weight = 0;
        bool percent = false;
        const bool given = parseWeight(weightText, weight, percent);
        if (!given) weight = 0;
        if (given) table.weighted = true;
        if (vocabulary != nullptr && (!given || percent)) {
            const auto found = vocabulary->weights.find(textColumn);
            const double preset = found == vocabulary->weights.end() ? 0 : found->second;
            weight = preset * (given ? weight / 100 : 1);
        }
        addTableEntry(table, file, code, textColumn, weight);
    }
    return 0;
}

}  // namespace

int readRimeDictionary(const char* name, const TableReading& reading, DesktopTable& table,
                       int file) {
    table.format = "rime dictionary";
    RimeReading rime{reading, table, {}, {}};
    FileIdentity identity;
    if (fileIdentityOf(name, identity)) rime.seen.insert(identity);
    return readDictionary(rime, name, file, 0);
}
