// decode(encode(db)) == db for generated phrase databases of every CharSet,
// with lists and blocks at the limits of the layout, user phrases and lists
// without a whole phrase; one word more than a block holds is refused.
#include "foundation/phrase_database.h"

#include <gtest/gtest.h>

#include <random>

#include "foundation/phrase_database_reader.h"

namespace {

struct Phrase {
    std::vector<uint16_t> text;
    bool user;
};
using Lists = std::vector<std::vector<Phrase>>;

PhraseDatabase databaseOf(CharSet charSet, const Lists& lists,
                          const std::vector<uint16_t>& unended) {
    PhraseDatabase db;
    db.charSet = charSet;
    db.maxPhraseLength = kMaxPhraseLength;
    for (const std::vector<Phrase>& list : lists) {
        for (const Phrase& phrase : list) addPhrase(db, phrase.text, phrase.user);
    }
    closeLists(db, lists.size());
    db.statedPhraseCount = static_cast<uint32_t>(db.phrases.size());
    db.unendedLists = unended;
    return db;
}

class Generator {
  public:
    Generator(CharSet charSet, unsigned seed) : charSet_(charSet), random_(seed) {}

    PhraseDatabase make() { return databaseOf(charSet_, makeLists(), unended); }

    Lists makeLists() {
        Lists db(static_cast<std::size_t>(indexCount(charSet_)));
        for (int n = 0; n < 3000; ++n) add(db, character());
        fillList(db, character(), kMaxListWords);
        // A whole block at its largest body: F = 0, 32,509 words, 65,534 bytes.
        fullBlock = below(phraseBlockCount(charSet_) - 1);
        for (int p = 0; p < kCharactersPerBlock; ++p) db[blockFirstIndex(fullBlock) + p].clear();
        std::size_t words = (kMaxBlockBytes - blockBodyBytes(0, 0)) / 2;
        for (int p = 0; words > 0; ++p) {
            if (!isCharacter(blockFirstIndex(fullBlock) + p)) continue;
            const std::size_t take = std::min(words, kMaxListWords);
            fillList(db, blockFirstIndex(fullBlock) + p, take);
            words -= take;
        }
        for (int index = kFirstPhraseIndex; index < count(); ++index) {
            if (db[index].empty() && blockOfIndex(index) != fullBlock && below(50) == 0 &&
                isCharacter(index)) {
                unended.push_back(static_cast<uint16_t>(index));
            }
        }
        return db;
    }

    int fullBlock = 0;
    std::vector<uint16_t> unended;

  private:
    int below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    int count() const { return indexCount(charSet_); }
    bool isCharacter(int index) const { return isCharacterIndex(charSet_, unsigned(index)); }
    int character() {
        const int index = kFirstPhraseIndex + below(count() - 256);
        return isCharacter(index) ? index : character();
    }

    // A phrase under `first` of `length` characters after it.
    Phrase phrase(int first, std::size_t length) {
        Phrase made{{static_cast<uint16_t>(first)}, below(8) == 0};
        while (made.text.size() <= length) made.text.push_back(static_cast<uint16_t>(character()));
        return made;
    }
    void add(Lists& db, int first) {
        db[first].push_back(phrase(first, static_cast<std::size_t>(1 + below(14))));
    }
    // Phrases under `first` that take exactly `words` words.
    void fillList(Lists& db, int first, std::size_t words) {
        db[first].clear();
        while (words > 0) {
            Phrase next = phrase(first, std::min<std::size_t>(words, 1 + below(14)));
            if (phraseWords(next.text.size(), next.user) > words) next.user = false;
            db[first].push_back(next);
            words -= phraseWords(next.text.size(), next.user);
        }
    }

    CharSet charSet_;
    std::mt19937 random_;
};

TEST(PhraseDatabase, DecodingAnEncodedDatabaseGivesItBack) {
    for (const CharSetEntry& entry : kCharSetTable) {
        for (unsigned seed = 0; seed < 4; ++seed) {
            PhraseDatabase db = Generator(entry.id, seed).make();
            std::vector<uint8_t> image;
            ASSERT_EQ(encodePhraseDatabase(db, 0, image), kEveryBlockFits) << entry.name;
            PhraseDatabase back;
            ASSERT_EQ(readPhraseDatabase(image, "x", back), 0) << entry.name << " " << seed;
            EXPECT_TRUE(back == db) << entry.name << " " << seed;

            // One word more than a block can hold.
            Generator generator(entry.id, seed);
            Lists lists = generator.makeLists();
            const int last = blockFirstIndex(generator.fullBlock) + 255;
            lists[last].push_back({{static_cast<uint16_t>(last), 257}, false});
            db = databaseOf(entry.id, lists, generator.unended);
            EXPECT_EQ(encodePhraseDatabase(db, 0, image), generator.fullBlock);
        }
    }
}

}  // namespace
