// A CMabrel set up by hand for the coder's passes: the header fields that
// the description pass would fill, and a source file holding the given text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/char_sets.h"
#include "foundation/process_end.h"
#include "ime/code_table.h"
#include "ime/mabrel_context.h"
#include "ime/messages.h"

namespace coder_test {

inline constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz";

struct Geometry {
    CharSet charSet = kChineseGB;
    int codingStyle = 1;
    const char* usedCodes = kLetters;
    int maxCodes = 4;
    int indexDepth = 2;
    int noSort = 0;
};

// Fills the header fields the coder reads, with the code geometry the
// description pass derives from them.
inline void setGeometry(CMabrel& mabrel, const Geometry& g) {
    ImeHeader& h = mabrel.header;
    h.charSet = g.charSet;
    h.codingStyle = static_cast<uint8_t>(g.codingStyle);
    h.maxCodes = static_cast<uint16_t>(g.maxCodes);
    std::strncpy(h.usedCodes, g.usedCodes, sizeof h.usedCodes - 1);
    h.usedCodeCount = static_cast<uint16_t>(std::strlen(h.usedCodes));
    if (g.codingStyle == 2) {
        h.bitsPerCode = 8;
        h.codeHeadBytes = static_cast<uint16_t>((g.maxCodes + 1) / 2 * 2);
        h.codeRestBytes = 0;
        return;
    }
    h.indexDepth = static_cast<uint8_t>(g.indexDepth);
    h.noSort = static_cast<uint8_t>(g.noSort);
    int bits = 2;
    while ((1 << bits) <= h.usedCodeCount) ++bits;
    h.bitsPerCode = static_cast<uint16_t>(bits);
    const int packedBytes = std::max(2, (bits * g.maxCodes + 9) / 8);
    h.codeHeadBytes = 2;
    h.codeRestBytes = static_cast<uint16_t>(packedBytes - 2);
}

// A scratch file holding `text`, removed at the end of the test.
class SourceFile {
  public:
    explicit SourceFile(const std::string& text) {
        static int serial = 0;
        path_ = std::filesystem::path(testing::TempDir()) /
                ("coder-source-" + std::to_string(::getpid()) + "-" + std::to_string(++serial) +
                 ".txt");
        std::ofstream(path_, std::ios::binary) << text;
    }
    ~SourceFile() { std::filesystem::remove(path_); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// Thrown by the test's process-end hook instead of ending the process.
struct ProcessEnded {
    int status;
};

inline void throwProcessEnded(int status) {
    throw ProcessEnded{status};
}

// Mabrel's messages, no section current, the source open on `text`.
class CoderTest : public testing::Test {
  protected:
    void SetUp() override {
        useMabrelMessages();
        setProcessEndHook(throwProcessEnded);
    }
    void TearDown() override { setProcessEndHook(nullptr); }

    void openText(const std::string& text) {
        source_ = std::make_unique<SourceFile>(text);
        ASSERT_TRUE(openSource(mabrel.source, source_->path().c_str()));
    }

    // Runs the whole "[Text]" pass on `text`; the output is kept in `output`.
    int code(const Geometry& geometry, const std::string& text) {
        setGeometry(mabrel, geometry);
        openText("[Text]\n" + text);
        testing::internal::CaptureStdout();
        const int rc = codeTextSection(mabrel);
        output = testing::internal::GetCapturedStdout();
        return rc;
    }

    CMabrel mabrel;
    std::string output;

  private:
    std::unique_ptr<SourceFile> source_;
};

// The two bytes of a GB character by its index.
inline std::string gbChar(int index) {
    char bytes[3] = {};
    indexToChar(kChineseGB, static_cast<unsigned>(index), bytes, sizeof bytes);
    return bytes;
}

// A 16-bit big-endian slot of a table.
inline int slot(const ZeroedBlock& table, int index) {
    return (table[2 * index] << 8) | table[2 * index + 1];
}

}  // namespace coder_test
