// A CMabrel set up for the coder's passes: the fields that the description
// pass fills, and the source text to read; the code table it gives, laid out.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "foundation/char_sets.h"
#include "ime/database/code_geometry.h"
#include "ime/database/ime_layout.h"
#include "ime/mabrel_context.h"
#include "ime/messages.h"
#include "ime/source/code_table.h"

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

// Fills the header fields the coder reads as the description pass would;
// false when the description pass would refuse the geometry (604).
inline bool setGeometry(CMabrel& mabrel, const Geometry& g) {
    InputMethod& im = mabrel.im;
    im.charSet = g.charSet;
    im.codingStyle = g.codingStyle;
    im.maxCodes = g.maxCodes;
    im.usedCodes = g.usedCodes;
    im.indexDepth = g.codingStyle == 1 ? g.indexDepth : 0;
    im.noSort = g.codingStyle == 1 && g.noSort == 1;
    CodeGeometry geometry;
    testing::internal::CaptureStdout();
    const int rc =
        codeGeometry(im.codingStyle, static_cast<int>(im.usedCodes.size()), im.maxCodes, geometry);
    testing::internal::GetCapturedStdout();
    return rc == 0;
}

// The header the layout derives from what the description pass filled.
inline ImeHeader headerOf(const CMabrel& mabrel) {
    ImeLayout layout;
    layOutFrontEnd(mabrel.im, layout);
    return layout.header;
}

// Mabrel's messages, no section current.
class CoderTest : public testing::Test {
  protected:
    void SetUp() override { useMabrelMessages(); }

    void openText(const std::string& text) { mabrel.source.stream = SourceText{text}; }

    // Runs the whole "[Text]" pass on `text` and lays out the code tables, as
    // a compile does; the output is kept in `output`.
    int code(const Geometry& geometry, const std::string& text) {
        EXPECT_TRUE(setGeometry(mabrel, geometry));
        return codeSource("[Text]\n" + text);
    }

    // The same for a whole source text.
    int codeSource(const std::string& text) {
        openText(text);
        mabrel.im.codes.clear();
        mabrel.im.entries.clear();
        layout = ImeLayout{};
        testing::internal::CaptureStdout();
        int rc = codeTextSection(mabrel);
        if (rc == 0) {
            rc = runCodingStep([&] { return layOutInputMethod(mabrel.im, layout); });
        }
        output = testing::internal::GetCapturedStdout();
        return rc;
    }

    CMabrel mabrel;
    ImeLayout layout;
    std::string output;
};

// The two bytes of a GB character by its index.
inline std::string gbChar(int index) {
    char bytes[3] = {};
    indexToChar(kChineseGB, static_cast<unsigned>(index), bytes, sizeof bytes);
    return bytes;
}

}  // namespace coder_test
