// A CMabrel set up for the coder's passes: the header fields that the
// description pass fills, with the code geometry it derives from them, and
// the source text to read.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/char_sets.h"
#include "ime/code_geometry.h"
#include "ime/code_table.h"
#include "ime/mabrel_context.h"
#include "ime/messages.h"
#include "tests/support/process_end_stub.h"

namespace coder_test {

using test_support::ProcessEnded;

inline constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz";

struct Geometry {
    CharSet charSet = kChineseGB;
    int codingStyle = 1;
    const char* usedCodes = kLetters;
    int maxCodes = 4;
    int indexDepth = 2;
    int noSort = 0;
};

// Fills the header fields the coder reads as the description pass would;
// false when the description pass would refuse the geometry (604).
inline bool setGeometry(CMabrel& mabrel, const Geometry& g) {
    ImeHeader& h = mabrel.header;
    h.charSet = g.charSet;
    h.codingStyle = static_cast<uint8_t>(g.codingStyle);
    h.maxCodes = static_cast<uint16_t>(g.maxCodes);
    std::strncpy(h.usedCodes, g.usedCodes, sizeof h.usedCodes - 1);
    h.usedCodeCount = static_cast<uint16_t>(std::strlen(h.usedCodes));
    if (g.codingStyle == 1) {
        h.indexDepth = static_cast<uint8_t>(g.indexDepth);
        h.noSort = static_cast<uint8_t>(g.noSort);
    }
    testing::internal::CaptureStdout();
    const int rc = setCodeGeometry(h);
    testing::internal::GetCapturedStdout();
    return rc == 0;
}

// Mabrel's messages, no section current, immediate exits turned into ProcessEnded.
class CoderTest : public testing::Test {
  protected:
    void SetUp() override { useMabrelMessages(); }

    void openText(const std::string& text) { mabrel.source.stream = SourceText{text}; }

    // Runs the whole "[Text]" pass on `text`; the output is kept in `output`.
    int code(const Geometry& geometry, const std::string& text) {
        EXPECT_TRUE(setGeometry(mabrel, geometry));
        openText("[Text]\n" + text);
        testing::internal::CaptureStdout();
        const int rc = codeTextSection(mabrel);
        output = testing::internal::GetCapturedStdout();
        return rc;
    }

    test_support::ProcessEndStub processEnd;
    CMabrel mabrel;
    std::string output;
};

// The two bytes of a GB character by its index.
inline std::string gbChar(int index) {
    char bytes[3] = {};
    indexToChar(kChineseGB, static_cast<unsigned>(index), bytes, sizeof bytes);
    return bytes;
}

}  // namespace coder_test
