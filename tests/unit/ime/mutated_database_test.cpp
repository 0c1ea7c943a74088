// Mutated example databases draw 400 to 403 (101 without a whole header), or
// their source compiles back and the lookup finds every pair it lists in the
// mutated database: the code read as keys, the character among its entries.
#include <gtest/gtest.h>

#include <random>

#include "foundation/big_endian.h"
#include "foundation/diagnostics.h"
#include "ime/compile_driver.h"
#include "ime/database/input_method_database.h"
#include "ime/lookup/lookup_index.h"
#include "ime/lookup/lookup_line.h"
#include "ime/messages.h"
#include "ime/source/ime_source_writer.h"
#include "tests/support/files.h"

namespace {

bool lookupFindsEveryPair(const InputMethod& im) {
    const LookupIndex index(im);
    LookupLineReader reader(im);
    return std::all_of(im.entries.begin(), im.entries.end(), [&](const CodeTableEntry& entry) {
        const std::string code(im.codes[entry.code]);
        const LookupLine line = reader.read(code);
        const std::vector<int> found = index.exactEntries(code);
        return line.kind == LineKind::kCode && line.code == code &&
               std::any_of(found.begin(), found.end(),
                           [&](int e) { return im.entries[e].character == entry.character; });
    });
}

class MutatedDatabase : public ::testing::TestWithParam<const char*> {};

TEST_P(MutatedDatabase, DrawsItsMessageOrCompilesBackToPairsTheLookupFinds) {
    const std::string example = EXAMPLES_DIR "/" + std::string(GetParam());
    useMabrelMessages();
    QuietReports quiet;
    CMabrel mabrel;
    for (const char* picture : {".bmp", "HDD.bmp"}) {
        const std::string bytes = test_support::readFile(example + picture);
        mabrel.pictureFiles[std::string(GetParam()) + picture].assign(bytes.begin(), bytes.end());
    }
    ASSERT_EQ(readSourceText(mabrel, test_support::readFile(example + ".txt")), 0);
    const std::vector<uint8_t> original = encodeInputMethodDatabase(mabrel.im, 0);
    // One change in three falls on the header record.
    const std::size_t header = getU32BE(original.data() + 84);
    std::mt19937 random(29);
    const auto below = [&](std::size_t n) { return random() % n; };
    const char* count = std::getenv("CJK_MUTATIONS");
    for (int n = 0; n < (count != nullptr ? std::atoi(count) : 1000); ++n) {
        std::vector<uint8_t> bytes = original;
        for (std::size_t k = 1 + below(3); k > 0; --k) {
            const std::size_t i = below(3) == 0 ? header + below(256) : below(bytes.size());
            const uint8_t values[] = {0, 0xFF, 0x7F, static_cast<uint8_t>(random()),
                                      static_cast<uint8_t>(bytes[i] ^ (1 << below(8)))};
            bytes[i] = values[std::min<std::size_t>(below(10), 4)];
        }
        if (below(10) == 0) bytes.resize(below(bytes.size()));
        InputMethod im;
        const int rc = readInputMethodDatabase(bytes, "db.pdb", im);
        if ((rc >= 400 && rc <= 403) || (rc == 101 && bytes.size() < 78)) continue;
        ASSERT_EQ(rc, 0) << "mutation " << n;
        InputMethod said = im;
        said.keyboard.reset();  // the reader judges pictures by their own layout
        CMabrel again;
        ASSERT_EQ(readSourceText(again, writeImeSource(said, {})), 0) << "mutation " << n;
        ASSERT_FALSE(encodeInputMethodDatabase(again.im, 0).empty()) << "mutation " << n;
        ASSERT_TRUE(lookupFindsEveryPair(im)) << "mutation " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, MutatedDatabase, ::testing::Values("pinyin", "shapes", "kana"));

}  // namespace
