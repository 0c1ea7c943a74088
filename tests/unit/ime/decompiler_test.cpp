// The pieces of the decompiler that the round trips meet only by chance:
// value-list items for every kind of byte, the names of the pictures, and
// pictures of sizes no source gives.
#include "foundation/char_sets.h"
#include "ime/database/ime_resources.h"
#include "ime/decompile_driver.h"
#include "ime/messages.h"
#include "ime/source/ime_source_writer.h"
#include "ime/source/value_list.h"
#include "tests/support/files.h"
#include "tests/support/step_run.h"

namespace {

TEST(ValueItem, ReadsBackAsTheSamePair) {
    const struct {
        ValuePair pair;
        std::string item;  // "" when no item says it
    } cases[] = {
        {{'a', 0}, "a"},     {{',', 0}, "0x2C"}, {{' ', 0}, "0x20"},         {{0, 0}, "0x00"},
        {{'\t', 0}, "0x09"}, {{'/', 0}, "/"},    {{0xB0, 0xA1}, "\xB0\xA1"}, {{'x', 'y'}, "xy"},
        {{'/', '/'}, ""},    {{',', 'a'}, ""},   {{'a', ' '}, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(valueItem(c.pair), c.item);
        if (c.item.empty()) continue;
        const auto run = test_support::runCaptured([&] {
            std::vector<ValuePair> items;
            if (parseValueList(c.item.c_str(), items) != 0) return 1;
            return items.size() == 1 && items[0] == c.pair ? 0 : 1;
        });
        EXPECT_EQ(run.rc, 0) << c.item;
    }
}

TEST(PictureNames, FollowTheDestination) {
    const struct {
        const char* destination;
        const char* standard;
        const char* highDensity;
    } cases[] = {{"back.txt", "back.bmp", "backHDD.bmp"},
                 {"dir/Back.TXT", "Back.bmp", "BackHDD.bmp"},
                 {"a.txt.old", "a.txt.old.bmp", "a.txt.oldHDD.bmp"},
                 {"txt", "txt.bmp", "txtHDD.bmp"}};
    for (const auto& c : cases) {
        const PictureNames names = pictureNamesFor(c.destination);
        EXPECT_EQ(names.standard, c.standard);
        EXPECT_EQ(names.highDensity, c.highDensity);
    }
}

KeyboardPicture blank(int width, int height) {
    return {width, height, std::vector<uint8_t>(static_cast<std::size_t>(width) * height, 0)};
}

// A database holding pictures of any size: those a source cannot give are
// named by 404 and written neither as files nor as keys.
TEST(PictureSizes, OnlyWhatASourceGivesIsWrittenBack) {
    const struct {
        int width, height, highWidth, highHeight;  // no high-density picture at 0
        bool written;
    } cases[] = {
        {154, 54, 308, 108, true}, {156, 53, 0, 0, true},      {65535, 8, 0, 0, false},
        {155, 54, 0, 0, false},    {154, 54, 310, 108, false}, {156, 53, 312, 107, false},
    };
    for (const auto& c : cases) {
        InputMethod im;
        im.charSet = kChineseGB;
        im.id = "Pict";
        im.fullName = im.name = "Pictures";
        im.codingStyle = 1;
        im.indexDepth = 2;
        im.maxCodes = 4;
        im.usedCodes = "abcd";
        im.entries.push_back({"ab", {{0xB0, 0xA1}}});
        im.keyboard = KeyboardPictures{blank(c.width, c.height), std::nullopt};
        if (c.highWidth > 0) im.keyboard->highDensity = blank(c.highWidth, c.highHeight);
        ImeLayout layout;
        ASSERT_EQ(layOutInputMethod(im, layout), 0);
        test_support::ScratchDir dir;
        const std::vector<uint8_t> image = imeDatabaseImage(layout, 0);
        test_support::writeFile(dir / "db.pdb", std::string(image.begin(), image.end()));
        useMabrelMessages();
        const auto run = test_support::runCaptured([&] {
            return decompileDatabase((dir / "db.pdb").c_str(), (dir / "back.txt").c_str(),
                                     TextEncoding::kCharSet);
        });
        const std::string trace = std::to_string(c.width) + " x " + std::to_string(c.height);
        const std::string named = "Message 404 : Resource \"RT21\" can't be written back exactly";
        EXPECT_EQ(run.rc, 0) << trace;
        EXPECT_EQ(run.output.find("Message 404") != std::string::npos, !c.written) << trace;
        EXPECT_EQ(run.output.find(named) != std::string::npos, !c.written) << run.output;
        const std::string source = test_support::readFile(dir / "back.txt");
        EXPECT_EQ(source.find("KeyboardBitmap=") != std::string::npos, c.written) << trace;
        EXPECT_EQ(std::filesystem::exists(dir / "back.bmp"), c.written) << trace;
        EXPECT_EQ(std::filesystem::exists(dir / "backHDD.bmp"), c.written && c.highWidth > 0);
    }
}

}  // namespace
