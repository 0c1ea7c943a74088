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

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/rime_header.h"
#include "foundation/desktop_tables/table_formats.h"
#include "foundation/desktop_tables/table_text.h"
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

// The lines of a dictionary after its header (they start past `body`),
// each walked once, eight bytes at a time, for its line feed and the tabs
// of the columns split. lineNumber follows the lines as TableLines keeps
// it.
class BodyLines {
  public:
    BodyLines(const std::string& bytes, std::size_t body, const TableReading& reading)
        : bytes_(bytes), lines_(bytes, reading) {
        const std::size_t feed = body < bytes.size() ? bytes.find('\n', body) : std::string::npos;
        at_ = feed == std::string::npos ? bytes.size() : feed + 1;
        // The lines that start before the body's first.
        number_ = static_cast<int>(lineFeedsIn(std::string_view(bytes).substr(0, at_))) +
                  (at_ > 0 && bytes[at_ - 1] != '\n');
        lineNumber = number_;
    }

    // The next line: its bytes [start, end), a CR before the LF dropped,
    // and the first `most` of its tabs into `tab` (`tabs` of them).
    bool next(std::size_t* tab, std::size_t most) {
        const std::size_t size = bytes_.size();
        if (at_ >= size) return false;
        lineNumber = ++number_;
        start = at_;
        tabs = 0;
        const char* const data = bytes_.data();
        std::size_t at = at_;
        // The tabs among the bytes at `from` that `marks` has the top bit of.
        const auto takeTabs = [&](std::size_t from, uint64_t marks) {
            for (; marks != 0 && tabs < most; marks &= marks - 1) {
                tab[tabs++] = from + static_cast<std::size_t>(std::countr_zero(marks)) / 8;
            }
        };
        std::size_t feed = size;
#ifdef __SSE2__
        // Sixteen bytes at a time, a bit a byte for the line feeds and the tabs.
        const __m128i feedByte = _mm_set1_epi8('\n');
        const __m128i tabByte = _mm_set1_epi8('\t');
        for (; size - at >= 16 && feed == size; at += 16) {
            const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
            const auto feedBits =
                static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, feedByte)));
            auto tabBits = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, tabByte)));
            if (feedBits != 0) {
                tabBits &= (feedBits & (0 - feedBits)) - 1;  // only the tabs before the feed
                feed = at + static_cast<std::size_t>(std::countr_zero(feedBits));
            }
            for (; tabBits != 0 && tabs < most; tabBits &= tabBits - 1) {
                tab[tabs++] = at + static_cast<std::size_t>(std::countr_zero(tabBits));
            }
        }
        if (feed != size) at = feed;
#endif
        for (; feed == size && size - at >= 8; at += 8) {
            constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Fu;
            uint64_t word = 0;
            std::memcpy(&word, data + at, 8);
            const uint64_t feeds = word ^ 0x0A0A0A0A0A0A0A0Au;
            const uint64_t tabBytes = word ^ 0x0909090909090909u;
            const uint64_t feedMarks = ~(((feeds & kLow7) + kLow7) | feeds | kLow7);
            const uint64_t tabMarks = ~(((tabBytes & kLow7) + kLow7) | tabBytes | kLow7);
            if (feedMarks != 0) {
                // Only the tabs before the line feed.
                takeTabs(at, tabMarks & ((feedMarks & (0 - feedMarks)) - 1));
                feed = at + static_cast<std::size_t>(std::countr_zero(feedMarks)) / 8;
                break;
            }
            takeTabs(at, tabMarks);
        }
        if (feed == size) {
            for (; at < size && data[at] != '\n'; ++at) {
                if (data[at] == '\t' && tabs < most) tab[tabs++] = at;
            }
            feed = at;
        }
        end = feed > start && data[feed - 1] == '\r' ? feed - 1 : feed;
        at_ = feed + 1;
        return true;
    }

    std::size_t start = 0, end = 0, tabs = 0;

  private:
    const std::string& bytes_;
    TableLines lines_;  // the section the messages name
    std::size_t at_ = 0;
    int number_ = 0;
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
    const std::string& bytes = table.files[static_cast<std::size_t>(file)];
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
    // The tabs that end the columns split, by column.
    std::vector<std::size_t> tabs(splitInto + 1);
    BodyLines lines(bytes, header.body, rime.reading);
    while (lines.next(tabs.data(), splitInto)) {
        if (lines.start == lines.end || bytes[lines.start] == '#') continue;
        // A column past the line's last tab is empty, as the line holds it.
        const auto field = [&](std::size_t k) {
            if (k == kAbsent || k > lines.tabs) return std::string_view{};
            const std::size_t from = k == 0 ? lines.start : tabs[k - 1] + 1;
            const std::size_t to = k < lines.tabs ? tabs[k] : lines.end;
            return std::string_view(bytes.data() + from, to - from);
        };
        const std::string_view textColumn = field(textAt);
        const std::string_view code = field(codeAt);
        const std::string_view weightText = field(weightAt);
        if (textColumn.empty()) continue;
        double weight = 0;
        bool percent = false;
        const bool given = parseDigitWord(weightText, bytes.data() + bytes.size(), weight) ||
                           parseWeight(weightText, weight, percent);
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
