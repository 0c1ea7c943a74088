#include "foundation/desktop_tables/phrase_list_import.h"

#include <algorithm>
#include <array>
#include <string>

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
        if (words[first] > kMaxListWords) {
            return "2,048 characters after the first for one first character (" +
                   std::to_string(db.list(first).size()) + " phrases)";
        }
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
    uint16_t characters[kMaxPhraseLength];  // their indexes in the CharSet
};

// How many words are checked before any of them is looked up: their slots
// of the set are asked of memory together, so the waits overlap.
constexpr std::size_t kBatch = 16;

// The characters of the words kept, in reading order, and how the table
// spells them: each character as the first word that holds it, and which
// words spell one of theirs another way (a CharSet writes some characters
// for two or more UTF-8 characters).
struct KeptCharacters {
    std::vector<uint16_t> pool;
    CharacterSpellings& spellings;
    std::vector<uint32_t> starts;  // by word kept, then the end of the pool
    std::vector<bool> spelledAnotherWay;
};

void keepCharacters(std::string_view text, const Candidate& word, KeptCharacters& kept) {
    kept.starts.push_back(static_cast<uint32_t>(kept.pool.size()));
    bool another = false;
    for (int c = 0; c < word.length; ++c) {
        std::size_t length = 1;
        while (length < text.size() && (static_cast<uint8_t>(text[length]) & 0xC0) == 0x80) {
            ++length;
        }
        const uint16_t index = word.characters[c];
        const std::string_view spelled = text.substr(0, length);
        if (kept.spellings.spelling(index) == 0) kept.spellings.set(index, spelled);
        another = another || kept.spellings.spelling(index) != CharacterSpellings::packed(spelled);
        text.remove_prefix(length);
        kept.pool.push_back(index);
    }
    kept.spelledAnotherWay.push_back(another);
}

// Leaves in `words` those kept, in reading order, their characters in
// `keptCharacters`.
void keepWords(DesktopTable& table, std::vector<uint32_t>& words, TableCharacters& set,
               WordCounts& counts, int& longest, KeptCharacters& keptCharacters) {
    IndexSet seen(words.size());
    const DoubleByteTable characters(set.charSet());
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
                table.leaveOut(word.number, LeftOutReason::kRepeatedWord);
                table.raiseWeight(first, table.weight(word.number));
                continue;
            }
            words[kept++] = word.number;
            longest = std::max(longest, word.length);
            keepCharacters(table.text(table.entries[word.number]), word, keptCharacters);
        }
        waiting = 0;
    };
    for (const uint32_t number : words) {
        const int length = utf8CharacterCount(table.text(table.entries[number]));
        if (length < 2) {
            ++counts.oneCharacter;
            table.leaveOut(number, LeftOutReason::kOneCharacter);
            continue;
        }
        if (length > kMaxPhraseLength) {
            ++counts.tooLong;
            table.leaveOut(number, LeftOutReason::kWordTooLong);
            continue;
        }
        if (!convert(number, bytes)) {
            ++counts.cannotWrite;
            table.leaveOut(number, LeftOutReason::kWordUnwritable);
            continue;
        }
        const uint64_t hash = hashBytes(bytes.data(), bytes.size());
        seen.prefetch(hash);
        Candidate& word = batch[waiting++];
        word.number = number;
        word.length = length;
        word.hash = hash;
        for (int c = 0; c < length; ++c) {
            word.characters[c] = static_cast<uint16_t>(characters.indexOf(&bytes[2 * c]));
        }
        if (waiting == kBatch) lookUp();
    }
    lookUp();
    words.resize(kept);
    keptCharacters.starts.push_back(static_cast<uint32_t>(keptCharacters.pool.size()));
}

// The words that spell a character of theirs another way than the table's
// spellings say, by their places in weight order.
using OtherSpellings = std::vector<std::pair<std::size_t, std::string_view>>;

// Files the words kept (`byWeight`, their numbers in weight order; `kept`,
// in reading order) into the database by first character, with their
// places in weight order. Their characters are first copied in weight
// order, so that what follows reads them in turn.
void fillDatabase(const DesktopTable& table, const std::vector<uint32_t>& kept,
                  const std::vector<uint32_t>& byWeight, const KeptCharacters& characters,
                  ImportedWords& imported, OtherSpellings& otherWords) {
    PhraseDatabase& db = imported.database;
    // By entry number, its place in reading order; not needed (and not made)
    // where the weight order is the reading order.
    const bool inReadingOrder = table.weights.empty();
    std::vector<uint32_t> placeOf;
    if (!inReadingOrder) {
        reserveHugePages(placeOf, table.entries.size());
        placeOf.resize(table.entries.size());
        for (std::size_t k = 0; k < kept.size(); ++k) placeOf[kept[k]] = static_cast<uint32_t>(k);
    }

    std::vector<uint32_t>& order = imported.weightOrder;
    reserveHugePages(order, byWeight.size());
    order.resize(byWeight.size());
    reserveHugePages(db.characters, characters.pool.size());
    std::vector<uint32_t> starts(static_cast<std::size_t>(indexCount(db.charSet)) + 1, 0);
    // Each word is asked of memory in three steps, some words ahead of its
    // turn: its place, the start of its characters, its characters.
    constexpr std::size_t kAhead = 8;
    const auto placeAt = [&](std::size_t i) {
        return inReadingOrder ? static_cast<uint32_t>(i) : placeOf[byWeight[i]];
    };
    for (std::size_t i = 0; i < byWeight.size(); ++i) {
        if (!inReadingOrder && i + 3 * kAhead < byWeight.size())
            __builtin_prefetch(&placeOf[byWeight[i + 3 * kAhead]]);
        if (i + 2 * kAhead < byWeight.size()) {
            __builtin_prefetch(&characters.starts[placeAt(i + 2 * kAhead)]);
        }
        if (i + kAhead < byWeight.size()) {
            __builtin_prefetch(&characters.pool[characters.starts[placeAt(i + kAhead)]]);
        }
        const uint32_t k = placeAt(i);
        order[i] = static_cast<uint32_t>(db.characters.size());
        db.characters.insert(db.characters.end(), characters.pool.begin() + characters.starts[k],
                             characters.pool.begin() + characters.starts[k + 1]);
        ++starts[db.characters[order[i]] + 1u];
        if (characters.spelledAnotherWay[k]) {
            otherWords.emplace_back(i, table.text(table.entries[byWeight[i]]));
        }
    }
    for (std::size_t first = 1; first < starts.size(); ++first) starts[first] += starts[first - 1];
    db.listStarts = starts;
    reserveHugePages(db.phrases, byWeight.size());
    db.phrases.resize(byWeight.size());
    for (std::size_t i = 0; i < byWeight.size(); ++i) {
        const uint32_t start = order[i];
        const std::size_t end = i + 1 < byWeight.size() ? order[i + 1] : db.characters.size();
        const uint32_t at = starts[db.characters[start]]++;
        db.phrases[at] = {start, static_cast<uint8_t>(end - start), false};
        order[i] = at;
    }
}

// `text` with the lines of the words in `otherWords` as the table spells them.
std::string respelled(const std::string& text, const OtherSpellings& otherWords) {
    std::string spelled;
    spelled.reserve(text.size());
    std::size_t at = text.find("[Phrase]\n") + sizeof "[Phrase]";
    std::size_t copied = 0;
    std::size_t line = 0;
    for (const auto& [place, word] : otherWords) {
        for (; line < place; ++line) at = text.find('\n', at) + 1;
        spelled.append(text, copied, at - copied).append(word);
        copied = text.find('\n', at);
    }
    spelled.append(text, copied);
    return spelled;
}

}  // namespace

void importWords(DesktopTable& table, std::vector<uint32_t> words, TableCharacters& set,
                 WordCounts& counts, ImportedWords& imported, ImportText text) {
    PhraseDatabase& db = imported.database;
    db.charSet = set.charSet();
    CharacterSpellings spellings(static_cast<std::size_t>(indexCount(db.charSet)));
    KeptCharacters characters{{}, spellings, {}, {}};
    std::size_t bytes = 0;
    for (const uint32_t number : words) bytes += table.entries[number].textLength;
    reserveHugePages(characters.pool, bytes / 3);
    reserveHugePages(characters.starts, words.size() + 1);
    characters.spelledAnotherWay.reserve(words.size());
    keepWords(table, words, set, counts, db.maxPhraseLength, characters);
    std::vector<uint32_t> byWeight;
    reserveHugePages(byWeight, words.size());
    byWeight.assign(words.begin(), words.end());
    sortByWeight(table, byWeight);
    counts.kept = static_cast<int>(words.size());
    OtherSpellings otherWords;
    fillDatabase(table, words, byWeight, characters, imported, otherWords);
    if (text == ImportText::kWritten) {
        imported.text = importedListText(db, imported.weightOrder, spellings);
        if (!otherWords.empty()) imported.text = respelled(imported.text, otherWords);
    }
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
