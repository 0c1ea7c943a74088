#include "foundation/database_container.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/big_endian.h"

namespace {

using Bytes = std::vector<uint8_t>;

TEST(Container, FirstBodyOffset) {
    EXPECT_EQ(firstBodyOffset(1), 88u);
    EXPECT_EQ(firstBodyOffset(2), 100u);
    EXPECT_EQ(firstBodyOffset(6), 140u);
    EXPECT_EQ(firstBodyOffset(7), 148u);
    EXPECT_EQ(firstBodyOffset(13), 208u);
    EXPECT_EQ(firstBodyOffset(36), 440u);
}

TEST(Container, HeaderBytesAndBack) {
    const DatabaseHeader header =
        makeDatabaseHeader("CJK Phrase ChineseGB", "CIZU", 36, databaseDate(0));
    Bytes bytes;
    encodeDatabaseHeader(header, bytes);
    Bytes expected(78, 0);
    std::memcpy(expected.data(), "CJK Phrase ChineseGB", 20);
    expected[33] = 1;  // attributes
    expected[35] = 1;  // version
    for (int offset : {36, 40, 44}) putU32BE(expected.data() + offset, 2082844800u);
    std::memcpy(expected.data() + 60, "CIZUdQlt", 8);
    expected[77] = 36;
    EXPECT_EQ(bytes, expected);

    DatabaseHeader back{};
    ASSERT_TRUE(decodeDatabaseHeader(bytes.data(), bytes.size(), back));
    Bytes again;
    encodeDatabaseHeader(back, again);
    EXPECT_EQ(again, bytes);
    EXPECT_FALSE(decodeDatabaseHeader(bytes.data(), 77, back));
}

TEST(Container, NameIsCutToItsField) {
    Bytes bytes;
    encodeDatabaseHeader(makeDatabaseHeader(std::string(40, 'n').c_str(), "IMEM", 1, 0), bytes);
    EXPECT_EQ(bytes[30], 'n');
    EXPECT_EQ(bytes[31], 0);
}

TEST(Container, EntryBytesAndBack) {
    Bytes bytes;
    encodeResourceEntry({{'D', 'A', 'T', 'A'}, 8889, 0x01020304}, bytes);
    EXPECT_EQ(bytes, (Bytes{'D', 'A', 'T', 'A', 0x22, 0xB9, 1, 2, 3, 4}));
    const ResourceEntry entry = decodeResourceEntry(bytes.data());
    EXPECT_EQ(std::string(entry.type, 4), "DATA");
    EXPECT_EQ(entry.id, 8889);
    EXPECT_EQ(entry.offset, 0x01020304u);
}

TEST(Container, AssemblesDirectoryGapAndBodies) {
    const std::vector<DatabaseResource> resources = {{{'H', 'E', 'A', 'D'}, 8888, {1, 2, 3, 4}},
                                                     {{'D', 'A', 'T', 'A'}, 8889, {5, 6}}};
    const Bytes image = assembleDatabase(makeDatabaseHeader("x", "CIZU", 0, 0), resources);
    ASSERT_EQ(image.size(), 106u);
    EXPECT_EQ(getU16BE(&image[76]), 2);  // the count comes from the list
    EXPECT_EQ(getU32BE(&image[84]), 100u);
    EXPECT_EQ(getU32BE(&image[94]), 104u);
    EXPECT_EQ(Bytes(image.begin() + 98, image.end()), (Bytes{0, 0, 1, 2, 3, 4, 5, 6}));
}

// A database image whose header is followed by `count` entries.
Bytes directoryImage(int count) {
    Bytes image(kDatabaseHeaderSize, 0);
    for (int i = 0; i < count; ++i) {
        encodeResourceEntry({{'D', 'A', 'T', 'A'},
                             static_cast<uint16_t>(8888 + i % 3),
                             static_cast<uint32_t>(100 + i)},
                            image);
        if (i == 1) std::memcpy(&image[image.size() - 10], "head", 4);
    }
    return image;
}

TEST(Container, ReadsUpTo512Entries) {
    ResourceDirectory directory;
    const Bytes image = directoryImage(513);
    EXPECT_EQ(readDirectory(image.data(), image.size(), 513, directory), 0);
    EXPECT_EQ(readDirectory(image.data(), image.size(), 512, directory), 512);
    EXPECT_EQ(directory.entries.size(), 512u);
}

TEST(Container, RefusesMissingEntriesAndZeroCount) {
    ResourceDirectory directory;
    const Bytes image = directoryImage(3);
    EXPECT_EQ(readDirectory(image.data(), image.size(), 4, directory), 0);
    EXPECT_EQ(readDirectory(image.data(), image.size(), 0, directory), 0);
}

TEST(Container, FindResourceTakesFirstMatchExactly) {
    ResourceDirectory directory;
    const Bytes image = directoryImage(6);
    ASSERT_EQ(readDirectory(image.data(), image.size(), 6, directory), 6);
    uint32_t offset = 0;
    ASSERT_TRUE(findResource(directory, "DATA", 8888, offset));
    EXPECT_EQ(offset, 100u);
    ASSERT_TRUE(findResource(directory, "DATA", 8890, offset));
    EXPECT_EQ(offset, 102u);
    EXPECT_FALSE(findResource(directory, "HEAD", 8889, offset));
    ASSERT_TRUE(findResource(directory, "head", 8889, offset));
    EXPECT_EQ(offset, 101u);
    EXPECT_FALSE(findResource(directory, "DATA", 8891, offset));
}

}  // namespace
