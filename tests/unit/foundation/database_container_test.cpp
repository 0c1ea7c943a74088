#include "foundation/database_container.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundation/big_endian.h"

namespace {

TEST(Container, FirstBodyOffset) {
    EXPECT_EQ(firstBodyOffset(1), 88u);
    EXPECT_EQ(firstBodyOffset(2), 100u);
    EXPECT_EQ(firstBodyOffset(6), 140u);
    EXPECT_EQ(firstBodyOffset(7), 148u);
    EXPECT_EQ(firstBodyOffset(13), 208u);
    EXPECT_EQ(firstBodyOffset(36), 440u);
}

TEST(Container, HeaderBytes) {
    const DatabaseHeader header = makeDatabaseHeader("CJK Phrase ChineseGB", "CIZU", 36, databaseDate(0));
    const auto bytes = encodeDatabaseHeader(header);
    std::vector<uint8_t> expected(78, 0);
    std::memcpy(expected.data(), "CJK Phrase ChineseGB", 20);
    expected[33] = 1;  // attributes
    expected[35] = 1;  // version
    for (int offset : {36, 40, 44}) putU32BE(expected.data() + offset, 2082844800u);
    std::memcpy(expected.data() + 60, "CIZUdQlt", 8);
    expected[77] = 36;
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(Container, NameIsCutToItsField) {
    const DatabaseHeader header = makeDatabaseHeader(std::string(40, 'n').c_str(), "IMEM", 1, 0);
    const auto bytes = encodeDatabaseHeader(header);
    EXPECT_EQ(bytes[30], 'n');
    EXPECT_EQ(bytes[31], 0);
}

TEST(Container, EntryBytes) {
    const auto bytes = encodeResourceEntry({{'D', 'A', 'T', 'A'}, 8889, 0x01020304});
    const std::vector<uint8_t> expected = {'D', 'A', 'T', 'A', 0x22, 0xB9, 1, 2, 3, 4};
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.end()), expected);
}

// A file holding `count` directory entries written with writeDirectoryEntry.
std::FILE* directoryFile(int count) {
    std::FILE* file = std::tmpfile();
    for (int i = 0; i < count; ++i) {
        EXPECT_TRUE(writeDirectoryEntry(file, i == 1 ? "head" : "DATA",
                                        static_cast<uint16_t>(8888 + i % 3), 100 + i));
    }
    std::rewind(file);
    return file;
}

TEST(Container, ReadsUpTo512Entries) {
    ResourceDirectory directory;
    std::FILE* file = directoryFile(513);
    EXPECT_EQ(readDirectory(directory, file, 513), 0);
    std::rewind(file);
    EXPECT_EQ(readDirectory(directory, file, 512), 512);
    EXPECT_EQ(directory.count, 512);
    std::fclose(file);
}

TEST(Container, RefusesMissingEntriesAndZeroCount) {
    ResourceDirectory directory;
    std::FILE* file = directoryFile(3);
    EXPECT_EQ(readDirectory(directory, file, 4), 0);
    std::rewind(file);
    EXPECT_EQ(readDirectory(directory, file, 0), 0);
    std::fclose(file);
}

TEST(Container, FindResourceTakesFirstMatchExactly) {
    ResourceDirectory directory;
    std::FILE* file = directoryFile(6);
    ASSERT_EQ(readDirectory(directory, file, 6), 6);
    std::fclose(file);
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
