#include "foundation/desktop_tables/phrase_list_import.h"

#include <algorithm>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/index_set.h"
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

// The words kept, in reading order, with the 16-bit words each first
// character will hold in `firstWords`.
std::vector<uint32_t> keptWords(DesktopTable& table, const std::vector<uint32_t>& words,
                                TableCharacters& set, WordCounts& counts, int& longest,
                                std::vector<int>& firstWords) {
    std::vector<uint32_t> kept;
    IndexSet seen(words.size());
    std::string bytes;
    std::string other;
    std::string_view failed;
    const auto convert = [&](uint32_t number, std::string& out) {
        out.clear();
        return set.convert(table.text(table.entries[number]), out, failed);
    };
    for (const uint32_t number : words) {
        TableEntry& entry = table.entries[number];
        const int length = utf8CharacterCount(table.text(entry));
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
        const uint32_t first = seen.insert(
            number, hashBytes(bytes.data(), bytes.size()),
            [&](uint32_t earlier) { return convert(earlier, other) && other == bytes; });
        if (first != IndexSet::kNone) {
            ++counts.repeated;
            TableEntry& kept = table.entries[first];
            kept.weight = std::max(kept.weight, entry.weight);
            continue;
        }
        kept.push_back(number);
        longest = std::max(longest, length);
        firstWords[static_cast<std::size_t>(charToIndex(set.charSet(), bytes.c_str()))] +=
            length - 1;
    }
    return kept;
}

}  // namespace

void buildPhraseList(DesktopTable& table, std::vector<uint32_t> words, TableCharacters& set,
                     WordCounts& counts, PhraseListText& list) {
    int longest = 0;
    std::vector<int> firstWords(static_cast<std::size_t>(indexCount(set.charSet())));
    std::vector<uint32_t> kept = keptWords(table, words, set, counts, longest, firstWords);
    std::vector<uint32_t>().swap(words);
    if (table.weighted) {
        std::stable_sort(kept.begin(), kept.end(), [&](uint32_t a, uint32_t b) {
            return table.entries[a].weight > table.entries[b].weight;
        });
    }
    counts.kept = static_cast<int>(kept.size());
    std::string& text = list.text;
    std::string head = "[Description]\nEncoding=UTF-8\nCharSet=";
    head += charSetName(set.charSet());
    head += "\nMaxPhraseLength=" + std::to_string(longest) + "\n[Phrase]\n";
    std::size_t size = head.size();
    for (const uint32_t number : kept) size += table.entries[number].textLength + 1u;
    text.reserve(size);
    text = head;
    for (const uint32_t number : kept) {
        text += table.text(table.entries[number]);
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
