// The pieces of the decompiler that the round trips meet only by chance:
// value-list items for every kind of byte, and the names of the pictures.
#include "ime/decompile_driver.h"
#include "ime/source/ime_source_writer.h"
#include "ime/source/value_list.h"
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

}  // namespace
