// rime's dictionary: comment lines, a YAML header from "---" to "...", then
// lines of tab-separated columns (text, code, weight unless the header's
// `columns` says otherwise).
#include <yaml-cpp/yaml.h>

#include <set>
#include <unordered_map>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/table_formats.h"

namespace {

constexpr int kDeepestImport = 8;
constexpr std::size_t kMostFiles = 255;

enum class Column { kText, kCode, kWeight, kOther };

struct RimeHeader {
    std::vector<Column> columns{Column::kText, Column::kCode, Column::kWeight};
    std::vector<std::string> imports;
    bool presetVocabulary = false;
};

// The preset vocabulary of one folder: the weight of every word of its
// essay.txt.
struct Vocabulary {
    std::string bytes;
    std::unordered_map<std::string_view, double> weights;
};

struct RimeReading {
    const TableReading& reading;
    DesktopTable& table;
    std::set<std::string> seen;                                // files read, against loops
    std::unordered_map<std::string, Vocabulary> vocabularies;  // by folder
};

std::string folderOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

const Vocabulary& vocabularyOf(RimeReading& rime, const std::string& folder) {
    auto [found, added] = rime.vocabularies.try_emplace(folder);
    Vocabulary& vocabulary = found->second;
    if (!added) return vocabulary;
    DesktopTable essay;
    int file = 0;
    const QuietReports quiet;
    if (loadTableFile((folder + "essay.txt").c_str(), rime.reading, essay, file) != 0) {
        return vocabulary;
    }
    vocabulary.bytes = std::move(essay.files[0]);
    readWordLinesInto(vocabulary.bytes, rime.reading, vocabulary.weights);
    return vocabulary;
}

// The lines before "..." after a line "---": the header. `body` is set to
// the offset of the line after "...".
std::string headerText(const std::string& bytes, const TableReading& reading, std::size_t& body) {
    TableLines lines(bytes, reading);
    std::string_view line;
    bool inHeader = false;
    std::size_t start = 0;
    while (lines.next(line)) {
        const std::string_view trimmed = trimBlanks(line);
        if (!inHeader && trimmed == "---") {
            inHeader = true;
            start = lines.offsetOf(line) + line.size();
        } else if (inHeader && trimmed == "...") {
            body = lines.offsetOf(line) + line.size();
            return bytes.substr(start, lines.offsetOf(line) - start);
        }
    }
    body = bytes.size();
    return inHeader ? bytes.substr(start) : std::string();
}

Column columnNamed(const std::string& name) {
    if (name == "text") return Column::kText;
    if (name == "code") return Column::kCode;
    if (name == "weight") return Column::kWeight;
    return Column::kOther;
}

// rime's formula "AaAbBaBb": pairs of a character (A to T from the front,
// U to Z from the back) and a code key (a to t from the front).
void addEncoderRule(DesktopTable& table, const YAML::Node& rule) {
    const std::string formula = rule["formula"] ? rule["formula"].as<std::string>() : "";
    TableRule said;
    said.text = formula;
    bool sayable = formula.size() >= 4 && formula.size() % 2 == 0;
    if (rule["length_equal"]) {
        said.kind = 'E';
        said.hanZiCount = rule["length_equal"].as<int>();
        said.text = "length_equal: " + std::to_string(said.hanZiCount) + ", formula: " + formula;
    } else if (rule["length_in_range"] && rule["length_in_range"].IsSequence()) {
        said.kind = 'A';
        said.hanZiCount = rule["length_in_range"][0].as<int>();
        said.text = "length_in_range: " + std::to_string(said.hanZiCount) + ", formula: " + formula;
    } else {
        sayable = false;
    }
    sayable = sayable && said.hanZiCount >= 2 && said.hanZiCount <= 15;
    for (std::size_t i = 0; sayable && i + 1 < formula.size(); i += 2) {
        const char hanZi = formula[i];
        const char code = formula[i + 1];
        TableRuleItem item;
        item.fromFront = hanZi >= 'A' && hanZi <= 'T';
        item.hanZi = item.fromFront ? hanZi - 'A' + 1 : 'Z' - hanZi + 1;
        item.code = code - 'a' + 1;
        sayable = hanZi >= 'A' && hanZi <= 'Z' && code >= 'a' && code <= 't' &&
                  item.hanZi <= said.hanZiCount && item.code <= 15;
        said.items.push_back(item);
    }
    if (sayable) {
        table.rules.push_back(std::move(said));
    } else {
        table.unsaidRules.push_back(said.text);
    }
}

// Reads the header; false after reporting what yaml-cpp found wrong.
int parseHeader(const std::string& text, const char* name, DesktopTable& table, bool main,
                RimeHeader& header) {
    try {
        const YAML::Node node = YAML::Load(text);
        if (!node.IsMap()) return 0;
        if (main) {
            if (node["name"]) table.asciiName = node["name"].as<std::string>();
            if (node["version"]) table.version = node["version"].as<std::string>();
        }
        if (node["columns"] && node["columns"].IsSequence()) {
            header.columns.clear();
            for (const YAML::Node& column : node["columns"]) {
                header.columns.push_back(columnNamed(column.as<std::string>()));
            }
        }
        if (node["import_tables"] && node["import_tables"].IsSequence()) {
            for (const YAML::Node& import : node["import_tables"]) {
                header.imports.push_back(import.as<std::string>());
            }
        }
        if (node["use_preset_vocabulary"]) {
            header.presetVocabulary = node["use_preset_vocabulary"].as<bool>();
        }
        const YAML::Node rules = node["encoder"] ? node["encoder"]["rules"] : YAML::Node();
        if (main && rules && rules.IsSequence()) {
            for (const YAML::Node& rule : rules) addEncoderRule(table, rule);
        }
    } catch (const YAML::Exception& error) {
        return report(kYamlHeaderError, name, error.what());
    }
    return 0;
}

int readDictionary(RimeReading& rime, const std::string& name, int file, int depth);

int readImports(RimeReading& rime, const std::string& name, const RimeHeader& header, int depth) {
    for (const std::string& import : header.imports) {
        const std::string importName = folderOf(name) + import + ".dict.yaml";
        // An entry names its file in one byte.
        if (depth >= kDeepestImport || rime.table.files.size() > kMostFiles ||
            !rime.seen.insert(importName).second) {
            continue;
        }
        int file = 0;
        if (int rc = loadTableFile(importName.c_str(), rime.reading, rime.table, file)) return rc;
        if (int rc = readDictionary(rime, importName, file, depth + 1)) return rc;
    }
    return 0;
}

int readDictionary(RimeReading& rime, const std::string& name, int file, int depth) {
    DesktopTable& table = rime.table;
    std::size_t body = 0;
    RimeHeader header;
    const std::string text =
        headerText(table.files[static_cast<std::size_t>(file)], rime.reading, body);
    if (int rc = parseHeader(text, name.c_str(), table, depth == 0, header)) return rc;
    if (int rc = readImports(rime, name, header, depth)) return rc;
    const Vocabulary* vocabulary =
        header.presetVocabulary ? &vocabularyOf(rime, folderOf(name)) : nullptr;
    if (vocabulary != nullptr && vocabulary->weights.empty()) vocabulary = nullptr;
    if (vocabulary != nullptr) table.weighted = true;

    const std::string& bytes = table.files[static_cast<std::size_t>(file)];
    TableLines lines(bytes, rime.reading);
    std::string_view line;
    while (lines.next(line)) {
        if (lines.offsetOf(line) < body || line.empty() || line[0] == '#') continue;
        std::string_view textColumn, code, weightText;
        std::string_view rest = line;
        for (const Column column : header.columns) {
            const std::string_view field = takeField(rest, '\t');
            if (column == Column::kText) textColumn = field;
            if (column == Column::kCode) code = field;
            if (column == Column::kWeight) weightText = field;
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
    RimeReading rime{reading, table, {name}, {}};
    return readDictionary(rime, name, file, 0);
}
