// rime's dictionary: comment lines, a YAML header (rime_header.h), then
// lines of tab-separated columns (text, code, weight unless the header's
// `columns` says otherwise).
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
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
    // The first tab of `line` at or after `from`, or its end: eight bytes
    // at a time, read as far as the file goes.
    const char* const fileEnd = bytes.data() + bytes.size();
    const auto tabAt = [&](std::size_t from) {
        constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
        const char* at = line.data() + from;
        const char* const end = line.data() + line.size();
        while (at < end) {
            if (fileEnd - at < 8) {
                if (*at == '\t') break;
                ++at;
                continue;
            }
            uint64_t word = 0;
            std::memcpy(&word, at, 8);
            const uint64_t x = word ^ 0x0909090909090909u;
            const uint64_t tabs = ~(((x & kLow7) + kLow7) | x | kLow7);
            if (tabs != 0) {
                at += std::countr_zero(tabs) / 8;
                break;
            }
            at += 8;
        }
        return static_cast<std::size_t>(std::min(at, end) - line.data());
    };
    // Where each column stands (its last mention, as the header lists
    // them), and how many columns a line is split into.
    constexpr std::size_t kAbsent = SIZE_MAX;
    std::size_t textAt = kAbsent, codeAt = kAbsent, weightAt = kAbsent, splitInto = 0;
    for (std::size_t k = 0; k < header.columns.size(); ++k) {
        const RimeColumn column = header.columns[k];
        if (column == RimeColumn::kText) textAt = k;
        if (column == RimeColumn::kCode) codeAt = k;
        if (column == RimeColumn::kWeight) weightAt = k;
        if (column == RimeColumn::kText || column == RimeColumn::kCode ||
            column == RimeColumn::kWeight) {
            splitInto = k + 1;
        }
    }
    std::vector<std::string_view> fields(splitInto + 1);
    const auto fieldAt = [&](std::size_t k) {
        return k == kAbsent ? std::string_view{} : fields[k];
    };
    while (lines.next(line)) {
        if (lines.offsetOf(line) < body || line.empty() || line[0] == '#') continue;
        // The columns split in one walk along the line, as takeField
        // would take them one after another.
        std::size_t start = 0;
        for (std::size_t k = 0; k < splitInto; ++k) {
            const std::size_t end = start < line.size() ? tabAt(start) : start;
            fields[k] = start < line.size() ? line.substr(start, end - start) : std::string_view{};
            start = end + 1;
        }
        const std::string_view textColumn = fieldAt(textAt);
        const std::string_view code = fieldAt(codeAt);
        const std::string_view weightText = fieldAt(weightAt);
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
