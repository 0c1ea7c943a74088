#include "ime/import/input_method_from_table.h"

#include <algorithm>
#include <array>

#include "foundation/desktop_tables/index_set.h"
#include "foundation/desktop_tables/weight_order.h"
#include "ime/import/imported_description.h"
#include "ime/messages.h"

namespace {

constexpr std::size_t kLongestCode = 12;
constexpr std::size_t kMostKeys = 63;
constexpr int kNamedLeftOut = 10;

bool isPrintableKey(char c) {
    return c >= 0x21 && c <= 0x7E;
}

// Sorts out the single characters by their codes; the rest are words.
std::vector<uint32_t> singlesWithGoodCodes(const DesktopTable& table, ImportedTable& imported,
                                           std::array<bool, 128>& used) {
    std::vector<uint32_t> singles;
    PairCounts& counts = imported.counts;
    for (uint32_t i = 0; i < table.entries.size(); ++i) {
        const TableEntry& entry = table.entries[i];
        const int characters = utf8CharacterCount(table.text(entry));
        if (characters >= 2) imported.words.push_back(i);
        if (characters != 1) continue;
        const std::string_view code = table.code(entry);
        if (code.empty() || !std::all_of(code.begin(), code.end(), isPrintableKey)) {
            ++counts.codeNotPrintable;
        } else if (code.starts_with("//")) {
            ++counts.codeComment;
        } else if (code.size() > kLongestCode) {
            ++counts.codeTooLong;
        } else {
            for (const char c : code) used[static_cast<uint8_t>(c)] = true;
            singles.push_back(i);
        }
    }
    return singles;
}

// The declared keys in their order, then the other keys codes use, in byte
// order; at most 63.
std::string usedCodesOf(const DesktopTable& table, std::array<bool, 128> used) {
    std::string keys;
    for (const char c : table.declaredKeys) {
        if (isPrintableKey(c) && keys.find(c) == std::string::npos) keys += c;
    }
    for (const char c : keys) used[static_cast<uint8_t>(c)] = false;
    for (int c = 0; c < 128; ++c) {
        if (used[static_cast<std::size_t>(c)]) keys += static_cast<char>(c);
    }
    if (keys.size() > kMostKeys) keys.resize(kMostKeys);
    return keys;
}

struct Pair {
    uint32_t entry;
    uint16_t bytes;
};

// Drops the pairs whose (code, text) came before, keeping the larger weight.
std::vector<uint32_t> withoutRepeats(DesktopTable& table, const std::vector<uint32_t>& singles,
                                     int& repeated) {
    std::vector<uint32_t> kept;
    IndexSet seen(singles.size());
    for (const uint32_t number : singles) {
        TableEntry& entry = table.entries[number];
        const std::string_view code = table.code(entry);
        const std::string_view text = table.text(entry);
        const uint64_t hash =
            hashBytes(text.data(), text.size(), hashBytes(code.data(), code.size()));
        const uint32_t first = seen.insert(number, hash, [&](uint32_t earlier) {
            const TableEntry& other = table.entries[earlier];
            return table.code(other) == code && table.text(other) == text;
        });
        if (first == IndexSet::kNone) {
            kept.push_back(number);
        } else {
            ++repeated;
            table.raiseWeight(first, table.weight(number));
        }
    }
    return kept;
}

// Converts every pair into the CharSet; pairs it cannot write, or that come
// out as a pair already taken, are left out.
std::vector<Pair> convertedPairs(DesktopTable& table, const std::vector<uint32_t>& singles,
                                 TableCharacters& set, PairCounts& counts) {
    std::vector<Pair> pairs;
    IndexSet seen(singles.size());
    for (const uint32_t number : singles) {
        const TableEntry& entry = table.entries[number];
        const std::string_view text = table.text(entry);
        const uint16_t bytes = set.bytesOf(text, static_cast<int>(text.size()));
        if (bytes == 0) {
            if (counts.cannotWrite++ < kNamedLeftOut) {
                lineNumber = table.lineOf(entry);
                report(kCharacterLeftOut, std::string(text).c_str(), charSetName(set.charSet()));
            }
            continue;
        }
        const std::string_view code = table.code(entry);
        const char character[] = {static_cast<char>(bytes >> 8), static_cast<char>(bytes)};
        const uint64_t hash = hashBytes(character, 2, hashBytes(code.data(), code.size()));
        const uint32_t index = static_cast<uint32_t>(pairs.size());
        const uint32_t first = seen.insert(index, hash, [&](uint32_t earlier) {
            return pairs[earlier].bytes == bytes &&
                   table.code(table.entries[pairs[earlier].entry]) == code;
        });
        if (first == IndexSet::kNone) {
            pairs.push_back({number, bytes});
        } else {
            ++counts.repeated;
            table.raiseWeight(pairs[first].entry, table.weight(number));
        }
    }
    return pairs;
}

// Consecutive pairs of one code make one entry.
void fillEntries(const DesktopTable& table, const std::vector<Pair>& pairs, InputMethod& method) {
    for (const Pair& pair : pairs) {
        const std::string_view code = table.code(table.entries[pair.entry]);
        if (method.entries.empty() || method.entries.back().code != code) {
            method.entries.push_back({std::string(code), {}, 0});
        }
        method.entries.back().characters.push_back(
            {static_cast<uint8_t>(pair.bytes >> 8), static_cast<uint8_t>(pair.bytes)});
        method.maxCodes = std::max(method.maxCodes, static_cast<int>(code.size()));
    }
}

int bitsPerKey(std::size_t keys) {
    int bits = 2;
    while ((std::size_t{1} << bits) <= keys) ++bits;
    return bits;
}

// Style 1 when codes carry at most two characters on average and pack into
// 30 bits; else style 2.
int codingStyleOf(const DesktopTable& table, const std::vector<Pair>& pairs,
                  const InputMethod& method) {
    IndexSet codes(pairs.size());
    std::size_t distinct = 0;
    for (uint32_t i = 0; i < pairs.size(); ++i) {
        const std::string_view code = table.code(table.entries[pairs[i].entry]);
        distinct += codes.insert(i, hashBytes(code.data(), code.size()), [&](uint32_t earlier) {
            return table.code(table.entries[pairs[earlier].entry]) == code;
        }) == IndexSet::kNone;
    }
    const bool few = pairs.size() <= 2 * distinct;
    const bool packs = bitsPerKey(method.usedCodes.size()) * method.maxCodes <= 30;
    return few && packs ? 1 : 2;
}

void takeRules(const DesktopTable& table, ImportedTable& imported) {
    constexpr std::size_t kMostRules = 20;
    InputMethod& method = imported.method;
    for (const std::string& rule : table.unsaidRules) {
        imported.rulesLeftOut.emplace_back(rule, "it can't be written as a rule of [Rules]");
    }
    for (const TableRule& rule : table.rules) {
        CodingRule said{rule.kind, rule.hanZiCount, {}};
        for (const TableRuleItem& item : rule.items) {
            said.items.push_back({item.fromFront ? 'F' : 'B', item.hanZi, item.code});
        }
        if (method.codingStyle == 2) {
            imported.rulesLeftOut.emplace_back(rule.text, "CodingStyle=2 takes whole codes only");
        } else if (std::find(method.rules.begin(), method.rules.end(), said) !=
                   method.rules.end()) {
            imported.rulesLeftOut.emplace_back(rule.text, "it repeats an earlier rule");
        } else if (method.rules.size() == kMostRules) {
            imported.rulesLeftOut.emplace_back(rule.text, "a source holds at most 20 rules");
        } else {
            method.rules.push_back(std::move(said));
        }
    }
}

}  // namespace

void inputMethodFromTable(DesktopTable& table, CharSet charSet, const std::string& fileName,
                          ImportedTable& imported) {
    InputMethod& method = imported.method;
    PairCounts& counts = imported.counts;
    std::array<bool, 128> used{};
    std::vector<uint32_t> singles = singlesWithGoodCodes(table, imported, used);
    method.usedCodes = usedCodesOf(table, used);
    std::erase_if(singles, [&](uint32_t number) {
        const std::string_view code = table.code(table.entries[number]);
        const bool beyond = code.find_first_not_of(method.usedCodes) != std::string_view::npos;
        counts.keyBeyond += beyond;
        return beyond;
    });
    singles = withoutRepeats(table, singles, counts.repeated);
    if (charSet == 0) {
        DistinctCharacters characters;
        for (const uint32_t number : singles) characters.add(table.text(table.entries[number]));
        charSet = chooseCharSet(characters.all());
    }
    method.charSet = charSet;
    TableCharacters set(charSet);
    std::vector<Pair> pairs = convertedPairs(table, singles, set, counts);
    sortByWeight(table, pairs, [](const Pair& pair) { return pair.entry; });
    counts.kept = static_cast<int>(pairs.size());
    fillEntries(table, pairs, method);
    method.codingStyle = codingStyleOf(table, pairs, method);
    describeImportedMethod(table, fileName, set, method);
    takeRules(table, imported);
}
