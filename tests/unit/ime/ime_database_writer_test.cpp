#include <unistd.h>

#include <filesystem>
#include <vector>

#include "foundation/big_endian.h"
#include "ime/database/ime_resources.h"
#include "ime/database/input_method_database.h"
#include "ime/source/code_table.h"
#include "tests/support/database_bytes.h"
#include "tests/support/files.h"
#include "tests/unit/ime/coder_fixture.h"

namespace {

using namespace coder_test;
using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

constexpr uint32_t kDate = 0xC0FFEE01;

struct Listing {
    std::vector<std::string> types;
    std::vector<std::size_t> sizes;
};

class ImeDatabaseWriterTest : public CoderTest {
  protected:
    Listing listing() const {
        Listing l;
        for (const DatabaseResource& r : imeResources(layout)) {
            l.types.emplace_back(r.type, 4);
            l.sizes.push_back(r.body.size());
        }
        return l;
    }

    Bytes body(const char* type) const {
        for (const DatabaseResource& r : imeResources(layout)) {
            if (std::string(r.type, 4) == type) return r.body;
        }
        return {};
    }

    // 100 codes "aa" ... "dv", each with a character of its own.
    void codeHundredCharacters() {
        std::string text;
        for (int i = 0; i < 100; ++i) {
            text += std::string{kLetters[i / 26], kLetters[i % 26], ' '} + gbChar(1666 + i) + "\n";
        }
        ASSERT_EQ(code({.codingStyle = 1, .maxCodes = 4}, text), 0);
    }

    // Lays out the input method again after a change to it.
    void layOutAgain() { ASSERT_EQ(layOutInputMethod(mabrel.im, layout), 0); }
};

TEST_F(ImeDatabaseWriterTest, StyleOneWithCodeTablesOnly) {
    codeHundredCharacters();
    mabrel.im.id = "Ab12";
    layOutAgain();
    const Listing l = listing();
    EXPECT_EQ(l.types, (std::vector<std::string>{"RT11", "RT51", "RT31", "RT41", "RT42", "RT33"}));
    EXPECT_EQ(l.sizes, (std::vector<std::size_t>{256, 202, 1406, 202, 102, 202}));
    EXPECT_EQ(body("RT42").back(), 0);
    // One character an entry: HZMap holds entry numbers and a closing zero.
    const Bytes map = body("RT51");
    for (int i = 0; i < 100; ++i) EXPECT_EQ(getU16BE(&map[2 * i]), i + 1);
    EXPECT_EQ(getU16BE(&map[200]), 0);

    const Bytes image = imeDatabaseImage(layout, kDate);
    ASSERT_EQ(image.size(), 140u + 256 + 202 + 1406 + 202 + 102 + 202);
    const Bytes name(image.begin(), image.begin() + 32);
    Bytes expectedName(32, 0);
    const std::string text = "CJK Input Method Ab12";
    std::copy(text.begin(), text.end(), expectedName.begin());
    EXPECT_EQ(name, expectedName);
    EXPECT_EQ(getU16BE(&image[32]), 1);  // attributes
    EXPECT_EQ(getU16BE(&image[34]), 1);  // version
    for (int offset : {36, 40, 44}) EXPECT_EQ(getU32BE(&image[offset]), kDate);
    EXPECT_EQ(std::string(image.begin() + 60, image.begin() + 68), "IMEMdQlt");
    EXPECT_EQ(getU16BE(&image[76]), 6);

    const uint32_t offsets[] = {140, 396, 598, 2004, 2206, 2308};
    for (int i = 0; i < 6; ++i) {
        const uint8_t* entry = &image[78 + 10 * i];
        EXPECT_EQ(std::string(entry, entry + 4), l.types[i]);
        EXPECT_EQ(getU16BE(entry + 4), 8888);
        EXPECT_EQ(getU32BE(entry + 6), offsets[i]) << l.types[i];
    }
    EXPECT_EQ(image[138], 0);
    EXPECT_EQ(image[139], 0);
    // "RT11": the header, big-endian.
    EXPECT_EQ(getU16BE(&image[140 + 4]), 1666);  // minHZIndex
    EXPECT_EQ(getU16BE(&image[140 + 6]), 1765);  // maxHZIndex
    EXPECT_EQ(getU32BE(&image[140 + 8]), 100u);  // hzTotal
    EXPECT_EQ(getU16BE(&image[140 + 46]), 26);   // usedCodeCount
}

TEST_F(ImeDatabaseWriterTest, StyleTwoWithEveryFrontEndResource) {
    ASSERT_EQ(code({.codingStyle = 2, .usedCodes = "abc", .maxCodes = 3},
                   "a " + gbChar(300) + gbChar(301) + "\nb " + gbChar(300) + "\n"),
              0);
    InputMethod& im = mabrel.im;
    im.displayCodes.assign(3, ValuePair{});
    im.keyMap.emplace();
    const CodingRuleItem item{'F', 1, 0};
    im.rules = {{'A', 2, {item, item}}, {'E', 2, {item, {'B', 2, 0x77}}}};
    im.keyboard = KeyboardPictures{{154, 54, Bytes(154 * 54, 0)}, std::nullopt};
    im.helpText = "Write something here\n\n";
    layOutAgain();

    const Listing l = listing();
    EXPECT_EQ(l.types, (std::vector<std::string>{"RT11", "RT12", "RT13", "RT14", "RT21", "tSTR",
                                                 "RT51", "RT52", "RT31", "RT41", "RT32", "RT33"}));
    EXPECT_EQ(l.sizes,
              (std::vector<std::size_t>{256, 6, 120, 36, 1096, 24, 6, 6, 26, 4 * 3, 2 * 4, 2 * 4}));
    EXPECT_EQ(body("RT14")[35], 0x77);
    // HZMap 300, 301 and the closing zero; one block of entries 1 and 2.
    EXPECT_EQ(body("RT51"), (Bytes{0x80, 0x00, 0x00, 0x01, 0x00, 0x00}));
    EXPECT_EQ(body("RT52"), (Bytes{0x80, 0x01, 0x00, 0x02, 0x00, 0x00}));

    const Bytes image = imeDatabaseImage(layout, kDate);
    EXPECT_EQ(getU16BE(&image[76]), 12);
    EXPECT_EQ(getU32BE(&image[78 + 6]), 200u);
    EXPECT_EQ(image[198], 0);
    EXPECT_EQ(image[199], 0);
}

TEST_F(ImeDatabaseWriterTest, AnOddCountPutsTheFirstBodyAfterTheDirectory) {
    codeHundredCharacters();
    mabrel.im.keyMap.emplace();
    mabrel.im.helpText.clear();  // read, but empty: no "tSTR"
    layOutAgain();
    const Bytes image = imeDatabaseImage(layout, kDate);
    EXPECT_EQ(getU16BE(&image[76]), 7);
    EXPECT_EQ(std::string(&image[88], &image[92]), "RT13");
    EXPECT_EQ(getU32BE(&image[78 + 6]), 148u);
    EXPECT_EQ(getU32BE(&image[88 + 6]), 148u + 256);
}

class DatabaseFileTest : public ImeDatabaseWriterTest {
  protected:
    int write(const fs::path& path) {
        testing::internal::CaptureStdout();
        const int rc = writeImeDatabase(layout, path.c_str());
        output = testing::internal::GetCapturedStdout();
        return rc;
    }

    test_support::ScratchDir folder;
    std::string output;
};

TEST_F(DatabaseFileTest, WritesTheImageAndFailuresLeaveNothingNew) {
    codeHundredCharacters();
    useMabrelMessages();
    const fs::path good = folder / "good.pdb";
    ASSERT_EQ(write(good), 0);
    const std::string written = test_support::readFile(good);
    EXPECT_EQ(test_support::maskDates(Bytes(written.begin(), written.end())),
              test_support::maskDates(imeDatabaseImage(layout, 0)));

    const fs::path nowhere = folder / "missing" / "y.pdb";
    EXPECT_EQ(write(nowhere), 103);
    EXPECT_EQ(output, "\r \r\aMessage 103 : Create file \"" + nowhere.string() + "\" fail\n");
    if (fs::exists("/dev/full")) {
        const fs::path full = folder / "x.pdb";
        fs::create_symlink("/dev/full", full);
        EXPECT_EQ(write(full), 102);
        EXPECT_EQ(output, "\r \r\aMessage 102 : Write file \"" + full.string() + "\" error\n");
        EXPECT_TRUE(fs::is_symlink(full));  // the link stays, as every existing destination does
    }
    EXPECT_EQ(folder.listing(), fs::exists("/dev/full") ? "good.pdb\nx.pdb\n" : "good.pdb\n");
}

}  // namespace
