#include "ime/import/input_method_from_table.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <utility>

#include "foundation/desktop_tables/compact_index_set.h"
#include "foundation/desktop_tables/hash_bytes.h"
#include "foundation/desktop_tables/weight_order.h"
#include "foundation/huge_pages.h"
#include "ime/code_numbering.h"
#include "ime/import/imported_description.h"
#include "ime/import/table_language.h"
#include "ime/input_method_limits.h"
#include "ime/keyboard_driver.h"
#include "ime/messages.h"
#include "ime/source/ime_source_writer.h"

namespace {

constexpr std::size_t kLongestCode = 12;
constexpr std::size_t kMostKeys = 63;
constexpr int kNamedLeftOut = 10;

bool isPrintableKey(char c) {
    return c >= 0x21 && c <= 0x7E;
}

// Why a single character's code cannot be kept (not printable ASCII
// without blanks, "//" to start it, more than 12 keys), or kNone.
constexpr auto kGoodCode = static_cast<LeftOutReason>(0xFF);
LeftOutReason badCode(std::string_view code) {
    if (code.empty() || !std::all_of(code.begin(), code.end(), isPrintableKey)) {
        return LeftOutReason::kCodeNotPrintable;
    }
    if (code.starts_with("//")) return LeftOutReason::kCodeComment;
    if (code.size() > kLongestCode) return LeftOutReason::kCodeTooLong;
    return kGoodCode;
}

void countBadCode(LeftOutReason reason, PairCounts& counts) {
    if (reason == LeftOutReason::kCodeNotPrintable) ++counts.codeNotPrintable;
    if (reason == LeftOutReason::kCodeComment) ++counts.codeComment;
    if (reason == LeftOutReason::kCodeTooLong) ++counts.codeTooLong;
}

// The entries that are single characters with good codes, a bit each.
class CodedSingles {
  public:
    explicit CodedSingles(std::size_t entries) : bits_((entries + 63) / 64) {}
    void add(uint32_t entry) { bits_[entry / 64] |= uint64_t{1} << (entry % 64); }
    // Calls `visit` with each, in reading order.
    template <class Visit>
    void forEach(Visit visit) const {
        for (std::size_t word = 0; word < bits_.size(); ++word) {
            for (uint64_t bits = bits_[word]; bits != 0; bits &= bits - 1) {
                visit(static_cast<uint32_t>(word * 64 +
                                            static_cast<unsigned>(std::countr_zero(bits))));
            }
        }
    }

  private:
    std::vector<uint64_t> bits_;
};

// 0, 1, or 2 for two UTF-8 characters or more in `text` (a table's text,
// UTF-8 throughout): past its first character or not.
int characterCountUpToTwo(std::string_view text) {
    if (text.empty()) return 0;
    return text.size() > static_cast<std::size_t>(utf8LengthFromLead(text[0])) ? 2 : 1;
}

// Sets the words aside, marks the keys that the good codes of single
// characters use, notes those characters and adds their texts to
// `characters`; returns how many there are.
std::size_t sortOutEntries(DesktopTable& table, ImportedTable& imported,
                           std::array<bool, 128>& used, CodedSingles& coded,
                           DistinctCharacters& characters) {
    std::size_t singles = 0;
    for (uint32_t i = 0; i < table.entries.size(); ++i) {
        const TableEntry& entry = table.entries[i];
        const int count = characterCountUpToTwo(table.text(entry));
        if (count >= 2) imported.words.push_back(i);
        if (count != 1) continue;
        const std::string_view code = table.code(entry);
        if (const LeftOutReason bad = badCode(code); bad != kGoodCode) {
            countBadCode(bad, imported.counts);
            table.leaveOut(i, bad);
            continue;
        }
        for (const char c : code) used[static_cast<uint8_t>(c)] = true;
        coded.add(i);
        ++singles;
        const std::string_view text = table.text(entry);
        if (text.size() > 1) characters.add(text);
    }
    return singles;
}

// The declared keys in their order (a Mabrel export's own, where it carries
// them), then the other keys codes use, in byte order; at most 63.
std::string usedCodesOf(const DesktopTable& table, std::array<bool, 128> used) {
    const std::string& declared =
        table.exported.usedCodes.empty() ? table.declaredKeys : table.exported.usedCodes;
    std::string keys;
    for (const char c : declared) {
        if (isPrintableKey(c) && keys.find(c) == std::string::npos) keys += c;
    }
    for (const char c : keys) used[static_cast<uint8_t>(c)] = false;
    for (int c = 0; c < 128; ++c) {
        if (used[static_cast<std::size_t>(c)]) keys += static_cast<char>(c);
    }
    if (keys.size() > kMostKeys) keys.resize(kMostKeys);
    return keys;
}

// Whether `usedCodes` holds every key that the good codes use.
bool holdsEveryKey(const std::string& usedCodes, const std::array<bool, 128>& used) {
    std::array<bool, 128> isKey{};
    for (const char c : usedCodes) isKey[static_cast<uint8_t>(c)] = true;
    for (std::size_t c = 0; c < used.size(); ++c) {
        if (used[c] && !isKey[c]) return false;
    }
    return true;
}

// Calls `take` with the number of every single character whose code is
// good and holds only keys of `usedCodes`, in reading order, and `beyond`
// with those whose good code holds another key; returns how many do.
// `everyKey`: usedCodes holds every key of the good codes, none beyond.
template <class Take, class Beyond>
int forEachCodedSingle(const DesktopTable& table, const CodedSingles& coded,
                       const std::string& usedCodes, bool everyKey, Take take, Beyond beyondKeys) {
    if (everyKey) {
        coded.forEach(take);
        return 0;
    }
    std::array<bool, 128> isKey{};
    for (const char c : usedCodes) isKey[static_cast<uint8_t>(c)] = true;
    int beyond = 0;
    coded.forEach([&](uint32_t i) {
        const std::string_view code = table.code(table.entries[i]);
        if (std::all_of(code.begin(), code.end(),
                        [&](char c) { return isKey[static_cast<uint8_t>(c)]; })) {
            take(i);
        } else {
            ++beyond;
            beyondKeys(i);
        }
    });
    return beyond;
}

uint64_t pairHash(std::string_view code, DoubleByteCharacter character) {
    return hashShortText(code, character.packed);
}

// Takes the single characters with kept codes into `pairs` (entry numbers,
// in reading order, with room for twice as many). Left out: a (code,
// character) pair that came before, also when two characters of the table
// are one character of the CharSet (its first keeps the larger weight), and
// characters the CharSet cannot write (the first ten named) or that are one
// byte.
std::size_t takePairs(DesktopTable& table, const CodedSingles& coded, std::size_t singles,
                      bool everyKey, TableCharacters& set, ImportedTable& imported,
                      std::vector<uint32_t>& pairs) {
    PairCounts& counts = imported.counts;
    const auto bytesOf = [&](uint32_t number) {
        const std::string_view text = table.text(table.entries[number]);
        return set.bytesOf(text, static_cast<int>(text.size()));
    };
    const auto codeOf = [&](uint32_t number) { return table.code(table.entries[number]); };
    // The pairs kept, by entry number: they come in reading order, so the
    // set holds them until they are taken out in ascending order, without a
    // list of them beside it.
    CompactIndexSet written(singles, table.entries.size());
    // The singles the CharSet cannot write, by entry number.
    std::optional<CompactIndexSet> unwritable;
    std::size_t seen = 0;
    const auto unwritableHash = [&](uint32_t number) {
        const std::string_view code = codeOf(number);
        const std::string_view text = table.text(table.entries[number]);
        // A single character's text: at most four bytes, one word.
        uint64_t textWord = text.size();
        for (const char c : text) textWord = textWord << 8 | static_cast<uint8_t>(c);
        return hashShortText(code, textWord);
    };
    // A pair is taken a few pairs after its slot was asked for, so that the
    // waits on memory overlap.
    struct Waiting {
        uint32_t number;
        DoubleByteCharacter bytes;
        uint64_t hash;
    };
    constexpr std::size_t kBatch = 16;
    std::array<Waiting, kBatch> batch{};
    std::size_t waiting = 0;
    const auto take = [&](const Waiting& pair) {
        const uint32_t number = pair.number;
        ++seen;
        const std::string_view code = codeOf(number);
        const DoubleByteCharacter bytes = pair.bytes;
        if (bytes.packed == 0) {
            const std::string_view text = table.text(table.entries[number]);
            const uint32_t first =
                unwritable->insert(number, pair.hash, unwritableHash, [&](uint32_t earlier) {
                    return codeOf(earlier) == code && table.text(table.entries[earlier]) == text;
                });
            if (first != CompactIndexSet::kNone) {
                ++counts.repeated;
                table.leaveOut(number, LeftOutReason::kRepeatedPair);
            } else if (text.size() == 1) {
                ++counts.singleByte;
                table.leaveOut(number, LeftOutReason::kSingleByte);
            } else {
                table.leaveOut(number, LeftOutReason::kCannotWrite);
                if (counts.cannotWrite++ < kNamedLeftOut) {
                    lineNumber = table.lineOf(table.entries[number]);
                    report(kCharacterLeftOut, std::string(text).c_str(),
                           charSetName(set.charSet()));
                }
            }
            return;
        }
        const uint32_t first = written.insert(
            number, pair.hash,
            [&](uint32_t earlier) { return pairHash(codeOf(earlier), bytesOf(earlier)); },
            [&](uint32_t earlier) { return codeOf(earlier) == code && bytesOf(earlier) == bytes; });
        if (first != CompactIndexSet::kNone) {
            ++counts.repeated;
            table.leaveOut(number, LeftOutReason::kRepeatedPair);
            table.raiseWeight(first, table.weight(number));
        }
    };
    const auto takeWaiting = [&] {
        for (std::size_t i = 0; i < waiting; ++i) take(batch[i]);
        waiting = 0;
    };
    const int beyond = forEachCodedSingle(
        table, coded, imported.method.usedCodes, everyKey,
        [&](uint32_t number) {
            const DoubleByteCharacter bytes = bytesOf(number);
            uint64_t hash = 0;
            if (bytes.packed != 0) {
                hash = pairHash(codeOf(number), bytes);
                written.prefetch(hash);
            } else {
                // Room for every single still to come, made with the first.
                if (!unwritable) unwritable.emplace(singles - seen - waiting, table.entries.size());
                hash = unwritableHash(number);
                unwritable->prefetch(hash);
            }
            batch[waiting++] = {number, bytes, hash};
            if (waiting == kBatch) takeWaiting();
        },
        [&](uint32_t number) { table.leaveOut(number, LeftOutReason::kKeyBeyond); });
    takeWaiting();
    // Room for the two words of each pair the code table's fill makes of it.
    pairs = written.takeAscending(2 * written.size());
    return static_cast<std::size_t>(beyond);
}

int bitsPerKey(std::size_t keys) {
    int bits = 2;
    while ((std::size_t{1} << bits) <= keys) ++bits;
    return bits;
}

// The pairs kept, while the code table fills, two words each in the buffer
// that held their entry numbers: where the code lies in the table's files
// (then the number of that code), and its length, file and character
// packed. The table's entries go before the codes are numbered, and its
// files before the code table's records are made.
class PendingPairs {
  public:
    // Takes the pairs of `pairs`, in its order; the table's entries and
    // weights are released.
    PendingPairs(DesktopTable& table, TableCharacters& set, std::vector<uint32_t>& pairs)
        : words_(std::move(pairs)) {
        const std::size_t count = words_.size();
        // Each pair's words lie at or after its number, read before them.
        words_.reserve(2 * count);
        words_.resize(2 * count);
        for (std::size_t k = count; k-- > 0;) {
            const TableEntry& entry = table.entries[words_[k]];
            const std::string_view text = table.text(entry);
            const DoubleByteCharacter character = set.bytesOf(text, static_cast<int>(text.size()));
            words_[2 * k] = entry.codeAt;
            words_[2 * k + 1] =
                uint32_t{character.packed} << 16 | uint32_t{entry.file} << 8 | entry.codeLength;
        }
        std::vector<TableEntry>().swap(table.entries);
        table.weights.release();
    }

    std::size_t size() const { return words_.size() / 2; }
    uint32_t code(std::size_t k) const { return words_[2 * k]; }
    uint8_t codeLength(std::size_t k) const { return static_cast<uint8_t>(words_[2 * k + 1]); }
    uint8_t file(std::size_t k) const { return static_cast<uint8_t>(words_[2 * k + 1] >> 8); }
    DoubleByteCharacter character(std::size_t k) const {
        return {static_cast<uint16_t>(words_[2 * k + 1] >> 16)};
    }
    void setCode(std::size_t k, uint32_t number) { words_[2 * k] = number; }

  private:
    std::vector<uint32_t> words_;
};

// Numbers the codes of `pending` into `method.codes`, in its order, and
// finds the longest; the table's files are released.
void numberPendingCodes(DesktopTable& table, PendingPairs& pending, InputMethod& method) {
    // Room for every code to be distinct, only touched as it is used.
    std::size_t codeBytes = 0;
    for (std::size_t k = 0; k < pending.size(); ++k) codeBytes += pending.codeLength(k) + 1u;
    method.codes.reserve(pending.size(), codeBytes);
    {
        CodeNumbering numbering(method.codes, pending.size(), pending.size());
        const auto codeOf = [&](std::size_t k) {
            return std::string_view(table.files[pending.file(k)].data() + pending.code(k),
                                    pending.codeLength(k));
        };
        // Each code's slot is asked for a few codes ahead of its look-up.
        constexpr std::size_t kAhead = 8;
        std::array<uint64_t, kAhead> hashes{};
        const auto askAhead = [&](std::size_t k) {
            if (k >= pending.size()) return;
            hashes[k % kAhead] = CodeNumbering::hashOf(codeOf(k));
            numbering.prefetch(hashes[k % kAhead]);
        };
        for (std::size_t k = 0; k < kAhead; ++k) askAhead(k);
        for (std::size_t k = 0; k < pending.size(); ++k) {
            const std::string_view code = codeOf(k);
            const uint64_t hash = hashes[k % kAhead];
            askAhead(k + kAhead);
            method.maxCodes = std::max(method.maxCodes, static_cast<int>(code.size()));
            pending.setCode(k, numbering.numberOf(code, hash));
        }
    }
    std::vector<std::string>().swap(table.files);
}

// The pairs into the code table, in the order of `pairs`, and the longest
// code. What the table holds is released stage by stage as the code table
// takes it: its entries, its files, then the pending pairs.
void fillCodeTable(DesktopTable& table, TableCharacters& set, std::vector<uint32_t>& pairs,
                   InputMethod& method) {
    PendingPairs pending(table, set, pairs);
    numberPendingCodes(table, pending, method);
    std::vector<CodeTableEntry>& entries = method.entries;
    reserveHugePages(entries, pending.size());
    for (std::size_t k = 0; k < pending.size(); ++k) {
        entries.push_back({pending.code(k), 0, pending.character(k)});
    }
}

// Style 1 when codes carry at most two characters on average and pack into
// 30 bits; else style 2.
int codingStyleOf(const InputMethod& method) {
    const bool few = method.entries.size() <= 2 * method.codes.size();
    const bool packs = bitsPerKey(method.usedCodes.size()) * method.maxCodes <= 30;
    return few && packs ? 1 : 2;
}

// The coding a Mabrel export carries: its style, where the code table packs
// in it, and MaxCodes, where it is longer than the codes.
void takeExportedCoding(const ExportedCoding& exported, InputMethod& method) {
    if (exported.style == 0) return;
    const auto packs = [&](int style, int maxCodes) {
        return style == 2 || bitsPerKey(method.usedCodes.size()) * maxCodes <= 30;
    };
    if (packs(exported.style, method.maxCodes)) {
        method.codingStyle = exported.style;
        if (exported.style == 1) {
            method.indexDepth = exported.indexDepth;
            method.noSort = exported.noSort;
        } else {
            method.codingSubtype = exported.subtype;
        }
    }
    if (exported.maxCodes > method.maxCodes && packs(method.codingStyle, exported.maxCodes)) {
        method.maxCodes = exported.maxCodes;
    }
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
        } else if (said.items.size() > static_cast<std::size_t>(kMaxRuleItems)) {
            imported.rulesLeftOut.emplace_back(rule.text, "a rule holds at most 41 items");
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

// Gives the pairs the lines the import's source writes them on: one code a
// line, at most 24 characters, the lines counted after those before [Text]'s
// first line.
void numberLines(InputMethod& method) {
    std::vector<CodeTableEntry> entries = std::move(method.entries);
    method.entries.clear();
    const std::string front =
        writeImeSource(method, {}, TextEncoding::kUtf8, nullptr, SourceForm::kImport);
    method.entries = std::move(entries);
    auto line = static_cast<uint32_t>(std::count(front.begin(), front.end(), '\n'));
    std::size_t onLine = 0;
    for (std::size_t p = 0; p < method.entries.size(); ++p) {
        CodeTableEntry& entry = method.entries[p];
        if (p == 0 || entry.code != method.entries[p - 1].code || onLine == kCharactersPerLine) {
            ++line;
            onLine = 0;
        }
        entry.line = line;
        ++onLine;
    }
}

}  // namespace

void takeTablePairs(DesktopTable& table, CharSet charSet, ImportedTable& imported) {
    InputMethod& method = imported.method;
    PairCounts& counts = imported.counts;
    std::array<bool, 128> used{};
    CodedSingles coded(table.entries.size());
    // The characters of the singles taken: all of them, while no code holds
    // a key beyond UsedCodes (as in most tables).
    DistinctCharacters characters;
    const std::size_t singles = sortOutEntries(table, imported, used, coded, characters);
    method.usedCodes = usedCodesOf(table, used);
    const bool everyKey = holdsEveryKey(method.usedCodes, used);
    if (!everyKey) {
        characters = DistinctCharacters();
        characters.reserve(singles);
        forEachCodedSingle(
            table, coded, method.usedCodes, false,
            [&](uint32_t number) {
                const std::string_view text = table.text(table.entries[number]);
                if (text.size() > 1) characters.add(text);
            },
            [](uint32_t) {});
    }
    if (charSet == 0) {
        charSet = charSetOfLanguage(table);
        if (charSet == kChineseGB && writtenCount(characters.all(), kChineseGBK) >
                                         writtenCount(characters.all(), kChineseGB)) {
            charSet = kChineseGBK;
        }
    }
    if (charSet == 0) charSet = chooseCharSet(characters.all());
    method.charSet = charSet;
    imported.characters = std::make_unique<TableCharacters>(charSet);
    TableCharacters& set = *imported.characters;
    report(kWrittenFor, charSetName(charSet), writtenCount(characters.all(), set),
           static_cast<int>(characters.all().size()));
    std::vector<uint32_t>& pairs = imported.pairs;
    // Room for every entry to be left out.
    reserveUpToBound(table.leftOut, table.leftOut.size() + table.entries.size());
    counts.keyBeyond =
        static_cast<int>(takePairs(table, coded, singles, everyKey, set, imported, pairs));
    sortByWeight(table, pairs);
    counts.kept = static_cast<int>(pairs.size());
}

void fillImportedMethod(DesktopTable& table, const std::string& fileName, ImportedTable& imported) {
    InputMethod& method = imported.method;
    TableCharacters& set = *imported.characters;
    fillCodeTable(table, set, imported.pairs, method);
    method.codingStyle = codingStyleOf(method);
    takeExportedCoding(table.exported, method);
    describeImportedMethod(table, fileName, set, method);
    takeRules(table, imported);
    method.keyboard = drawImportedPictures(method);
    numberLines(method);
}

void inputMethodFromTable(DesktopTable& table, CharSet charSet, const std::string& fileName,
                          ImportedTable& imported) {
    takeTablePairs(table, charSet, imported);
    fillImportedMethod(table, fileName, imported);
}
