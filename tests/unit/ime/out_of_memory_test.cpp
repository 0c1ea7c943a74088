// A refused allocation anywhere in a Mabrel run is reported with message 200
// and stops the run: with 200, or with the status the step has always had
// (the coder's 1, the bitmap loader's 301 after its own message).
#include "ime/compile_driver.h"
#include "ime/source/sample_source.h"
#include "tests/support/failing_allocator.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

const std::string kSource =
    "[Description]\nCharSet=ChineseGB\nID=Test\nFullName=Memory test\nName=Memory\n"
    "CodingStyle=2\nUsedCodes=abcdefghijklmnopqrstuvwxyz\nMaxCodes=2\n";
const std::string kText = "[Text]\na \xB0\xA1\n";
const std::string kConverting = "\r \rConverting text \"src.txt\" => input method \"x.pdb\"...\n\n";
const std::string kNoMemory = "Not enought memory";

struct MemoryCase {
    const char* name;
    std::string source;
    std::size_t refusedSize;
    int status;
    std::string output;  // after the converting line
};

void PrintTo(const MemoryCase& c, std::ostream* os) {
    *os << c.name;
}

class OutOfMemory : public SourceTest, public ::testing::WithParamInterface<MemoryCase> {};

TEST_P(OutOfMemory, ReportsMessage200) {
    const MemoryCase& c = GetParam();
    WorkingDir inDir(dir.path());
    writeFile("src.txt", c.source);
    writeFile("kbd.bmp", makeBmp(sizedBmp(154, 54)));
    test_support::refuseAllocationOfAtLeast(c.refusedSize);
    const PassRun run = runCaptured([&] { return compileSource(mabrel, "src.txt", "x.pdb"); });
    test_support::allowAllocations();
    EXPECT_EQ(run.rc, c.status);
    EXPECT_EQ(run.output, kConverting + c.output);
    EXPECT_EQ(dir.listing(), "kbd.bmp\nsrc.txt\n");
}

INSTANTIATE_TEST_SUITE_P(
    Steps, OutOfMemory,
    ::testing::Values(
        MemoryCase{"ReadingTheSource", kSource + kText + std::string(200000, '/') + "\n", 100000,
                   200, unsectioned(200, kNoMemory)},
        MemoryCase{"TheCoder", kSource + kText, 16000, 1,
                   "\r \r[Text] Start coding input method at line 9...\n" +
                       numbered(10, "[Text]", 200, kNoMemory)},
        MemoryCase{"AKeyboardBitmap", kSource + "KeyboardBitmap=kbd.bmp\n" + kText, 2000, 301,
                   numbered(9, "[Description]", 200, kNoMemory) +
                       numbered(9, "[Description]", 301, "Error while loading bitmap file")}),
    [](const ::testing::TestParamInfo<MemoryCase>& info) { return std::string(info.param.name); });

TEST(OutOfMemorySample, WritingTheSample) {
    useMabrelMessages();
    TempDir dir;
    const std::string path = (dir / "sample.txt").string();
    test_support::refuseAllocationOfAtLeast(30000);  // the GB sample is 35,944 bytes
    const PassRun run = runCaptured([&] { return writeSampleSource(kChineseGB, path.c_str()); });
    test_support::allowAllocations();
    EXPECT_EQ(run.rc, 200);
    EXPECT_EQ(run.output, unsectioned(200, kNoMemory));
    EXPECT_EQ(dir.listing(), "");
}

}  // namespace
