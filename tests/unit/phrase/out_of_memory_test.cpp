// A refused allocation in either direction of a Tosker run is reported with
// message 200 and stops the run with 200; nothing is written.
#include "phrase/database_to_text.h"
#include "phrase/text_to_database.h"
#include "tests/support/failing_allocator.h"
#include "tests/unit/phrase/tosker_test_support.h"

namespace {

using namespace tosker_test;

const std::string kList = "[Description]\nCharSet=ChineseGB\n[Phrase]\n\xB0\xA1\xB0\xA2\n";

class ToskerOutOfMemory : public Fixture {};

TEST_F(ToskerOutOfMemory, TextToDatabase) {
    const fs::path list = writeBytes("list.txt", kList);
    const fs::path database = scratchPath("list.pdb");
    // The slot table, one slot per character index of GB 2312: the first
    // allocation of 9092 slots.
    test_support::refuseAllocationOfAtLeast(9092 * sizeof(PhraseSlot));
    const Captured run =
        captured([&] { return convertTextToDatabase(tosker, list.c_str(), database.c_str()); });
    test_support::allowAllocations();
    EXPECT_EQ(run.rc, 200);
    EXPECT_TRUE(run.output.ends_with("\r \r\aL3, [Phrase], Message 200: Not enought memory\n"))
        << run.output;
    EXPECT_EQ(dir.listing(), "list.txt\n");
}

TEST_F(ToskerOutOfMemory, DatabaseToText) {
    const std::string header = std::string(60, '\0') + "CIZUdQlt" + std::string(9, '\0') + "\1";
    const fs::path database = writeBytes("db.pdb", header + std::string(200010, 'x'));
    const fs::path text = scratchPath("back.txt");
    test_support::refuseAllocationOfAtLeast(100000);  // the image of the database
    const Captured run =
        captured([&] { return convertDatabaseToText(tosker, database.c_str(), text.c_str()); });
    test_support::allowAllocations();
    EXPECT_EQ(run.rc, 200);
    EXPECT_TRUE(run.output.ends_with("\r \r\aMessage 200 : Not enought memory\n")) << run.output;
    EXPECT_EQ(dir.listing(), "db.pdb\n");
}

}  // namespace
