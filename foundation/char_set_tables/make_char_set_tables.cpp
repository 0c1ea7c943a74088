// Makes the CharSets' tables (char_set_tables.h) from the C library's
// conversions: every code point asked of each set, then every double-byte
// character read back. Run when the tools are built; writes the C++ source
// of the tables to the file it is given. Each answer asked for many code
// points at once is checked, for the basic plane, against the same code point
// asked alone.
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/char_set_tables.h"
#include "foundation/double_byte_character.h"
#include "foundation/text_encoding.h"

namespace {

// The double-byte character of every code point, 0 for none.
bool packedByPoint(CharSet charSet, std::vector<uint16_t>& packed) {
    CharSetConverter converter(charSet);
    packed.assign(0x110000, 0);
    constexpr char32_t kBatch = 0x10000;
    for (char32_t first = 0; first < 0x110000; first += kBatch) {
        std::vector<std::string> forms;
        std::vector<char32_t> points;
        for (char32_t point = first == 0 ? 0x80 : first; point < first + kBatch; ++point) {
            if (point >= 0xD800 && point < 0xE000) continue;
            std::string form;
            appendUtf8(point, form);
            forms.push_back(std::move(form));
            points.push_back(point);
        }
        const std::vector<std::string_view> views(forms.begin(), forms.end());
        std::vector<uint16_t> answers;
        converter.doubleBytesOf(views, answers);
        for (std::size_t i = 0; i < points.size(); ++i) {
            packed[points[i]] = answers[i];
            if (points[i] >= 0x10000) continue;
            const std::string alone = converter.fromUtf8Uncached(forms[i]);
            const uint16_t aloneAnswer =
                alone.size() == 2 ? DoubleByteCharacter::of(alone.data()).packed : 0;
            if (aloneAnswer != answers[i]) {
                std::fprintf(stderr, "make_char_set_tables: %s U+%04X: %04X asked alone, %04X\n",
                             charSetName(charSet), static_cast<unsigned>(points[i]), aloneAnswer,
                             answers[i]);
                return false;
            }
        }
    }
    return true;
}

// The code point each character index reads as and is written back as, 0
// for none (and for the single bytes).
std::vector<uint32_t> pointByIndex(CharSet charSet) {
    CharSetConverter converter(charSet);
    std::vector<uint32_t> points(static_cast<std::size_t>(indexCount(charSet)), 0);
    for (std::size_t index = 256; index < points.size(); ++index) {
        if (!isCharacterIndex(charSet, static_cast<unsigned>(index))) continue;
        char bytes[3] = {};
        if (indexToChar(charSet, static_cast<unsigned>(index), bytes, sizeof bytes) != 2) continue;
        const std::string utf8 = converter.toUtf8(std::string_view(bytes, 2));
        if (!utf8.empty()) points[index] = codePointOf(utf8, static_cast<int>(utf8.size()));
    }
    return points;
}

template <class Number>
void writeNumbers(std::string& out, const char* type, const std::string& name,
                  const std::vector<Number>& numbers) {
    out += "const " + std::string(type) + " " + name + "[] = {";
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        out += i % 16 == 0 ? "\n    " : " ";
        out += std::to_string(numbers[i]) + ",";
    }
    out += "\n};\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_char_set_tables OUTPUT.cpp\n");
        return 2;
    }
    std::string out =
        "// Made by make_char_set_tables from the C library's conversions: not to be edited.\n"
        "#include \"foundation/char_set_tables.h\"\n\nnamespace {\n\n";
    std::string tables;
    std::string cases;
    for (int set = 0; set < kCharSetCount; ++set) {
        const CharSet charSet = kCharSetTable[set].id;
        std::vector<uint16_t> packed;
        if (!packedByPoint(charSet, packed)) return 1;
        if (std::all_of(packed.begin(), packed.end(), [](uint16_t p) { return p == 0; })) {
            std::fprintf(stderr,
                         "make_char_set_tables: iconv writes no character in %s: are the "
                         "C library's conversion modules (gconv) installed?\n",
                         charSetName(charSet));
            return 1;
        }
        std::vector<uint16_t> pageOf(CharSetTable::kPages, 0);
        std::vector<uint16_t> pages;
        for (std::size_t page = 0; page < CharSetTable::kPages; ++page) {
            bool any = false;
            for (std::size_t k = 0; k < 256; ++k) any = any || packed[page * 256 + k] != 0;
            if (!any) continue;
            pageOf[page] = static_cast<uint16_t>(pages.size() / 256 + 1);
            pages.insert(pages.end(), packed.begin() + static_cast<std::ptrdiff_t>(page * 256),
                         packed.begin() + static_cast<std::ptrdiff_t>(page * 256 + 256));
        }
        const std::vector<uint32_t> points = pointByIndex(charSet);
        const std::string n = std::to_string(set);
        writeNumbers(out, "uint16_t", "kPageOf" + n, pageOf);
        writeNumbers(out, "uint16_t", "kPages" + n, pages);
        writeNumbers(out, "uint32_t", "kPointOf" + n, points);
        out += "\n";
        tables += "    {kPageOf" + n + ", kPages" + n + ", kPointOf" + n + ", " +
                  std::to_string(points.size()) + "},\n";
        cases += "        case " + std::to_string(charSet) + ":\n            return &kTables[" + n +
                 "];\n";
    }
    out += "const CharSetTable kTables[] = {\n" + tables + "};\n\n}  // namespace\n\n";
    out += "const CharSetTable* charSetTable(CharSet charSet) {\n    switch (charSet) {\n" + cases +
           "        default:\n            return nullptr;\n    }\n}\n";
    std::FILE* file = std::fopen(argv[1], "wb");
    if (file == nullptr || std::fwrite(out.data(), 1, out.size(), file) != out.size() ||
        std::fclose(file) != 0) {
        std::fprintf(stderr, "make_char_set_tables: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
