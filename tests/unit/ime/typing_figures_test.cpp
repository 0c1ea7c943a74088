// The weighted figures of /s on a table worked by hand, and /o's order:
// over generated tables, the source it writes offers no character before a
// heavier one of the same code, keeps every pair, and types each code's own
// candidates in no more keys than the source it read.
#include "ime/statistics/typing_figures.h"

#include <gtest/gtest.h>

#include <random>

#include "ime/candidate_order.h"
#include "ime/compile_driver.h"
#include "ime/statistics/code_characters.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

const std::string kHead =
    "[Description]\nCharSet=ChineseGB\nID=Type\nFullName=Type\nName=Type\nCodingStyle=1\nUsedCodes="
    "abc\n"
    "MaxCodes=3\n[Text]\n";

struct Read {
    CMabrel mabrel;
    CharSetWeights weights;
};

void readBoth(const std::string& source, const std::string& frequencies, Read& read) {
    writeFile("t.txt", source);
    writeFile("f.txt", frequencies);
    FrequencySource weights;
    const PassRun run = runCaptured([&] {
        if (int rc = readSourceFile(read.mabrel, "t.txt")) return rc;
        return readFrequencySource("f.txt", {kKeyTable}, weights);
    });
    ASSERT_EQ(run.rc, 0) << run.output;
    read.weights = charSetWeights(weights, kChineseGB);
}

TEST(TypingFigures, ATableWorkedByHand) {
    useMabrelMessages();
    TempDir dir;
    WorkingDir inDir(dir.path());
    Read read;
    // 工 12 (its word counts for it), 式 7, 戈 1, 七 3, 中 4 without a code.
    readBoth(kHead + "a 工\nab 式 工\nabc 戈 式\nc 丁 七\n",
             "工\t10\n式 5\n戈\t1\n中\t4\n工式\t2\n七\t3\n", read);
    EXPECT_EQ(read.weights.distinct, 5);
    EXPECT_EQ(read.weights.total, 27);
    // Keys: 工 1 (a), 式 2 (ab), 戈 3, 七 2 (second on c): 35 over 23.
    EXPECT_EQ(typingReport(typingFigures(codesOf(read.mabrel.im), read.weights), kChineseGB),
              "  Coded                       85.19 %\n"
              "  First candidate             86.96 %\n"
              "  Keys per character          1.522\n"
              "  Heaviest uncoded\n"
              "    中 4\n"
              "  Costliest shared codes\n"
              "    c 丁 0 七 3\n");
}

TEST(TypingFigures, CandidateKeysByPage) {
    const struct {
        int length, position, keys;
    } cases[] = {{3, 0, 3}, {3, 1, 4}, {3, 9, 4}, {3, 10, 5}, {1, 25, 4}, {4, 19, 6}};
    for (const auto& c : cases) EXPECT_EQ(candidateKeys(c.length, c.position), c.keys);
}

// Twenty characters of GB 2312, three bytes each in UTF-8.
const std::string kCharacters = "的一是在不了有和人这中大为上个国我以要他";

std::string generatedSource(std::mt19937& random) {
    std::string text = kHead;
    for (int line = 1 + static_cast<int>(random() % 30); line > 0; --line) {
        std::string code(1 + random() % 3, 'a');
        for (char& c : code) c = static_cast<char>('a' + random() % 3);
        text += code + (random() % 2 ? " " : "");
        for (int k = 1 + static_cast<int>(random() % 6); k > 0; --k) {
            text += kCharacters.substr(3 * (random() % 20), 3) + (random() % 3 ? "" : " ");
        }
        text += "\n";
    }
    return text;
}

std::string generatedWeights(std::mt19937& random) {
    std::string text;
    for (std::size_t k = 0; k < 20; ++k) {
        if (random() % 4)
            text += kCharacters.substr(3 * k, 3) + "\t" + std::to_string(random() % 9) + "\n";
    }
    return text;
}

long long weightedKeys(const CodeCharacters& code, const std::vector<long long>& w) {
    long long sum = 0;
    for (std::size_t p = 0; p < code.characters.size(); ++p) {
        sum += w[code.characters[p]] *
               candidateKeys(static_cast<int>(code.code.size()), static_cast<int>(p));
    }
    return sum;
}

TEST(CandidateOrder, NoCodeOffersACharacterBeforeAHeavierOne) {
    useMabrelMessages();
    std::mt19937 random(20261210);
    for (int trial = 0; trial < 60; ++trial) {
        TempDir dir;
        WorkingDir inDir(dir.path());
        const std::string weights = generatedWeights(random);
        std::string source = generatedSource(random);
        Read before;
        readBoth(source, weights, before);
        orderByWeight(before.mabrel.im, before.weights.byIndex, true, source);
        Read after;
        readBoth(source, weights, after);
        const std::vector<long long>& w = after.weights.byIndex;
        ASSERT_EQ(after.mabrel.im.entries.size(), before.mabrel.im.entries.size()) << trial;
        for (const CodeCharacters& code : codesOf(after.mabrel.im)) {
            for (std::size_t k = 1; k < code.characters.size(); ++k) {
                EXPECT_GE(w[code.characters[k - 1]], w[code.characters[k]]) << trial << source;
            }
        }
        // Each code's own candidates cost no more keys, weighted, than before.
        const std::vector<CodeCharacters> was = codesOf(before.mabrel.im);
        const std::vector<CodeCharacters> is = codesOf(after.mabrel.im);
        ASSERT_EQ(is.size(), was.size());
        for (std::size_t c = 0; c < is.size(); ++c) {
            EXPECT_LE(weightedKeys(is[c], w), weightedKeys(was[c], w)) << trial << is[c].code;
        }
    }
}

}  // namespace
