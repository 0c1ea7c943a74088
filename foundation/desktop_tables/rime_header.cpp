#include "foundation/desktop_tables/rime_header.h"

#include <yaml-cpp/yaml.h>

#include <initializer_list>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/table_formats.h"

namespace {

// Finds the lines between a line "---" and a line "..." and sets `start`,
// `end` and the header's `body` around them (a header without "..." runs
// to the end of the file; a file without "---" has none).
void findHeader(const std::string& bytes, const TableReading& reading, std::size_t& start,
                std::size_t& end, std::size_t& body) {
    TableLines lines(bytes, reading);
    std::string_view line;
    bool inHeader = false;
    start = end = body = bytes.size();
    while (lines.next(line)) {
        const std::string_view trimmed = trimBlanks(line);
        if (!inHeader && trimmed == "---") {
            inHeader = true;
            start = lines.offsetOf(line) + line.size();
        } else if (inHeader && trimmed == "...") {
            end = lines.offsetOf(line);
            body = end + line.size();
            return;
        }
    }
}

enum class Kind { kText, kNumber, kFlag, kMap };

bool hasKind(const YAML::Node& value, Kind kind) {
    int number = 0;
    bool flag = false;
    switch (kind) {
        case Kind::kText:
            return value.IsScalar();
        case Kind::kNumber:
            return value.IsScalar() && YAML::convert<int>::decode(value, number);
        case Kind::kFlag:
            return value.IsScalar() && YAML::convert<bool>::decode(value, flag);
        case Kind::kMap:
            return value.IsMap();
    }
    return false;
}

// What a key's value must be: one value of `kind`, or a list of them.
struct Expected {
    const char* key;
    Kind kind;
    bool list = false;
};

std::string kindName(Kind kind, bool list) {
    switch (kind) {
        case Kind::kText:
            return list ? "a list of texts" : "a text";
        case Kind::kNumber:
            return list ? "a list of numbers" : "a number";
        case Kind::kFlag:
            return "true or false";
        case Kind::kMap:
            return list ? "a list of maps" : "a map";
    }
    return {};
}

// Why the first value of `map` named in `expected` is not of its type;
// empty when each is. A key without a value is left to the reading.
std::string wrongType(const YAML::Node& map, std::initializer_list<Expected> expected) {
    for (const Expected& wanted : expected) {
        const YAML::Node value = map[wanted.key];
        if (!value.IsDefined() || value.IsNull()) continue;
        bool fits = wanted.list ? value.IsSequence() : hasKind(value, wanted.kind);
        for (std::size_t i = 0; fits && wanted.list && i < value.size(); ++i) {
            fits = hasKind(value[i], wanted.kind);
        }
        if (!fits) {
            std::string why = "\"";
            why.append(wanted.key).append("\" must be ");
            const bool list = wanted.list && value.IsSequence();
            return why.append(wanted.list && !list ? "a list" : kindName(wanted.kind, list));
        }
    }
    return {};
}

RimeColumn columnNamed(const std::string& name) {
    if (name == "text") return RimeColumn::kText;
    if (name == "code") return RimeColumn::kCode;
    if (name == "weight") return RimeColumn::kWeight;
    return RimeColumn::kOther;
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
        const YAML::Node range = rule["length_in_range"];
        said.hanZiCount = range[0].as<int>();
        std::string written;
        for (const YAML::Node& bound : range) {
            written += (written.empty() ? "" : ", ") + bound.as<std::string>();
        }
        said.text = "length_in_range: [" + written + "], formula: " + formula;
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

// Why the values the reading takes are not of their types; empty when
// they are.
std::string wrongTypes(const YAML::Node& node, bool given) {
    std::string why = wrongType(node, {{"columns", Kind::kText, true},
                                       {"import_tables", Kind::kText, true},
                                       {"use_preset_vocabulary", Kind::kFlag}});
    if (!why.empty() || !given) return why;
    why =
        wrongType(node, {{"name", Kind::kText}, {"version", Kind::kText}, {"encoder", Kind::kMap}});
    const YAML::Node encoder = node["encoder"];
    if (!why.empty() || !encoder || !encoder.IsMap()) return why;
    why = wrongType(encoder, {{"rules", Kind::kMap, true}});
    const YAML::Node rules = encoder["rules"];
    for (std::size_t i = 0; why.empty() && rules && rules.IsSequence() && i < rules.size(); ++i) {
        why = wrongType(rules[i], {{"formula", Kind::kText},
                                   {"length_equal", Kind::kNumber},
                                   {"length_in_range", Kind::kNumber, true}});
    }
    return why;
}

int parseHeader(const std::string& text, const char* name, DesktopTable& table, bool given,
                RimeHeader& header) {
    try {
        const YAML::Node node = YAML::Load(text);
        if (!node.IsMap()) return 0;
        const std::string why = wrongTypes(node, given);
        if (!why.empty()) return report(kYamlHeaderError, name, why.c_str());
        if (given) {
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
        if (given && rules && rules.IsSequence()) {
            for (const YAML::Node& rule : rules) addEncoderRule(table, rule);
        }
    } catch (const YAML::Exception& error) {
        return report(kYamlHeaderError, name, error.what());
    }
    return 0;
}

}  // namespace

int readRimeHeader(const char* name, const TableReading& reading, int file, bool given,
                   DesktopTable& table, RimeHeader& header) {
    const std::string& bytes = table.files[static_cast<std::size_t>(file)];
    std::size_t start = 0;
    std::size_t end = 0;
    findHeader(bytes, reading, start, end, header.body);
    header.line = lineNumber;
    if (end - start > kLargestRimeHeader) {
        return report(kYamlHeaderError, name, "the header is larger than 1 MiB");
    }
    return parseHeader(bytes.substr(start, end - start), name, table, given, header);
}
