#include "phrase/source/phrase_store.h"

#include <vector>

#include "tests/unit/phrase/tosker_test_support.h"

namespace {

using namespace tosker_test;

class PhraseStoreTest : public Fixture {
  protected:
    void SetUp() override {
        Fixture::SetUp();
        tosker.database.charSet = kChineseGB;
        openPhraseStore(tosker);
    }
    // Files the two-character phrase (slot, second) and returns the result.
    int append(int slot, uint16_t second) {
        const uint16_t word[] = {second};
        return appendPhrase(tosker, slot, word);
    }
};

TEST_F(PhraseStoreTest, EveryCharacterHasASlotThatKeepsTheOrderOfFiling) {
    ASSERT_EQ(tosker.slots.size(), 9092u);
    for (int i = 0; i < 65; ++i) {
        ASSERT_EQ(append(300, static_cast<uint16_t>(400 + i)), 0);
        if (i == 0) {
            ASSERT_EQ(append(301, 400), 0);  // another slot in between
        }
    }
    EXPECT_EQ(filedPhrases(tosker), 66u);
    storeIntoDatabase(tosker);
    const std::span<const StoredPhrase> list = tosker.database.list(300);
    ASSERT_EQ(list.size(), 65u);
    for (int i = 0; i < 65; ++i) {
        EXPECT_EQ(std::vector<uint16_t>(tosker.database.text(list[i]).begin(),
                                        tosker.database.text(list[i]).end()),
                  (std::vector<uint16_t>{300, static_cast<uint16_t>(400 + i)}));
    }
}

TEST_F(PhraseStoreTest, ThreeCharacterPhraseDoesNotFitBesides2047Words) {
    for (int i = 0; i < 2047; ++i) ASSERT_EQ(append(256, static_cast<uint16_t>(300 + i)), 0);
    const uint16_t three[] = {0x0101, 0x0102};
    const Captured run = captured([&] { return appendPhrase(tosker, 256, three); });
    EXPECT_EQ(run.rc, 905);
    EXPECT_EQ(run.output, "\r \r\aMessage 905 : Too many phrases begin with '\xA1\xA1'\n");
    EXPECT_EQ(append(256, 9000), 0);  // a last two-character phrase still fits
}

TEST_F(PhraseStoreTest, PhrasesStayFoundWhenASlotOutgrowsItsRoom) {
    // Room announced for none, one and 40 phrases; 300 come, each found
    // again afterwards, and a phrase of another slot is not.
    for (uint32_t announced : {0u, 1u, 40u}) {
        openPhraseStore(tosker);
        std::vector<uint32_t> phrases(tosker.slots.size()), words(tosker.slots.size());
        phrases[700] = announced;
        words[700] = announced;
        reservePhraseStore(tosker, phrases, words);
        for (int i = 0; i < 300; ++i) ASSERT_EQ(append(700, static_cast<uint16_t>(1000 + i)), 0);
        for (int i = 0; i < 300; ++i) {
            const uint16_t word[] = {static_cast<uint16_t>(1000 + i)};
            ASSERT_TRUE(isDuplicatePhrase(tosker, 700, word)) << announced << " " << i;
            ASSERT_FALSE(isDuplicatePhrase(tosker, 701, word));
        }
        const uint16_t fresh[] = {1300};
        EXPECT_FALSE(isDuplicatePhrase(tosker, 700, fresh));
    }
}

struct DuplicateCase {
    const char* name;
    std::vector<uint16_t> words;
    bool duplicate;
};

void PrintTo(const DuplicateCase& c, std::ostream* os) {
    *os << c.name;
}

class DuplicateTest : public PhraseStoreTest,
                      public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(DuplicateTest, MatchesWholePhrasesOnly) {
    // Slot 500 holds (500 257), (500 258 259) and (500 260).
    const uint16_t held[][2] = {{257}, {258, 259}, {260}};
    ASSERT_EQ(appendPhrase(tosker, 500, {held[0], 1}), 0);
    ASSERT_EQ(appendPhrase(tosker, 500, {held[1], 2}), 0);
    ASSERT_EQ(appendPhrase(tosker, 500, {held[2], 1}), 0);
    EXPECT_EQ(isDuplicatePhrase(tosker, 500, GetParam().words), GetParam().duplicate);
    EXPECT_FALSE(isDuplicatePhrase(tosker, 501, GetParam().words));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DuplicateTest,
    ::testing::Values(DuplicateCase{"First", {257}, true},
                      DuplicateCase{"Middle", {258, 259}, true}, DuplicateCase{"Last", {260}, true},
                      DuplicateCase{"EndOfAPhrase", {259}, false},
                      DuplicateCase{"BeginningOfAPhrase", {258}, false},
                      DuplicateCase{"AcrossTwoPhrases", {257, 258, 259}, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
