// Input-method databases back to source: for every database Mabrel writes,
// the source written back compiles to the same database, dates aside, and
// nothing draws warning 404; a table exported for any engine and imported
// again compiles to the same code tables. The sources are generated here
// from a seed, so that every coding option, character set and resource is
// met.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <tuple>

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"
#include "foundation/text_encoding.h"
#include "tests/e2e/run_tool.h"
#include "tests/support/bmp_maker.h"

namespace {

using namespace e2e;

struct Shape {
    const char* name;
    CharSet charSet;
    int style;
    int subtype;
    int indexDepth;
    int noSort;
    int maxCodes;
    const char* usedCodes;
    int pictures;  // 0 none, 1 standard, 2 with the high-density one
    int without;   // sections left out: 1 the key map, 2 the rules, 4 the help
};

void PrintTo(const Shape& s, std::ostream* os) {
    *os << s.name;
}

class SourceMaker {
  public:
    // An exportable source holds only characters with a UTF-8 form, and codes
    // shorter than MaxCodes, which the export must then carry.
    explicit SourceMaker(const Shape& shape, bool exportable = false)
        : s_(shape),
          exportable_(exportable),
          utf8_(shape.charSet),
          random_(std::hash<std::string>{}(shape.name)) {}

    std::string source() { return description() + keyMap() + rules() + help() + text(); }

  private:
    int below(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }

    std::string description() {
        std::string d = "[Description]\nCharSet=" + std::string(charSetName(s_.charSet)) +
                        "\nID=R" + std::to_string(100 + below(900)) + "\nFullName=Round trip " +
                        std::string(s_.name).substr(0, 20) + "\nName=RT " +
                        std::to_string(below(1000)) + "\n";
        if (below(2)) d += "Version=1." + std::to_string(below(10)) + "\nAuthor=tests\n";
        d += "CodingStyle=" + std::to_string(s_.style);
        if (s_.subtype != 0) d += "," + std::to_string(s_.subtype);
        d += "\n";
        if (s_.style == 1) {
            d += "IndexDepth=" + std::to_string(s_.indexDepth) +
                 "\nNoSort=" + std::to_string(s_.noSort) + "\n";
        }
        d += "MaxCodes=" + std::to_string(s_.maxCodes) + "\nUsedCodes=" + s_.usedCodes + "\n";
        if (s_.style == 2) d += std::string("TuneCodes=") + s_.usedCodes[1] + "\nSeparateChar='\n";
        d += "DispalyCodes=";
        for (const char* c = s_.usedCodes; *c != '\0'; ++c) {
            d += c == s_.usedCodes ? "" : ",";
            d += *c == ',' ? std::string("0x2C") : (c[1] == '\0' ? hz(300) : std::string(1, *c));
        }
        d += "\nWildChar=?\nAutoSelectKeys=" + std::to_string(below(11) - 1) + "\n";
        if (s_.pictures > 0) d += "KeyboardBitmap=kbd.bmp\n";
        if (s_.pictures > 1) d += "KeyboardBitmapHDD=kbdHDD.bmp\n";
        return d + "\n";
    }

    std::string keyMap() {
        if (s_.without & 1) return {};
        return "[KeyMapTable]\nRow1= 1, 2, 3\nRow3= a, 0x2C, " + hz(400) + ", 0x4\n\n";
    }

    std::string rules() {
        if (s_.without & 2) return {};
        const char* code = s_.style == 1 ? "1" : "0";
        return std::string("[Rules]\npe2=f1") + code + "+f2" + code + "\nPA4=F1" + code + "+B1" +
               code + "+F2" + code + "\n\n";
    }

    std::string help() {
        if (s_.without & 4) return {};
        return "[Help]\nType the codes.\n// kept as help\n\nA line ending in CR\r\r\n  indented " +
               hz(500) + "\n";
    }

    std::string code() {
        std::string c;
        const int longest = exportable_ ? std::max(s_.maxCodes - 1, 1) : s_.maxCodes;
        const int length = 1 + below(longest);
        const std::string used = s_.usedCodes;
        for (int i = 0; i < length; ++i)
            c += used[static_cast<std::size_t>(below(static_cast<int>(used.size())))];
        return c;
    }

    // A character of the set, by index; GBK positions whose trail byte is 0x7F move on,
    // past the last index to the first.
    std::string hz(int index) {
        char bytes[3] = {};
        while (indexToChar(s_.charSet, static_cast<unsigned>(index), bytes, sizeof bytes) != 2 ||
               !startsWithDoubleByteChar(s_.charSet, bytes, 2) ||
               (exportable_ && utf8_.toUtf8(bytes).empty())) {
            index = (index + 1) % indexCount(s_.charSet);
        }
        return bytes;
    }

    // Characters with one to three codes; in style 2 codes gather characters.
    std::string text() {
        std::string t = "[Text]\n";
        std::set<std::pair<std::string, int>> used;
        const int count = indexCount(s_.charSet) - 256;
        for (int n = 0; n < 150; ++n) {
            const int index = 256 + below(count - 1);
            for (int k = below(3); k >= 0; --k) {
                const std::string c = code();
                if (!used.insert({c, index}).second) continue;
                t += c + (below(2) ? " " : "") + hz(index) + "\n";
            }
        }
        return t;
    }

    Shape s_;
    bool exportable_;
    CharSetConverter utf8_;
    std::mt19937 random_;
};

std::string picture(int width, int height, unsigned seed) {
    test_support::BmpShape shape;
    shape.width = width;
    shape.height = height;
    shape.colourAt = [seed](int x, int y) { return ((x * 7 + y * 13 + seed) % 5 == 0) ? 0 : 15; };
    return test_support::makeBmp(shape);
}

// src.txt and the pictures it names.
void writeSource(const ScratchDir& dir, const Shape& s, bool exportable = false) {
    writeFile(dir / "src.txt", SourceMaker(s, exportable).source());
    const bool wide = s.charSet == kChineseBIG5;
    writeFile(dir / "kbd.bmp", picture(wide ? 156 : 154, wide ? 53 : 54, 1));
    writeFile(dir / "kbdHDD.bmp", picture(wide ? 312 : 308, wide ? 106 : 108, 2));
}

class RoundTrip : public ::testing::TestWithParam<Shape> {};

TEST_P(RoundTrip, TheSourceWrittenBackCompilesToTheSameDatabase) {
    const Shape& s = GetParam();
    ScratchDir dir;
    writeSource(dir, s);

    const RunResult compiled = runTool(MABREL_PATH, {"src.txt", "first.pdb"}, dir.path());
    ASSERT_EQ(compiled.status, 0) << compiled.output;
    fs::create_directory(dir / "back");
    const RunResult back = runTool(MABREL_PATH, {"first.pdb", "back/Source.TXT"}, dir.path());
    ASSERT_EQ(back.status, 0) << back.output;
    EXPECT_EQ(back.output.find("Message 404"), std::string::npos) << back.output;
    EXPECT_TRUE(back.output.ends_with("\r \r\nConvert OK.\n")) << back.output;
    EXPECT_EQ(fs::exists(dir / "back" / "Source.bmp"), s.pictures > 0);
    EXPECT_EQ(fs::exists(dir / "back" / "SourceHDD.bmp"), s.pictures > 1);

    // The database holds what the shape asks for, repeated characters included.
    const std::string first = readFile(dir / "first.pdb");
    for (const auto& [type, wanted] : std::map<std::string, bool>{{"RT12", true},
                                                                  {"RT13", !(s.without & 1)},
                                                                  {"RT14", !(s.without & 2)},
                                                                  {"tSTR", !(s.without & 4)},
                                                                  {"RT21", s.pictures > 0},
                                                                  {"RT52", true}}) {
        EXPECT_EQ(first.find(type) < 78 + 10 * 13, wanted) << type;
    }

    const RunResult again = runTool(MABREL_PATH, {"Source.TXT", "again.pdb"}, dir / "back");
    ASSERT_EQ(again.status, 0) << again.output;
    EXPECT_TRUE(maskDates(readFile(dir / "first.pdb")) ==
                maskDates(readFile(dir / "back" / "again.pdb")));
}

// The code-table bodies of a database ("RT3x" to "RT5x"), by type.
std::map<std::string, std::string> codeTables(const std::string& database) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(database.data());
    const std::size_t count = getU16BE(bytes + 76);
    std::map<std::string, std::string> tables;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 78 + 10 * i;
        const std::size_t begin = getU32BE(bytes + entry + 6);
        const std::size_t end = i + 1 < count ? getU32BE(bytes + entry + 16) : database.size();
        const std::string type = database.substr(entry, 4);
        if (type >= "RT3" && type < "RT6") tables[type] = database.substr(begin, end - begin);
    }
    return tables;
}

// What no format says (the coding style, NoSort, the order of the keys and
// MaxCodes beyond the longest code) comes back too.
TEST_P(RoundTrip, EveryExportImportsBackToTheSameCodeTables) {
    const Shape& s = GetParam();
    ScratchDir dir;
    writeSource(dir, s, true);
    ASSERT_EQ(runTool(MABREL_PATH, {"src.txt", "first.pdb"}, dir.path()).status, 0);
    const auto expected = codeTables(readFile(dir / "first.pdb"));
    for (const char* format : {"rime", "fcitx5", "fcitx", "cin", "ibus"}) {
        const std::string table = std::string("out.") + format + ".dict.yaml";
        const RunResult exported =
            runTool(MABREL_PATH, {std::string("/e") + format, "first.pdb", table}, dir.path());
        ASSERT_EQ(exported.status, 0) << format << ":\n" << exported.output;
        const std::string again = std::string(format) + ".pdb";
        const RunResult imported = runTool(
            MABREL_PATH, {std::string("/i") + charSetName(s.charSet), table, again}, dir.path());
        ASSERT_EQ(imported.status, 0) << format << ":\n" << imported.output;
        EXPECT_TRUE(codeTables(readFile(dir / again)) == expected) << format;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, RoundTrip,
    ::testing::Values(
        Shape{"gb_style1_depth2", kChineseGB, 1, 0, 2, 0, 4, "abcdefghijklmnopqrstuvwxyz", 2, 2},
        Shape{"gb_style2", kChineseGB, 2, 1, 0, 0, 7, "12345:abcdefghijklmnopqrstuvwxyz", 1, 0},
        Shape{"gbk_style1_depth1_nosort", kChineseGBK, 1, 0, 1, 1, 5, "abcdefghij,klm", 0, 5},
        Shape{"gbk_style2", kChineseGBK, 2, 2, 0, 0, 6, "abcdefghijklmnopqrstuvwxyz;", 2, 1},
        Shape{"big5_style1_depth0", kChineseBIG5, 1, 0, 0, 0, 3, "abcdefghijklmnopqrstuvwxyz", 2,
              0},
        Shape{"big5_style2", kChineseBIG5, 2, 0, 0, 0, 12, "abcdefgh,", 0, 6},
        Shape{"jis_style1_nosort", kJapaneseJIS, 1, 0, 2, 1, 6, "aiueokstnhmyrw", 1, 3},
        Shape{"jis_style2", kJapaneseJIS, 2, 0, 0, 0, 8, "aiueokstnhmyrwgzdbp-", 0, 4},
        Shape{"sjis_style1", kJapaneseSJIS, 1, 0, 1, 0, 2, "0123456789.", 2, 0},
        Shape{"sjis_style2", kJapaneseSJIS, 2, 1, 0, 0, 5, "aiueo,", 1, 7},
        Shape{"ksc_style1", kKoreanKSC, 1, 0, 2, 0, 12, "abc", 0, 2},
        Shape{"ksc_style2", kKoreanKSC, 2, 0, 0, 0, 9, "qwertyuiopasdfghjkl", 2, 1}),
    [](const ::testing::TestParamInfo<Shape>& info) { return std::string(info.param.name); });

// The pictures' names are the file system's bytes, with /u or without (a
// name that is not UTF-8 cannot stand in a UTF-8 source); a picture of a
// size no source gives is not written back.
TEST(Pictures, NamesAsBytesAndOnlySizesASourceGives) {
    ScratchDir dir;
    for (const char* name : {"pinyin.txt", "pinyin.bmp", "pinyinHDD.bmp"})
        fs::copy(fs::path(EXAMPLES_DIR) / name, dir / name);
    ASSERT_EQ(runTool(MABREL_PATH, {"pinyin.txt", "db.pdb"}, dir.path()).status, 0);
    const std::tuple<bool, std::string, bool> cases[] = {
        {true, "键盘", true}, {false, "é", true}, {true, "\xE9", false}};
    for (const auto& [utf8, stem, readsBack] : cases) {
        std::vector<std::string> args = {"db.pdb", stem + ".txt"};
        if (utf8) args.insert(args.begin(), "/u");
        const RunResult back = runTool(MABREL_PATH, args, dir.path());
        EXPECT_EQ(back.status, 0) << back.output;
        EXPECT_EQ(back.output.find("Resource \"RT21\"") == std::string::npos, readsBack);
        EXPECT_NE(readFile(dir / args.back()).find("\nKeyboardBitmap=" + stem + ".bmp\n"),
                  std::string::npos);
        if (!readsBack) continue;
        ASSERT_EQ(runTool(MABREL_PATH, {args.back(), "again.pdb"}, dir.path()).status, 0);
        EXPECT_TRUE(maskDates(readFile(dir / "again.pdb")) == maskDates(readFile(dir / "db.pdb")));
    }
    // 155 x 54 takes the bytes of 154 x 54: the database stays consistent.
    std::string odd = readFile(dir / "db.pdb");
    odd[getU32BE(reinterpret_cast<const uint8_t*>(odd.data()) + odd.find("RT21") + 6) + 1] =
        static_cast<char>(155);
    writeFile(dir / "odd.pdb", odd);
    const RunResult back = runTool(MABREL_PATH, {"odd.pdb", "odd.txt"}, dir.path());
    EXPECT_EQ(back.status, 0);
    EXPECT_NE(back.output.find("Message 404 : Resource \"RT21\""), std::string::npos);
    EXPECT_EQ(back.output.find("RT11"), std::string::npos);
    EXPECT_EQ(readFile(dir / "odd.txt").find("KeyboardBitmap"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "odd.bmp") || fs::exists(dir / "oddHDD.bmp"));
}

}  // namespace
