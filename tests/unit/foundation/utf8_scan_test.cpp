#include "foundation/utf8_scan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "foundation/text_encoding.h"

namespace {

// The plainest reading: character after character by utf8Length.
std::size_t firstBadByLength(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const int length = utf8Length(bytes.substr(at));
        if (length == 0) return at;
        at += static_cast<std::size_t>(length);
    }
    return std::string_view::npos;
}

// Texts of every kind of character, mostly three-byte ones as a CJK table
// has, some with one byte changed, dropped or put in: errors at every place
// relative to the blocks the fast reading takes.
std::string generatedText(std::mt19937& random) {
    static const char32_t kPoints[] = {'a',    '\t',   0x7F,   0x80,   0x7FF,   0x800,   0x4E2D,
                                       0xD7FF, 0xE000, 0xFFFD, 0xFFFF, 0x10000, 0x2A6D6, 0x10FFFF};
    std::string text;
    const int characters = std::uniform_int_distribution<int>(0, 90)(random);
    for (int c = 0; c < characters; ++c) {
        const std::size_t pick = std::uniform_int_distribution<std::size_t>(0, 20)(random);
        appendUtf8(pick < std::size(kPoints) ? kPoints[pick] : 0x4E00 + pick, text);
    }
    const int changes = std::uniform_int_distribution<int>(0, 2)(random);
    for (int c = 0; c < changes && !text.empty(); ++c) {
        const std::size_t at =
            std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(random);
        const auto byte = static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        switch (random() % 3) {
            case 0:
                text[at] = byte;
                break;
            case 1:
                text.erase(at, 1);
                break;
            default:
                text.insert(at, 1, byte);
                break;
        }
    }
    return text;
}

TEST(Utf8ScanTest, AgreesWithAReadingByCharacters) {
    std::mt19937 random(20261210);
    for (int round = 0; round < 200000; ++round) {
        const std::string text = generatedText(random);
        const std::size_t expected = firstBadByLength(text);
        ASSERT_EQ(firstNonUtf8(text), expected) << testing::PrintToString(text);
        ASSERT_EQ(firstNonUtf8ByCharacters(text), expected) << testing::PrintToString(text);
    }
}

TEST(Utf8ScanTest, EachErrorFoundWhereItStands) {
    const std::string good(70, 'x');
    for (const std::string bad :
         {"\x80", "\xC0\x80", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
          "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xFF", "\xE4\xB8", "\xF0\x9F\x98"}) {
        for (std::size_t at = 0; at < good.size(); ++at) {
            std::string text = good;
            text.insert(at, bad);
            EXPECT_EQ(firstNonUtf8(text), at) << testing::PrintToString(bad) << " at " << at;
            EXPECT_EQ(firstNonUtf8(text.substr(0, at) + "\xE4\xB8\xAD" + bad), at + 3);
        }
    }
    EXPECT_EQ(firstNonUtf8(good + "\xF0\x9F\x98\x80" + good), std::string_view::npos);
}

}  // namespace
