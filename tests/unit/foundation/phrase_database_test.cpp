// decode(encode(db)) == db for generated phrase databases of every CharSet,
// with lists and blocks at the limits of the layout, user phrases and lists
// without a whole phrase; one word more than a block holds is refused. The
// rest of a phrase survives copies and moves at every length, in its record
// or in a block of its own.
#include "foundation/phrase_database.h"

#include <gtest/gtest.h>

#include <random>

#include "foundation/phrase_database_reader.h"

namespace {

class Generator {
  public:
    Generator(CharSet charSet, unsigned seed) : charSet_(charSet), random_(seed) {}

    PhraseDatabase make() {
        PhraseDatabase db{charSet_, 15, static_cast<uint32_t>(random_()), {}, {}};
        db.phrases.resize(static_cast<std::size_t>(indexCount(charSet_)));
        for (int n = 0; n < 3000; ++n) add(db, character());
        fillList(db, character(), kMaxListWords);
        // A whole block at its largest body: F = 0, 32,509 words, 65,534 bytes.
        fullBlock = below(phraseBlockCount(charSet_) - 1);
        for (int p = 0; p < kCharactersPerBlock; ++p)
            db.phrases[blockFirstIndex(fullBlock) + p].clear();
        std::size_t words = (kMaxBlockBytes - blockBodyBytes(0, 0)) / 2;
        for (int p = 0; words > 0; ++p) {
            if (!isCharacter(blockFirstIndex(fullBlock) + p)) continue;
            const std::size_t take = std::min(words, kMaxListWords);
            fillList(db, blockFirstIndex(fullBlock) + p, take);
            words -= take;
        }
        for (int index = kFirstPhraseIndex; index < count(); ++index) {
            if (db.phrases[index].empty() && blockOfIndex(index) != fullBlock && below(50) == 0 &&
                isCharacter(index)) {
                db.unendedLists.push_back(static_cast<uint16_t>(index));
            }
        }
        return db;
    }

    int fullBlock = 0;

  private:
    int below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
    int count() const { return indexCount(charSet_); }
    bool isCharacter(int index) const { return isCharacterIndex(charSet_, unsigned(index)); }
    int character() {
        const int index = kFirstPhraseIndex + below(count() - 256);
        return isCharacter(index) ? index : character();
    }

    StoredPhrase phrase(std::size_t length) {
        StoredPhrase made;
        while (made.rest.size() < length) made.rest.push_back(static_cast<uint16_t>(character()));
        made.user = below(8) == 0;
        return made;
    }
    void add(PhraseDatabase& db, int first) {
        db.phrases[first].push_back(phrase(static_cast<std::size_t>(1 + below(14))));
    }
    // Phrases under `first` that take exactly `words` words.
    void fillList(PhraseDatabase& db, int first, std::size_t words) {
        db.phrases[first].clear();
        while (words > 0) {
            StoredPhrase next = phrase(std::min<std::size_t>(words, 1 + below(14)));
            if (phraseWords(next) > words) next.user = false;
            db.phrases[first].push_back(next);
            words -= phraseWords(next);
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
            db = generator.make();
            db.phrases[blockFirstIndex(generator.fullBlock) + 255].push_back({{257}});
            EXPECT_EQ(encodePhraseDatabase(db, 0, image), generator.fullBlock);
        }
    }
}

TEST(PhraseRest, CopiesAndMovesKeepEveryLength) {
    for (std::size_t length = 0; length <= PhraseRest::kCapacity + 1; ++length) {
        PhraseRest made;
        std::vector<uint16_t> expected;
        for (std::size_t i = 0; i < length; ++i) {
            made.push_back(static_cast<uint16_t>(300 + i));
            if (i < PhraseRest::kCapacity) expected.push_back(static_cast<uint16_t>(300 + i));
        }
        PhraseRest copied(made);
        PhraseRest assigned{1, 2, 3, 4, 5, 6, 7, 8};
        assigned = copied;
        PhraseRest moved(std::move(copied));
        PhraseRest moveAssigned{9};
        moveAssigned = std::move(moved);
        for (const PhraseRest* rest : {&made, &assigned, &moveAssigned}) {
            EXPECT_EQ(std::vector<uint16_t>(rest->begin(), rest->end()), expected) << length;
        }
        EXPECT_TRUE(moved.empty());
    }
}

}  // namespace
