#include "ime/import/input_method_from_table.h"

#include <algorithm>
#include <array>

#include "foundation/desktop_tables/compact_index_set.h"
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

// Whether a single character's code can be kept: printable ASCII without
// blanks, no "//" to start it, at most 12 keys. Counts why not.
bool goodCode(std::string_view code, PairCounts& counts) {
    if (code.empty() || !std::all_of(code.begin(), code.end(), isPrintableKey)) {
        ++counts.codeNotPrintable;
    } else if (code.starts_with("//")) {
        ++counts.codeComment;
    } else if (code.size() > kLongestCode) {
        ++counts.codeTooLong;
    } else {
        return true;
    }
    return false;
}

// Sets the words aside and marks the keys that the good codes of single
// characters use; returns how many single characters have a good code.
std::size_t sortOutEntries(const DesktopTable& table, ImportedTable& imported,
                           std::array<bool, 128>& used) {
    std::size_t singles = 0;
    for (uint32_t i = 0; i < table.entries.size(); ++i) {
        const TableEntry& entry = table.entries[i];
        const int characters = utf8CharacterCount(table.text(entry));
        if (characters >= 2) imported.words.push_back(i);
        if (characters != 1) continue;
        const std::string_view code = table.code(entry);
        if (!goodCode(code, imported.counts)) continue;
        for (const char c : code) used[static_cast<uint8_t>(c)] = true;
        ++singles;
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

// Calls `take` with the number of every single character whose code is
// good and holds only keys of `usedCodes`, in reading order; returns how
// many good codes hold another key.
template <class Take>
int forEachCodedSingle(const DesktopTable& table, const std::string& usedCodes, Take take) {
    std::array<bool, 128> isKey{};
    for (const char c : usedCodes) isKey[static_cast<uint8_t>(c)] = true;
    PairCounts ignored;
    int beyond = 0;
    for (uint32_t i = 0; i < table.entries.size(); ++i) {
        const TableEntry& entry = table.entries[i];
        if (utf8CharacterCount(table.text(entry)) != 1) continue;
        const std::string_view code = table.code(entry);
        if (!goodCode(code, ignored)) continue;
        if (std::all_of(code.begin(), code.end(),
                        [&](char c) { return isKey[static_cast<uint8_t>(c)]; })) {
            take(i);
        } else {
            ++beyond;
        }
    }
    return beyond;
}

uint64_t pairHash(std::string_view code, uint16_t bytes) {
    const char character[] = {static_cast<char>(bytes >> 8), static_cast<char>(bytes)};
    return hashBytes(character, 2, hashBytes(code.data(), code.size()));
}

// Takes the single characters with kept codes into `pairs` (entry numbers,
// in reading order). Left out: a (code, character) pair that came before,
// also when two characters of the table are one character of the CharSet
// (its first keeps the larger weight), and characters the CharSet cannot
// write (the first ten named).
std::size_t takePairs(DesktopTable& table, std::size_t singles, TableCharacters& set,
                      ImportedTable& imported) {
    PairCounts& counts = imported.counts;
    std::vector<uint32_t>& pairs = imported.pairs;
    reserveHugePages(pairs, singles);
    const auto bytesOf = [&](uint32_t number) {
        const std::string_view text = table.text(table.entries[number]);
        return set.bytesOf(text, static_cast<int>(text.size()));
    };
    const auto codeOf = [&](uint32_t number) { return table.code(table.entries[number]); };
    CompactIndexSet written(singles);  // positions in `pairs`
    CompactIndexSet unwritable(0);     // entry numbers
    const auto unwritableHash = [&](uint32_t number) {
        const std::string_view code = codeOf(number);
        const std::string_view text = table.text(table.entries[number]);
        return hashBytes(text.data(), text.size(), hashBytes(code.data(), code.size()));
    };
    return static_cast<std::size_t>(
        forEachCodedSingle(table, imported.method.usedCodes, [&](uint32_t number) {
            const std::string_view code = codeOf(number);
            const uint16_t bytes = bytesOf(number);
            if (bytes == 0) {
                const std::string_view text = table.text(table.entries[number]);
                const uint32_t first = unwritable.insert(
                    number, unwritableHash(number), unwritableHash, [&](uint32_t earlier) {
                        return codeOf(earlier) == code &&
                               table.text(table.entries[earlier]) == text;
                    });
                if (first != CompactIndexSet::kNone) {
                    ++counts.repeated;
                } else if (counts.cannotWrite++ < kNamedLeftOut) {
                    lineNumber = table.lineOf(table.entries[number]);
                    report(kCharacterLeftOut, std::string(text).c_str(),
                           charSetName(set.charSet()));
                }
                return;
            }
            const uint32_t first = written.insert(
                static_cast<uint32_t>(pairs.size()), pairHash(code, bytes),
                [&](uint32_t at) { return pairHash(codeOf(pairs[at]), bytesOf(pairs[at])); },
                [&](uint32_t at) {
                    return bytesOf(pairs[at]) == bytes && codeOf(pairs[at]) == code;
                });
            if (first == CompactIndexSet::kNone) {
                pairs.push_back(number);
            } else {
                ++counts.repeated;
                table.raiseWeight(pairs[first], table.weight(number));
            }
        }));
}

int bitsPerKey(std::size_t keys) {
    int bits = 2;
    while ((std::size_t{1} << bits) <= keys) ++bits;
    return bits;
}

// The distinct codes of the pairs, and the longest.
void measureCodes(const DesktopTable& table, ImportedTable& imported) {
    const std::vector<uint32_t>& pairs = imported.pairs;
    const auto codeOf = [&](uint32_t at) { return table.code(table.entries[pairs[at]]); };
    const auto hashOf = [&](uint32_t at) {
        const std::string_view code = codeOf(at);
        return hashBytes(code.data(), code.size());
    };
    CompactIndexSet codes(0);
    for (uint32_t at = 0; at < pairs.size(); ++at) {
        const std::string_view code = codeOf(at);
        codes.insert(at, hashOf(at), hashOf, [&](uint32_t other) { return codeOf(other) == code; });
        imported.method.maxCodes =
            std::max(imported.method.maxCodes, static_cast<int>(code.size()));
    }
    imported.distinctCodes = codes.size();
}

// Style 1 when codes carry at most two characters on average and pack into
// 30 bits; else style 2.
int codingStyleOf(const ImportedTable& imported) {
    const bool few = imported.pairs.size() <= 2 * imported.distinctCodes;
    const InputMethod& method = imported.method;
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
    const std::size_t singles = sortOutEntries(table, imported, used);
    method.usedCodes = usedCodesOf(table, used);
    if (charSet == 0) {
        DistinctCharacters characters;
        forEachCodedSingle(table, method.usedCodes, [&](uint32_t number) {
            characters.add(table.text(table.entries[number]));
        });
        charSet = chooseCharSet(characters.all());
    }
    method.charSet = charSet;
    TableCharacters set(charSet);
    counts.keyBeyond = static_cast<int>(takePairs(table, singles, set, imported));
    sortByWeight(table, imported.pairs);
    counts.kept = static_cast<int>(imported.pairs.size());
    measureCodes(table, imported);
    method.codingStyle = codingStyleOf(imported);
    describeImportedMethod(table, fileName, set, method);
    takeRules(table, imported);
}
