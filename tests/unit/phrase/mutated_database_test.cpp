// A phrase database that Tosker reads as good gives a text that compiles back
// to one that says the same: the CharSet, the maxPhraseLength and, under
// every first character, the same phrases in the same order (a repeated
// phrase once). Shown over byte mutations of the example phrase list compiled
// in three CharSets; every other mutation draws 400 to 403 (101 when no whole
// header is left).
// CJK_MUTATIONS sets the number of mutations of each database.
#include <cstdlib>
#include <random>

#include "foundation/big_endian.h"
#include "foundation/phrase_database_reader.h"
#include "phrase/database_to_text.h"
#include "phrase/text_to_database.h"
#include "tests/unit/phrase/tosker_test_support.h"

namespace {

using namespace tosker_test;

// What a recompile keeps of a database: its phrases without user marks,
// each once, in their first order.
struct Meaning {
    CharSet charSet;
    int maxPhraseLength;
    std::vector<std::vector<PhraseRest>> phrases;
    bool operator==(const Meaning&) const = default;
};

Meaning meaningOf(const PhraseDatabase& db) {
    Meaning meaning{db.charSet, db.maxPhraseLength, {}};
    for (const std::vector<StoredPhrase>& list : db.phrases) {
        std::vector<PhraseRest>& kept = meaning.phrases.emplace_back();
        for (const StoredPhrase& phrase : list) {
            if (std::find(kept.begin(), kept.end(), phrase.rest) == kept.end()) {
                kept.push_back(phrase.rest);
            }
        }
    }
    return meaning;
}

// Where the meaning lies: the fields of the head, and the words of the lists.
struct Meaningful {
    std::vector<std::size_t> head, words;
};

Meaningful meaningfulBytes(const std::string& database) {
    const std::vector<uint8_t> image(database.begin(), database.end());
    DatabaseFile file;
    EXPECT_EQ(readPhraseContainer(image, "x", file), 0);
    Meaningful at;
    for (std::size_t i = 0; i < file.resources.size(); ++i) {
        const std::size_t start = file.resources[i].entry.offset;
        const std::size_t end =
            i + 1 < file.resources.size() ? file.resources[i + 1].entry.offset : image.size();
        if (i == 0) {
            for (std::size_t b = start; b < start + 16; ++b) at.head.push_back(b);
        } else if (end - start > 4) {
            const std::size_t lists = start + 2 * (258 - getU16BE(&image[start]));
            for (std::size_t b = lists; b < end; ++b) at.words.push_back(b);
        }
    }
    return at;
}

// One to three changes: a bit flipped, a byte set to 00, FF, 7F or another
// value, or the file cut short; most of them in the meaningful bytes.
std::string mutated(std::string bytes, const Meaningful& meaningful, std::mt19937& random) {
    const auto below = [&](std::size_t n) { return random() % n; };
    for (std::size_t changes = 1 + below(3); changes > 0 && !bytes.empty(); --changes) {
        const std::size_t where = below(3);
        const std::size_t at = where == 0   ? meaningful.head[below(meaningful.head.size())]
                               : where == 1 ? meaningful.words[below(meaningful.words.size())]
                                            : below(bytes.size());
        char& byte = bytes[std::min(at, bytes.size() - 1)];
        switch (below(12)) {
            case 0:
                bytes.resize(below(bytes.size()));
                break;
            case 1:
                byte = '\0';
                break;
            case 2:
                byte = '\xFF';
                break;
            case 3:
                byte = '\x7F';
                break;
            case 4:
            case 5:
                byte = static_cast<char>(random());
                break;
            default:
                byte = static_cast<char>(byte ^ (1 << below(8)));
        }
    }
    return bytes;
}

class MutatedDatabaseTest : public Fixture, public ::testing::WithParamInterface<const char*> {
  protected:
    int run(const std::function<int(CTosker&)>& step) {
        QuietReports quiet;
        CTosker fresh;
        return step(fresh);
    }
    PhraseDatabase read(const fs::path& path) {
        PhraseDatabase db;
        QuietReports quiet;
        EXPECT_EQ(readPhraseDatabaseFile(path.c_str(), db), 0) << path;
        return db;
    }
};

TEST_P(MutatedDatabaseTest, EveryDatabaseReadAsGoodCompilesBackToTheSamePhrases) {
    std::string list = readFile(fs::path(EXAMPLES_DIR) / "phrase-chinesegb.txt");
    list.replace(list.find("ChineseGB"), 9, GetParam());
    const fs::path source = writeBytes("list.txt", list), database = scratchPath("db.pdb");
    const fs::path text = scratchPath("back.txt"), again = scratchPath("again.pdb");
    ASSERT_EQ(
        run([&](CTosker& t) { return convertTextToDatabase(t, source.c_str(), database.c_str()); }),
        0);
    const std::string original = readFile(database);

    const char* count = std::getenv("CJK_MUTATIONS");
    const int mutations = count != nullptr ? std::atoi(count) : 2000;
    const Meaningful meaningful = meaningfulBytes(original);
    std::mt19937 random(24);
    int readAsGood = 0;
    for (int n = 0; n < mutations; ++n) {
        const std::string bytes = mutated(original, meaningful, random);
        writeBytes("db.pdb", bytes);
        fs::remove(text);
        const int rc = run(
            [&](CTosker& t) { return convertDatabaseToText(t, database.c_str(), text.c_str()); });
        if ((rc >= 400 && rc <= 403) || (rc == 101 && bytes.size() < 78)) continue;
        ASSERT_EQ(rc, 0) << "mutation " << n;
        ++readAsGood;
        ASSERT_EQ(
            run([&](CTosker& t) { return convertTextToDatabase(t, text.c_str(), again.c_str()); }),
            0)
            << "mutation " << n << "\n"
            << readFile(text);
        ASSERT_EQ(meaningOf(read(again)), meaningOf(read(database))) << "mutation " << n;
    }
    std::printf("%s: %d of %d mutated databases read as good\n", GetParam(), readAsGood, mutations);
    EXPECT_GT(readAsGood, 0);
}

INSTANTIATE_TEST_SUITE_P(ExamplePhrases, MutatedDatabaseTest,
                         ::testing::Values("ChineseGB", "ChineseGBK", "ChineseBIG5"));

}  // namespace
