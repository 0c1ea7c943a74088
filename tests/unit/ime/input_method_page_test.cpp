// The statistics page: keyboard pictures drawn back pixel for pixel from
// their SVG paths over generated pictures, and the page of a bundled example
// well formed and self-contained.
#include "ime/statistics/input_method_page.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <regex>

#include "ime/compile_driver.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

// The pixels an SVG path of runs ("Mx yhNv1h-Nz") paints.
std::vector<uint8_t> paintedPixels(const std::string& svg, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<std::size_t>(width * height), 0);
    const std::regex run("M(\\d+) (\\d+)h(\\d+)v1h-(\\d+)z");
    for (auto it = std::sregex_iterator(svg.begin(), svg.end(), run); it != std::sregex_iterator();
         ++it) {
        const int x = std::stoi((*it)[1]), y = std::stoi((*it)[2]), n = std::stoi((*it)[3]);
        EXPECT_EQ((*it)[3], (*it)[4]);
        for (int k = x; k < x + n; ++k) ++pixels[static_cast<std::size_t>(y * width + k)];
    }
    return pixels;
}

TEST(InputMethodPage, PicturesArePaintedPixelForPixel) {
    std::mt19937 random(32);
    for (int round = 0; round < 40; ++round) {
        KeyboardPicture picture{round % 2 ? 308 : 154, round % 2 ? 108 : 54, {}};
        std::bernoulli_distribution black(round / 40.0);
        for (int k = 0; k < picture.width * picture.height; ++k) {
            picture.pixels.push_back(black(random) ? 1 : 0);
        }
        // Each black pixel painted once, each white one not at all.
        EXPECT_EQ(paintedPixels(keyboardPictureSvg(picture), picture.width, picture.height),
                  picture.pixels);
    }
}

TEST(InputMethodPage, ExamplePageIsWellFormedAndSelfContained) {
    useMabrelMessages();
    WorkingDir inExamples(EXAMPLES_DIR);
    CMabrel mabrel;
    const PassRun run = runCaptured([&] { return readSourceFile(mabrel, "pinyin.txt"); });
    ASSERT_EQ(run.rc, 0) << run.output;
    const InputMethod& im = mabrel.im;
    const std::vector<CodeCharacters> codes = codesOf(im);
    const std::string page = inputMethodPage(im, inputMethodStatistics(im, codes), nullptr,
                                             "Name <x> & \"y\"\n", "pinyin.txt");
    ASSERT_TRUE(page.starts_with("<!DOCTYPE html>\n<html"));
    for (const char* inside :
         {"<meta charset=\"utf-8\">", "<pre>Name &lt;x&gt; &amp; &quot;y&quot;\n</pre>",
          "<svg class=\"picture\" width=\"154\" height=\"54\"",
          "<svg class=\"picture\" width=\"308\" height=\"108\""}) {
        EXPECT_NE(page.find(inside), std::string::npos) << inside;
    }
    for (const char* outside : {"<script", "src=", "href", "url(", "@import", "http"}) {
        EXPECT_EQ(page.find(outside), std::string::npos) << outside;
    }
    // Every element closed in order (meta alone has no end).
    std::vector<std::string> open;
    // (Scanned by hand: a regular expression recurses once a character over
    // the long path attributes and overflows the stack of a sanitizer build.)
    for (std::size_t at = page.find('<'); at != std::string::npos; at = page.find('<', at + 1)) {
        const std::size_t end = page.find('>', at);
        ASSERT_NE(end, std::string::npos);
        const bool closing = page[at + 1] == '/';
        std::size_t nameEnd = at + 1 + (closing ? 1 : 0);
        while (std::isalnum(static_cast<unsigned char>(page[nameEnd]))) ++nameEnd;
        const std::string name =
            page.substr(at + 1 + (closing ? 1 : 0), nameEnd - at - 1 - (closing ? 1 : 0));
        if (name.empty() || name == "meta" || page[end - 1] == '/') continue;
        if (!closing) {
            open.push_back(name);
            continue;
        }
        ASSERT_FALSE(open.empty()) << name;
        ASSERT_EQ(open.back(), name);
        open.pop_back();
    }
    EXPECT_TRUE(open.empty());
}

}  // namespace
