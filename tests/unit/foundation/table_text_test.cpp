#include "foundation/desktop_tables/table_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>

#include "foundation/desktop_tables/import_left_out.h"

namespace {

// Line feeds counted eight bytes at a time, at every length and start, among
// bytes that differ from a line feed in one bit or only in the top one.
TEST(TableText, LineFeedsCountedAsOneByOne) {
    std::mt19937 generator(7);
    const char kBytes[] = {'\n', '\t', 'a', '\x8A', '\x0B', '\x0E', '\xFF', '\x00'};
    std::string bytes(4096, ' ');
    for (char& c : bytes) c = kBytes[generator() % sizeof kBytes];
    for (std::size_t start = 0; start < 24; ++start) {
        for (std::size_t length = 0; length < 100; ++length) {
            const std::string_view part = std::string_view(bytes).substr(start, length);
            const auto feeds = static_cast<std::size_t>(std::count(part.begin(), part.end(), '\n'));
            ASSERT_EQ(lineFeedsIn(part), feeds) << start << "+" << length;
            // The same stretch read with the bytes before it at hand.
            ASSERT_EQ(lineFeedsBetween(bytes, start, start + length), feeds) << start;
        }
    }
}

// Weights read by hand where they are whole numbers, as std::from_chars reads
// every form.
TEST(TableText, WeightsReadAsFromChars) {
    const char* const kWeights[] = {"0",
                                    "7",
                                    "0042",
                                    "999999999999999",
                                    "1000000000000000",
                                    "12345678901234567",
                                    "1.5",
                                    ".5",
                                    "3%",
                                    " 12 ",
                                    "12a",
                                    "-3",
                                    "1e3",
                                    "",
                                    "%",
                                    "99454797",
                                    "12345678",
                                    "1234567/",
                                    "9:",
                                    "00000000000000001"};
    for (const char* text : kWeights) {
        double expected = 0;
        bool expectedPercent = false;
        std::string_view trimmed = trimBlanks(text);
        expectedPercent = !trimmed.empty() && trimmed.back() == '%';
        if (expectedPercent) trimmed.remove_suffix(1);
        bool read =
            !trimmed.empty() && ((trimmed[0] >= '0' && trimmed[0] <= '9') || trimmed[0] == '.');
        if (read) {
            const auto [end, error] =
                std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), expected);
            read = error == std::errc{} && end == trimmed.data() + trimmed.size();
        }
        double value = -1;
        bool percent = false;
        ASSERT_EQ(parseWeight(text, value, percent), read) << '"' << text << '"';
        // Up to eight digits read as one word, from a buffer with room after.
        std::string padded = std::string(text) + "\t2\t3456789";
        double word = -1;
        const std::size_t size = std::string_view(text).size();
        ASSERT_EQ(parseDigitWord(std::string_view(padded).substr(0, size),
                                 padded.data() + padded.size(), word),
                  read && size <= 8 &&
                      std::all_of(text, text + size, [](char c) { return c >= '0' && c <= '9'; }))
            << '"' << text << '"';
        if (word >= 0) {
            EXPECT_EQ(word, expected) << '"' << text << '"';
        }
        if (!read) continue;
        EXPECT_EQ(value, expected) << '"' << text << '"';
        EXPECT_EQ(percent, expectedPercent) << '"' << text << '"';
    }
}

// Items left out in several runs, each in reading order, of two files: the
// list stands in file and line order, items of one line in the order left out.
// A few runs are merged as the list is written, many sorted first.
TEST(TableText, LeftOutListInFileAndLineOrder) {
    for (const int runs : {1, 5, 8, 9, 14}) {
        DesktopTable table;
        std::string lines;
        for (int line = 1; line <= 60; ++line) lines += "ccccccccccccccc\tt\n";
        table.files = {lines, lines};
        std::mt19937 generator(static_cast<unsigned>(runs));
        std::vector<std::pair<int, int>> expected;  // file, line
        for (int run = 0; run < runs; ++run) {
            std::vector<int> starts;
            for (int k = 0; k < 12; ++k) starts.push_back(static_cast<int>(generator() % 60));
            std::sort(starts.begin(), starts.end());
            const auto file = static_cast<uint8_t>(run % 2);
            for (const int line : starts) {
                // The run shows in the code's length.
                const auto at = static_cast<uint32_t>(18 * line);
                table.entries.push_back({at, at + 16, static_cast<uint8_t>(run + 1), 1, file});
                table.leaveOut(static_cast<uint32_t>(table.entries.size() - 1),
                               LeftOutReason::kRepeatedPair);
                expected.emplace_back(file, line + 1);
            }
        }
        std::vector<std::size_t> order(expected.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return expected[a] < expected[b]; });
        const std::string text = importLeftOutText(table, kChineseGB);
        std::size_t at = 0;
        for (const std::size_t i : order) {
            const std::size_t end = text.find('\n', at);
            ASSERT_NE(end, std::string::npos) << runs << " runs";
            EXPECT_EQ(text.substr(at, end - at), std::to_string(expected[i].second) + "\t" +
                                                     std::string(i / 12 + 1, 'c') +
                                                     "\tt\trepeated (code, character) pair")
                << runs << " runs";
            at = end + 1;
        }
        EXPECT_EQ(at, text.size()) << runs << " runs";
    }
}

}  // namespace

// Weights kept in four bytes while whole, then as read: every weight reads
// back as given, and is raised only where lower, before and after the turn.
TEST(TableText, EntryWeightsReadBackAsGiven) {
    const double turns[] = {0.5, -1, -0.0, 4294967296.0, std::nan(""), 1e300};
    for (const double turn : turns) {
        EntryWeights weights;
        const std::vector<double> given = {3, 0, 4294967295.0, turn, 7};
        for (const double weight : given) weights.push_back(weight);
        weights.raise(0, 2);
        weights.raise(1, 9);
        ASSERT_EQ(weights.size(), given.size());
        EXPECT_EQ(weights[0], 3);
        EXPECT_EQ(weights[1], 9);
        EXPECT_EQ(weights[2], 4294967295.0);
        EXPECT_EQ(std::signbit(weights[3]), std::signbit(turn));
        EXPECT_TRUE(std::isnan(turn) ? std::isnan(weights[3]) : weights[3] == turn);
        EXPECT_EQ(weights[4], 7);
        EXPECT_FALSE(weights.allWhole());
    }
    // Many weights apart: all are kept as read.
    EntryWeights weights;
    for (int i = 0; i < 10000; ++i) weights.push_back(i % 2 == 0 ? i : i + 0.5);
    weights.raise(2, 2.25);
    for (int i = 0; i < 10000; ++i) {
        ASSERT_EQ(weights[static_cast<std::size_t>(i)], i == 2 ? 2.25 : i % 2 == 0 ? i : i + 0.5);
    }
}
