// rime's dictionary and its schema:
//   NAME.dict.yaml   # comments: the coding, what was left out
//                    ---, name, version, sort: original, columns, the
//                    encoder's rules where they can be said, ...
//                    then "text TAB code TAB weight", the weights falling
//                    in the order of the candidates of each code
//   NAME.schema.yaml a table schema: the speller's alphabet (UsedCodes),
//                    max_code_length, the table translator on NAME
#include <algorithm>

#include "ime/export/engine_writers.h"

namespace {

// A YAML text in single quotes, which take every character but the quote,
// written twice.
std::string quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

// rime's formula: a capital for the character (A from the front, Z from
// the back), a small letter for its key (a the first).
bool formulaOf(const CodingRule& rule, std::string& formula) {
    formula.clear();
    for (const CodingRuleItem& item : rule.items) {
        if (item.hanZi < 1 || item.hanZi > 10 || item.code < 1 || item.code > 15) return false;
        formula += static_cast<char>(item.direction == 'B' ? 'Z' - (item.hanZi - 1)
                                                           : 'A' + (item.hanZi - 1));
        formula += static_cast<char>('a' + (item.code - 1));
    }
    return true;
}

// The longest phrase a "PA" rule codes: up to the next longer "PA".
int rangeEnd(const InputMethod& im, const CodingRule& rule) {
    int end = 15;
    for (const CodingRule& other : im.rules) {
        if (other.kind == 'A' && other.hanZiCount > rule.hanZiCount) {
            end = std::min(end, other.hanZiCount - 1);
        }
    }
    return end;
}

// The encoder takes the first rule that fits a phrase, so those of exact
// lengths come first.
std::string encoderRules(const InputMethod& im, ExportTable& table) {
    if (im.codingStyle != 1 || im.rules.empty()) return {};
    std::string text = "encoder:\n  rules:\n";
    std::string formula;
    for (const char kind : {'E', 'A'}) {
        for (const CodingRule& rule : im.rules) {
            if (rule.kind != kind) continue;
            if (!formulaOf(rule, formula)) {
                leaveOutRules(table, "the encoder says rules of characters 1 to 10");
                return {};
            }
            text += kind == 'E' ? "    - length_equal: " + std::to_string(rule.hanZiCount) + "\n"
                                : "    - length_in_range: [" + std::to_string(rule.hanZiCount) +
                                      ", " + std::to_string(rangeEnd(im, rule)) + "]\n";
            text += "      formula: \"" + formula + "\"\n";
        }
    }
    return text;
}

}  // namespace

std::string rimeDictionaryText(const InputMethod& im, ExportTable& table) {
    const std::string encoder = encoderRules(im, table);
    std::string text = headerComments(im, table, "#");
    text += "---\nname: " + quoted(table.name) + "\nversion: " + quoted(table.version) + "\n";
    text += "sort: original\ncolumns:\n  - text\n  - code\n  - weight\n" + encoder + "...\n\n";
    for (std::size_t k = 0; k < table.entries.size(); ++k) {
        const ExportedEntry& entry = table.entries[k];
        text.append(entry.text).append("\t").append(entry.code).append("\t");
        text.append(std::to_string(weightOf(table, k))).append("\n");
    }
    return text;
}

std::string rimeSchemaText(const InputMethod& im, const ExportTable& table) {
    const std::size_t length = longestKeys(im, table);
    std::string text = "schema:\n  schema_id: " + quoted(table.name) +
                       "\n  name: " + quoted(table.fullName) +
                       "\n  version: " + quoted(table.version) + "\n";
    text +=
        "engine:\n  processors:\n    - ascii_composer\n    - key_binder\n    - speller\n"
        "    - selector\n    - navigator\n    - express_editor\n  segmentors:\n"
        "    - ascii_segmentor\n    - abc_segmentor\n    - fallback_segmentor\n"
        "  translators:\n    - table_translator\n";
    text += "speller:\n  alphabet: " + quoted(im.usedCodes) +
            "\n  max_code_length: " + std::to_string(length) + "\n";
    text += "translator:\n  dictionary: " + quoted(table.name) +
            "\n  enable_sentence: false\n  enable_user_dict: false\n";
    return text;
}
