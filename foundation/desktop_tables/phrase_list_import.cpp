#include "foundation/desktop_tables/phrase_list_import.h"

#include <algorithm>
#include <array>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/index_set.h"
#include "foundation/desktop_tables/weight_order.h"
#include "foundation/huge_pages.h"
#include "foundation/phrase_database.h"
#include "foundation/text_helpers.h"

namespace {

// The database's limits: the 16-bit words under one first character (one
// for each character after the first) and the bytes of each block.
std::string limitPassed(const std::vector<int>& words) {
    if (std::any_of(words.begin(), words.end(),
                    [](int n) { return static_cast<std::size_t>(n) > kMaxListWords; })) {
        return "2,048 words for one first character";
    }
    for (std::size_t block = kFirstPhraseIndex; block < words.size();
         block += kCharactersPerBlock) {
        std::size_t total = 0;
        int first = kCharactersPerBlock;
        for (int p = 0; p < kCharactersPerBlock && block + p < words.size(); ++p) {
            if (words[block + p] > 0 && first == kCharactersPerBlock) first = p;
            total += static_cast<std::size_t>(words[block + p]);
        }
        if (blockBodyBytes(first, total) > kMaxBlockBytes) return "65,535 bytes in a phrase block";
    }
    return {};
}

// A word that passed the checks, waiting in a batch for its look-up.
struct Candidate {
    uint32_t number;
    int length;
    uint64_t hash;
    char lead[2];  // its first character in the CharSet
};

// How many words are checked before any of them is looked up: their slots
// of the set are asked of memory together, so the waits overlap.
constexpr std::size_t kBatch = 16;

// Leaves in `words` those kept, in reading order, with the 16-bit words each
// first character will hold in `firstWords`.
void keepWords(DesktopTable& table, std::vector<uint32_t>& words, TableCharacters& set,
               WordCounts& counts, int& longest, std::vector<int>& firstWords) {
    IndexSet seen(words.size());
    std::string bytes;
    std::string other;
    std::string_view failed;
    const auto convert = [&](uint32_t number, std::string& out) {
        out.clear();
        return set.convert(table.text(table.entries[number]), out, failed);
    };
    std::array<Candidate, kBatch> batch;
    std::size_t waiting = 0;
    std::size_t kept = 0;
    const auto lookUp = [&] {
        for (std::size_t i = 0; i < waiting; ++i) {
            const Candidate& word = batch[i];
            const uint32_t first = seen.insert(word.number, word.hash, [&](uint32_t earlier) {
                return convert(earlier, other) && convert(word.number, bytes) && other == bytes;
            });
            if (first != IndexSet::kNone) {
                ++counts.repeated;
                table.raiseWeight(first, table.weight(word.number));
                continue;
            }
            words[kept++] = word.number;
            longest = std::max(longest, word.length);
            firstWords[static_cast<std::size_t>(charToIndex(set.charSet(), word.lead))] +=
                word.length - 1;
        }
        waiting = 0;
    };
    for (const uint32_t number : words) {
        const int length = utf8CharacterCount(table.text(table.entries[number]));
        if (length < 2) {
            ++counts.oneCharacter;
            continue;
        }
        if (length > kLongestImportedWord) {
            ++counts.tooLong;
            continue;
        }
        if (!convert(number, bytes)) {
            ++counts.cannotWrite;
            continue;
        }
        const uint64_t hash = hashBytes(bytes.data(), bytes.size());
        seen.prefetch(hash);
        batch[waiting++] = {number, length, hash, {bytes[0], bytes[1]}};
        if (waiting == kBatch) lookUp();
    }
    lookUp();
    words.resize(kept);
}

}  // namespace

void buildPhraseList(DesktopTable& table, std::vector<uint32_t> words, TableCharacters& set,
                     WordCounts& counts, PhraseListText& list) {
    int longest = 0;
    std::vector<int> firstWords(static_cast<std::size_t>(indexCount(set.charSet())));
    keepWords(table, words, set, counts, longest, firstWords);
    std::vector<uint32_t>& kept = words;
    std::string head = "[Description]\nEncoding=UTF-8\nCharSet=";
    head += charSetName(set.charSet());
    head += "\nMaxPhraseLength=" + std::to_string(longest) + "\n[Phrase]\n";
    std::size_t size = head.size();
    for (const uint32_t number : kept) size += table.entries[number].textLength + 1u;
    sortByWeight(table, kept);
    counts.kept = static_cast<int>(kept.size());
    std::string& text = list.text;
    reserveHugePages(text, size);
    text = head;
    // In weight order the entries and their words lie anywhere in memory:
    // each is asked for some lines ahead of its turn.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i + 2 * kAhead < kept.size()) __builtin_prefetch(&table.entries[kept[i + 2 * kAhead]]);
        if (i + kAhead < kept.size()) {
            __builtin_prefetch(table.text(table.entries[kept[i + kAhead]]).data());
        }
        text += table.text(table.entries[kept[i]]);
        text += '\n';
    }
    list.limitPassed = limitPassed(firstWords);
}

void reportWordCounts(const WordCounts& counts, CharSet charSet) {
    if (counts.oneCharacter > 0) report(kLeftOneCharacter, counts.oneCharacter);
    if (counts.tooLong > 0) report(kLeftWordTooLong, counts.tooLong);
    if (counts.cannotWrite > 0)
        report(kLeftWordUnwritable, counts.cannotWrite, charSetName(charSet));
    if (counts.repeated > 0) report(kLeftRepeatedWords, counts.repeated);
}

std::string phraseListName(const std::string& destination) {
    const std::size_t size = destination.size();
    const bool txt = size >= 4 && equalsIgnoringCase(destination.substr(size - 4).c_str(), ".txt");
    return (txt ? destination.substr(0, size - 4) : destination) + "-phrases.txt";
}
