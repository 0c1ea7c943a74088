#include "foundation/desktop_tables/phrase_list_import.h"

#include <algorithm>
#include <array>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/index_set.h"
#include "foundation/desktop_tables/weight_order.h"
#include "foundation/huge_pages.h"
#include "foundation/phrase_database.h"
#include "foundation/phrase_list_writer.h"
#include "foundation/text_helpers.h"

namespace {

// What would stop a compile of the kept words without /f: the words under
// one first character, or the bytes of a block.
std::string limitPassed(const PhraseDatabase& db) {
    std::vector<std::size_t> words(db.listCount());
    for (std::size_t first = 0; first < words.size(); ++first) {
        for (const StoredPhrase& phrase : db.list(first)) {
            words[first] += phraseWords(phrase.length, phrase.user);
        }
        if (words[first] > kMaxListWords) return "2,048 words for one first character";
    }
    for (std::size_t block = kFirstPhraseIndex; block < words.size();
         block += kCharactersPerBlock) {
        std::size_t total = 0;
        int first = kCharactersPerBlock;
        for (int p = 0; p < kCharactersPerBlock && block + p < words.size(); ++p) {
            if (words[block + p] > 0 && first == kCharactersPerBlock) first = p;
            total += words[block + p];
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
};

// How many words are checked before any of them is looked up: their slots
// of the set are asked of memory together, so the waits overlap.
constexpr std::size_t kBatch = 16;

// Leaves in `words` those kept, in reading order.
void keepWords(DesktopTable& table, std::vector<uint32_t>& words, TableCharacters& set,
               WordCounts& counts, int& longest) {
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
        }
        waiting = 0;
    };
    for (const uint32_t number : words) {
        const int length = utf8CharacterCount(table.text(table.entries[number]));
        if (length < 2) {
            ++counts.oneCharacter;
            continue;
        }
        if (length > kMaxPhraseLength) {
            ++counts.tooLong;
            continue;
        }
        if (!convert(number, bytes)) {
            ++counts.cannotWrite;
            continue;
        }
        const uint64_t hash = hashBytes(bytes.data(), bytes.size());
        seen.prefetch(hash);
        batch[waiting++] = {number, length, hash};
        if (waiting == kBatch) lookUp();
    }
    lookUp();
    words.resize(kept);
}

// How the table spells the characters of the words kept: each character as
// the first word that holds it, and the words that spell one of theirs
// another way (the CharSet writes some characters for two or more UTF-8
// characters), by their places in weight order.
struct Spellings {
    std::vector<std::string_view> ofCharacter;
    std::vector<std::pair<std::size_t, std::string_view>> otherWords;
};

// Fills `imported` with the words numbered `kept`, in weight order: the
// database groups them by first character.
void fillDatabase(const DesktopTable& table, const std::vector<uint32_t>& kept,
                  TableCharacters& set, ImportedWords& imported, Spellings& spellings) {
    PhraseDatabase& db = imported.database;
    const DoubleByteTable characters(set.charSet());
    const std::size_t lists = static_cast<std::size_t>(indexCount(set.charSet()));
    spellings.ofCharacter.assign(lists, {});
    std::vector<StoredPhrase> byWeight;
    byWeight.reserve(kept.size());
    std::vector<uint32_t> starts(lists + 1, 0);
    std::string bytes;
    std::string_view failed;
    // In weight order the entries and their words lie anywhere in memory:
    // each is asked for some lines ahead of its turn.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i + 2 * kAhead < kept.size()) __builtin_prefetch(&table.entries[kept[i + 2 * kAhead]]);
        if (i + kAhead < kept.size()) {
            __builtin_prefetch(table.text(table.entries[kept[i + kAhead]]).data());
        }
        const std::string_view word = table.text(table.entries[kept[i]]);
        std::string_view text = word;
        bool spelledAnotherWay = false;
        bytes.clear();
        set.convert(text, bytes, failed);
        byWeight.push_back({static_cast<uint32_t>(db.characters.size()),
                            static_cast<uint8_t>(bytes.size() / 2), false});
        for (std::size_t at = 0; at < bytes.size(); at += 2) {
            const auto index = static_cast<uint16_t>(characters.indexOf(&bytes[at]));
            std::size_t length = 1;
            while (length < text.size() && (static_cast<uint8_t>(text[length]) & 0xC0) == 0x80) {
                ++length;
            }
            std::string_view& spelling = spellings.ofCharacter[index];
            if (spelling.empty()) spelling = text.substr(0, length);
            spelledAnotherWay = spelledAnotherWay || spelling != text.substr(0, length);
            text.remove_prefix(length);
            db.characters.push_back(index);
        }
        if (spelledAnotherWay) spellings.otherWords.emplace_back(i, word);
        ++starts[db.characters[byWeight.back().start] + 1u];
    }
    for (std::size_t first = 0; first < lists; ++first) starts[first + 1] += starts[first];
    db.listStarts = starts;
    db.phrases.resize(byWeight.size());
    imported.weightOrder.resize(byWeight.size());
    for (std::size_t i = 0; i < byWeight.size(); ++i) {
        const uint32_t at = starts[db.characters[byWeight[i].start]]++;
        db.phrases[at] = byWeight[i];
        imported.weightOrder[i] = at;
    }
}

// The text of the list in UTF-8, each word as the table spells it.
std::string spelledText(const std::string& text, const Spellings& spellings,
                        const DoubleByteTable& characters) {
    std::string spelled;
    spelled.reserve(text.size() + text.size() / 2);
    const std::size_t phrases = text.find("[Phrase]\n") + sizeof "[Phrase]";
    spelled.append(text, 0, phrases);
    auto other = spellings.otherWords.begin();
    std::size_t line = 0;
    for (std::size_t at = phrases; at < text.size(); ++line) {
        const std::size_t end = text.find('\n', at);
        if (other != spellings.otherWords.end() && other->first == line) {
            spelled += (other++)->second;
        } else {
            for (std::size_t c = at; c < end; c += 2) {
                spelled +=
                    spellings.ofCharacter[static_cast<std::size_t>(characters.indexOf(&text[c]))];
            }
        }
        spelled += '\n';
        at = end + 1;
    }
    return spelled;
}

}  // namespace

void importWords(DesktopTable& table, std::vector<uint32_t> words, TableCharacters& set,
                 WordCounts& counts, ImportedWords& imported) {
    int longest = 0;
    keepWords(table, words, set, counts, longest);
    std::vector<uint32_t>& kept = words;
    sortByWeight(table, kept);
    counts.kept = static_cast<int>(kept.size());
    PhraseDatabase& db = imported.database;
    db.charSet = set.charSet();
    db.maxPhraseLength = longest;
    Spellings spellings;
    fillDatabase(table, kept, set, imported, spellings);
    imported.text = spelledText(importedListText(db, imported.weightOrder), spellings,
                                DoubleByteTable(set.charSet()));
    imported.limitPassed = limitPassed(db);
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
