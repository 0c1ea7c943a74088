#include "foundation/desktop_tables/phrase_list_import.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/compact_index_set.h"
#include "foundation/desktop_tables/import_left_out.h"
#include "foundation/desktop_tables/shared_hash_filter.h"
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

// A word that passed the checks.
struct Candidate {
    int length;
    uint64_t hash;
    uint16_t characters[kMaxPhraseLength];  // their indexes in the CharSet
};

// The characters of the words kept, in reading order, and how the table
// spells them: each character as the first word that holds it, and which
// words spell one of theirs another way (a CharSet writes some characters
// for two or more UTF-8 characters).
struct KeptCharacters {
    std::vector<uint16_t> pool;
    CharacterSpellings& spellings;
    std::vector<uint32_t> starts;             // by word kept, then the end of the pool
    std::vector<uint32_t> spelledAnotherWay;  // places among the words kept, rising

    // The characters of the word kept `k`th, the last one kept included.
    std::span<const uint16_t> word(uint32_t k) const {
        const std::size_t end = k + 1u < starts.size() ? starts[k + 1u] : pool.size();
        return {pool.data() + starts[k], end - starts[k]};
    }
};

// The UTF-8 character of `length` bytes at `at` as CharacterSpellings packs
// it.
uint32_t packedSpelling(const char* at, int length) {
    switch (length) {
        case 1:
            return CharacterSpellings::packed({at, 1});
        case 2:
            return CharacterSpellings::packed({at, 2});
        case 3:
            return CharacterSpellings::packed({at, 3});
        default:
            return CharacterSpellings::packed({at, 4});
    }
}

void keepCharacters(std::string_view text, const Candidate& word, KeptCharacters& kept) {
    kept.starts.push_back(static_cast<uint32_t>(kept.pool.size()));
    bool another = false;
    const char* at = text.data();
    for (int c = 0; c < word.length; ++c) {
        const int length = utf8LengthFromLead(*at);
        const uint16_t index = word.characters[c];
        const uint32_t spelled = packedSpelling(at, length);
        uint32_t known = kept.spellings.spelling(index);
        if (known == 0) {
            kept.spellings.set(index, {at, static_cast<std::size_t>(length)});
            known = spelled;
        }
        another = another || known != spelled;
        at += length;
        kept.pool.push_back(index);
    }
    if (another) kept.spelledAnotherWay.push_back(static_cast<uint32_t>(kept.starts.size() - 1));
}

// FNV-1a over the indexes of a word, mixed at the end so the bits spread.
uint64_t hashOf(std::span<const uint16_t> word) {
    uint64_t hash = 14695981039346656037u;
    for (const uint16_t index : word) hash = (hash ^ index) * 1099511628211u;
    return hash ^ (hash >> 29);
}

// The CharSet's index of each character of the words, found once for each
// character of the basic plane: a word is counted and indexed in one pass
// over its UTF-8.
class WordIndexes {
  public:
    explicit WordIndexes(TableCharacters& set)
        : set_(set), characters_(set.charSet()), basicPlane_(0x10000, kUnknown) {}

    // Puts the number of characters of `text` (UTF-8) in `word.length` and,
    // when there are at most kMaxPhraseLength, their indexes and hash in
    // `word`; false when the CharSet writes one of those not.
    bool index(std::string_view text, Candidate& word) {
        int count = 0;
        bool writable = true;
        const char* at = text.data();
        const char* const end = at + text.size();
        while (at < end) {
            const int length =
                static_cast<int>(std::min<std::ptrdiff_t>(utf8LengthFromLead(*at), end - at));
            if (writable && count < kMaxPhraseLength) {
                const uint16_t index = indexOf(at, length);
                writable = index != kUnwritable;
                word.characters[count] = index;
            }
            ++count;
            at += length;
        }
        word.length = count;
        if (writable && count <= kMaxPhraseLength) {
            word.hash = hashOf({word.characters, static_cast<std::size_t>(count)});
        }
        return writable;
    }

  private:
    static constexpr uint16_t kUnknown = 0xFFFF;
    static constexpr uint16_t kUnwritable = 0xFFFE;

    uint16_t indexOf(const char* at, int length) {
        if (length == 4) return asked(at, length);
        const char32_t point = codePointOf({at, static_cast<std::size_t>(length)}, length);
        uint16_t& known = basicPlane_[point];
        if (known == kUnknown) known = asked(at, length);
        return known;
    }

    uint16_t asked(const char* at, int length) {
        const DoubleByteCharacter character =
            set_.bytesOf(std::string_view(at, static_cast<std::size_t>(length)), length);
        if (character.packed == 0) return kUnwritable;
        return static_cast<uint16_t>(characters_.indexOf(character.bytes().data()));
    }

    TableCharacters& set_;
    const DoubleByteTable characters_;
    std::vector<uint16_t> basicPlane_;  // by code point: an index, kUnwritable or kUnknown
};

// Takes out of `kept` and `words` the words at the places `repeats`
// (ascending), moving those after each down.
void dropRepeats(const std::vector<uint32_t>& repeats, std::vector<uint32_t>& words,
                 KeptCharacters& kept) {
    if (repeats.empty()) return;
    kept.starts.push_back(static_cast<uint32_t>(kept.pool.size()));
    std::size_t to = repeats.front();
    uint32_t characters = kept.starts[to];
    for (std::size_t r = 0; r < repeats.size(); ++r) {
        const std::size_t from = repeats[r] + 1u;
        const std::size_t end = r + 1 < repeats.size() ? repeats[r + 1] : words.size();
        const uint32_t first = kept.starts[from];
        std::copy(kept.pool.begin() + first, kept.pool.begin() + kept.starts[end],
                  kept.pool.begin() + characters);
        for (std::size_t w = from; w < end; ++w, ++to) {
            kept.starts[to] = kept.starts[w] - first + characters;
            words[to] = words[w];
        }
        characters += kept.starts[end] - first;
    }
    kept.pool.resize(characters);
    kept.starts.resize(to);
    words.resize(to);
    // The words spelled another way: a repeat goes, the others move down by
    // the repeats before them.
    std::size_t before = 0;
    std::size_t left = 0;
    for (const uint32_t k : kept.spelledAnotherWay) {
        while (before < repeats.size() && repeats[before] < k) ++before;
        if (before < repeats.size() && repeats[before] == k) continue;
        kept.spelledAnotherWay[left++] = static_cast<uint32_t>(k - before);
    }
    kept.spelledAnotherWay.resize(left);
}

// Leaves in `words` those kept, in reading order, their characters in
// `keptCharacters`. Each word that passes the checks is kept at first and
// its hash filed; then those whose hash shares a slot of the filter are
// looked up exactly, in reading order, and the repeats among them go.
void keepWords(DesktopTable& table, std::vector<uint32_t>& words, TableCharacters& set,
               WordCounts& counts, int& longest, KeptCharacters& keptCharacters) {
    SharedHashFilter filter(words.size());
    WordIndexes indexes(set);
    std::size_t kept = 0;
    Candidate word;
    constexpr std::size_t kAhead = 16;
    std::array<uint64_t, kAhead> waiting{};
    for (const uint32_t number : words) {
        const std::string_view text = table.text(table.entries[number]);
        const bool writable = indexes.index(text, word);
        if (word.length < 2) {
            ++counts.oneCharacter;
            table.leaveOut(number, LeftOutReason::kOneCharacter);
            continue;
        }
        if (word.length > kMaxPhraseLength) {
            ++counts.tooLong;
            table.leaveOut(number, LeftOutReason::kWordTooLong);
            continue;
        }
        if (!writable) {
            ++counts.cannotWrite;
            table.leaveOut(number, LeftOutReason::kWordUnwritable);
            continue;
        }
        words[kept++] = number;
        longest = std::max(longest, word.length);
        keepCharacters(text, word, keptCharacters);
        // Each hash is filed some words after its slot is asked of memory.
        filter.prefetch(word.hash);
        std::swap(waiting[kept % kAhead], word.hash);
        if (kept > kAhead) filter.add(word.hash);
    }
    for (std::size_t k = kept > kAhead ? kept - kAhead : 0; k < kept; ++k) {
        filter.add(waiting[(k + 1) % kAhead]);
    }
    words.resize(kept);

    // Places among the words that passed the checks: of two equal words,
    // the one read first is met first and stays.
    CompactIndexSet seen(2 * filter.sharedCount(), kept);
    std::vector<uint32_t> repeats;
    // The hash of each word is asked of the filter some words ahead, and,
    // where its slot is shared, of the set some words after that.
    std::array<bool, kAhead> shared{};
    const auto ask = [&](std::size_t k) {
        if (k < kept) {
            waiting[k % kAhead] = hashOf(keptCharacters.word(static_cast<uint32_t>(k)));
            filter.prefetch(waiting[k % kAhead]);
        }
        const std::size_t nearer = k - kAhead / 2;
        if (k >= kAhead / 2 && nearer < kept) {
            shared[nearer % kAhead] = filter.shared(waiting[nearer % kAhead]);
            if (shared[nearer % kAhead]) seen.prefetch(waiting[nearer % kAhead]);
        }
    };
    for (std::size_t k = 0; k < kAhead; ++k) ask(k);
    for (uint32_t k = 0; k < kept; ++k) {
        const uint64_t hash = waiting[k % kAhead];
        const bool slotShared = shared[k % kAhead];
        ask(k + kAhead);
        if (!slotShared) continue;
        const std::span<const uint16_t> own = keptCharacters.word(k);
        const uint32_t first = seen.insert(
            k, hash, [&](uint32_t earlier) { return hashOf(keptCharacters.word(earlier)); },
            [&](uint32_t earlier) {
                const std::span<const uint16_t> other = keptCharacters.word(earlier);
                return std::equal(other.begin(), other.end(), own.begin(), own.end());
            });
        if (first == CompactIndexSet::kNone) continue;
        ++counts.repeated;
        table.leaveOut(words[k], LeftOutReason::kRepeatedWord);
        table.raiseWeight(words[first], table.weight(words[k]));
        repeats.push_back(k);
    }
    dropRepeats(repeats, words, keptCharacters);
    keptCharacters.starts.push_back(static_cast<uint32_t>(keptCharacters.pool.size()));
}

// The words that spell a character of theirs another way than the table's
// spellings say: their texts by their places among the words kept, then by
// their places in weight order.
using OtherTexts = std::vector<std::pair<uint32_t, std::string>>;
using OtherSpellings = std::vector<std::pair<std::size_t, std::string_view>>;

OtherTexts otherTexts(const DesktopTable& table, const std::vector<uint32_t>& kept,
                      const KeptCharacters& characters) {
    OtherTexts texts;
    for (const uint32_t k : characters.spelledAnotherWay) {
        texts.emplace_back(k, std::string(table.text(table.entries[kept[k]])));
    }
    return texts;
}

// Puts the words kept (`ranks`, their places in weight order by their places
// in reading order) in weight order: where each word's characters start in
// the pool, and each word's length; keeps them with the pool.
void startsByWeight(const std::vector<uint32_t>& ranks, KeptCharacters& characters,
                    const OtherTexts& others, ImportedWords& imported, OtherSpellings& otherWords) {
    const std::size_t count = ranks.size();
    reserveHugePages(imported.starts, count);
    imported.starts.resize(count);
    reserveHugePages(imported.lengths, count);
    imported.lengths.resize(count);
    auto other = others.begin();
    for (uint32_t k = 0; k < count; ++k) {
        const uint32_t place = ranks[k];
        const uint32_t start = characters.starts[k];
        imported.starts[place] = start;
        imported.lengths[place] = static_cast<uint8_t>(characters.starts[k + 1] - start);
        if (other != others.end() && other->first == k) {
            otherWords.emplace_back(place, other->second);
            ++other;
        }
    }
    std::sort(otherWords.begin(), otherWords.end());
    imported.database.characters = std::move(characters.pool);
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
                 WordCounts& counts, ImportedWords& imported, ImportText text,
                 TableAfterWords after) {
    PhraseDatabase& db = imported.database;
    db.charSet = set.charSet();
    CharacterSpellings spellings(static_cast<std::size_t>(indexCount(db.charSet)));
    KeptCharacters characters{{}, spellings, {}, {}};
    std::size_t bytes = 0;
    for (const uint32_t number : words) bytes += table.entries[number].textLength;
    reserveHugePages(characters.pool, bytes / 3);
    reserveHugePages(characters.starts, words.size() + 1);
    keepWords(table, words, set, counts, db.maxPhraseLength, characters);
    const OtherTexts others = otherTexts(table, words, characters);
    if (after == TableAfterWords::kReleased) {
        imported.tableLeftOut = importLeftOutText(table, db.charSet);
        std::vector<TableLeftOut>().swap(table.leftOut);
        std::vector<TableEntry>().swap(table.entries);
        std::vector<std::string>().swap(table.files);
    }
    const std::vector<uint32_t> ranks = ranksByWeight(table, words);
    // The words in weight order take the room the weights leave.
    if (after == TableAfterWords::kReleased) table.weights.release();
    counts.kept = static_cast<int>(words.size());
    OtherSpellings otherWords;
    startsByWeight(ranks, characters, others, imported, otherWords);
    if (text == ImportText::kNotWritten) return;
    fileWords(db, imported.starts, imported.lengths, &imported.weightOrder);
    std::vector<uint8_t>().swap(imported.lengths);
    std::vector<uint32_t>().swap(imported.starts);
    imported.text = importedListText(db, imported.weightOrder, spellings);
    if (!otherWords.empty()) imported.text = respelled(imported.text, otherWords);
    imported.limitPassed = limitPassed(db);
}

void fileWords(PhraseDatabase& db, const std::vector<uint32_t>& starts,
               const std::vector<uint8_t>& words, std::vector<uint32_t>* places) {
    std::vector<uint32_t> next(static_cast<std::size_t>(indexCount(db.charSet)) + 1, 0);
    std::size_t filed = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if ((words[i] & kWordLeftOut) == 0) {
            ++next[db.characters[starts[i]] + 1u];
            ++filed;
        }
    }
    for (std::size_t first = 1; first < next.size(); ++first) next[first] += next[first - 1];
    db.listStarts = next;
    reserveHugePages(db.phrases, filed);
    db.phrases.resize(filed);
    if (places != nullptr) reserveHugePages(*places, words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        if ((words[i] & kWordLeftOut) == 0) {
            const uint32_t place = next[db.characters[starts[i]]]++;
            db.phrases[place] = {starts[i], static_cast<uint8_t>(words[i] & kWordLength), false};
            if (places != nullptr) places->push_back(place);
        }
    }
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
