#include "foundation/database_container.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/big_endian.h"
#include "foundation/common_messages.h"

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

// A "CIZU" database whose header counts `count` entries and is followed by
// `entries` of them: "DATA" 8888, 8889, 8890, ... at offsets 600, 601, ...,
// the second typed "head"; then ten bytes of bodies.
Bytes directoryImage(int count, int entries) {
    Bytes image;
    encodeDatabaseHeader(makeDatabaseHeader("x", "CIZU", static_cast<uint16_t>(count), 0), image);
    for (int i = 0; i < entries; ++i) {
        encodeResourceEntry({{'D', 'A', 'T', 'A'},
                             static_cast<uint16_t>(8888 + i % 3),
                             static_cast<uint32_t>(600 + i)},
                            image);
        if (i == 1) std::memcpy(&image[image.size() - 10], "head", 4);
    }
    image.resize(std::max<std::size_t>(image.size(), 600) + 10, 0);
    return image;
}

int readContainer(const Bytes& image, BodyEnd ends, DatabaseFile& file) {
    testing::internal::CaptureStdout();
    const int rc = readDatabaseContainer(image, "x", "CIZU", kNotPhraseDatabase, ends, file);
    testing::internal::GetCapturedStdout();
    return rc;
}

TEST(Container, ReadsAFullDirectoryOnly) {
    const struct {
        int count, entries, rc;
    } cases[] = {{513, 513, 402}, {512, 512, 0}, {4, 3, 0}, {0, 3, 402}, {3, 3, 0}};
    for (const auto& c : cases) {
        DatabaseFile file;
        Bytes image = directoryImage(c.count, c.entries);
        if (c.count > c.entries) image.resize(kDatabaseHeaderSize + 10 * c.entries);
        const int rc = readContainer(image, BodyEnd::kNextBody, file);
        EXPECT_EQ(rc, c.count > c.entries ? 402 : c.rc) << c.count;
        if (rc == 0) {
            EXPECT_EQ(file.resources.size(), static_cast<std::size_t>(c.count));
        }
    }
    Bytes other = directoryImage(3, 3);
    std::memcpy(&other[64], "dQlT", 4);
    DatabaseFile file;
    EXPECT_EQ(readContainer(other, BodyEnd::kNextBody, file), 400);
    EXPECT_EQ(readContainer(Bytes(77, 0), BodyEnd::kNextBody, file), 101);
}

TEST(Container, FindsTheFirstMatchAndEndsBodiesEachWay) {
    const Bytes image = directoryImage(6, 6);  // 610 bytes, bodies at 600 to 605
    DatabaseFile next, whole;
    ASSERT_EQ(readContainer(image, BodyEnd::kNextBody, next), 0);
    ASSERT_EQ(readContainer(image, BodyEnd::kEndOfFile, whole), 0);
    for (const DatabaseFile* file : {&next, &whole}) {
        ASSERT_NE(file->find("DATA", 8890), nullptr);
        EXPECT_EQ(file->find("DATA", 8890)->entry.offset, 602u);  // the first of two
        EXPECT_EQ(file->find("HEAD", 8889), nullptr);             // the letter case counts
        ASSERT_NE(file->find("head", 8889), nullptr);
        EXPECT_EQ(file->find("DATA", 8891), nullptr);
    }
    EXPECT_EQ(next.find("DATA", 8890)->body.size(), 1u);
    EXPECT_EQ(next.resources[5].body.size(), 5u);
    EXPECT_EQ(whole.find("DATA", 8890)->body.size(), 8u);
}

}  // namespace
