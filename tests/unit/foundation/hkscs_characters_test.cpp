#include "foundation/hkscs_characters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "phrase/statistics/phrase_statistics.h"

namespace {

// Codes for the characters at the given byte pairs, counted as /s counts.
std::optional<int> countOf(CharSet charSet, const std::vector<std::string>& pairs) {
    std::vector<int> codesOfIndex(static_cast<std::size_t>(indexCount(charSet)), 0);
    for (const std::string& pair : pairs) {
        ++codesOfIndex[static_cast<std::size_t>(charToIndex(charSet, pair.c_str()))];
    }
    return hkscsCharacters(charSet, codesOfIndex);
}

TEST(HkscsCharacters, CountsThePairsPlainBig5CannotRead) {
    // 8740 and FA40 are HKSCS only (FA40 beyond the BMP), 8862 reads as two
    // code points that BIG5-HKSCS holds back until flushed; A440 and C6A1 are
    // Big5 (C6A1 read differently by the two); 8140 is read by neither.
    EXPECT_EQ(countOf(kChineseBIG5, {"\x87\x40", "\xFA\x40", "\x88\x62"}), 3);
    EXPECT_EQ(countOf(kChineseBIG5, {"\xA4\x40", "\xC6\xA1", "\x81\x40"}), 0);
    EXPECT_EQ(countOf(kChineseBIG5, {}), 0);
    EXPECT_EQ(countOf(kChineseGBK, {"\x87\x40"}), std::nullopt);
}

TEST(HkscsCharacters, APhraseListCountsEachCharacterItUsesOnce) {
    // FA40 stands in two phrases, first and last; A4A4 and A4E5 are Big5.
    const auto index = [](const char* pair) {
        return static_cast<uint16_t>(charToIndex(kChineseBIG5, pair));
    };
    const uint16_t middle = index("\xA4\xA4"), text = index("\xA4\xE5"), hk = index("\xFA\x40");
    std::vector<std::vector<uint16_t>> phrases = {{middle, text}, {middle, hk}, {hk, middle}};
    std::sort(phrases.begin(), phrases.end());
    PhraseDatabase db;
    db.charSet = kChineseBIG5;
    db.maxPhraseLength = kMaxPhraseLength;
    for (const std::vector<uint16_t>& phrase : phrases) addPhrase(db, phrase);
    closeLists(db, static_cast<std::size_t>(indexCount(kChineseBIG5)));
    EXPECT_EQ(phraseStatistics(db).hkscsCharacters, 1);
    db.charSet = kChineseGBK;
    EXPECT_EQ(phraseStatistics(db).hkscsCharacters, std::nullopt);
}

}  // namespace
