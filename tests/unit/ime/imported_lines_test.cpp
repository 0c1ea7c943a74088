// What an import fills is what its source says: the source written from an
// imported record, read back by the [Text] parser, gives the same codes,
// characters and lines, so that a compile of the record reports the lines
// of the text.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "foundation/desktop_tables/table_reader.h"
#include "ime/compile_driver.h"
#include "ime/import/input_method_from_table.h"
#include "ime/source/ime_source_writer.h"
#include "tests/unit/ime/front_test_support.h"

namespace {

using namespace front_test;

// A .cin table whose codes repeat in runs, some longer than a line holds.
std::string generatedTable(std::mt19937& random) {
    // Sixty characters of GB 2312, three bytes each in UTF-8.
    static const std::string kCharacters =
        "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下"
        "过子说产种面而方后多定行学法所";
    std::string table = "%gen_inp\n%ename Gen\n%chardef begin\n";
    for (int run = 1 + static_cast<int>(random() % 40); run > 0; --run) {
        std::string code(1 + random() % 4, 'a');
        for (char& c : code) c = static_cast<char>('a' + random() % 3);
        for (int k = 1 + static_cast<int>(random() % 30); k > 0; --k) {
            table += code + " " + kCharacters.substr(3 * (random() % 60), 3) + "\n";
        }
    }
    return table + "%chardef end\n";
}

TEST(ImportedLines, TheWrittenSourceReadsBackAsTheRecord) {
    useMabrelMessages();
    std::mt19937 random(20261209);
    for (int trial = 0; trial < 30; ++trial) {
        TempDir dir;
        WorkingDir inDir(dir.path());
        writeFile("gen.cin", generatedTable(random));
        DesktopTable table;
        bool recognised = false;
        ImportedTable imported;
        CMabrel compiled;
        const PassRun run = runCaptured([&] {
            if (int rc = readInputMethodTable("gen.cin", {kKeyTable}, table, recognised)) return rc;
            inputMethodFromTable(table, kChineseGB, "gen.cin", imported);
            writeFile("gen.txt", writeImeSource(imported.method, {}, TextEncoding::kUtf8, nullptr,
                                                SourceForm::kImport));
            return readSourceFile(compiled, "gen.txt");
        });
        ASSERT_EQ(run.rc, 0) << run.output;
        const InputMethod& given = imported.method;
        const InputMethod& read = compiled.im;
        ASSERT_EQ(read.entries.size(), given.entries.size()) << trial;
        for (std::size_t e = 0; e < given.entries.size(); ++e) {
            EXPECT_EQ(read.codes[read.entries[e].code], given.codes[given.entries[e].code]);
            EXPECT_EQ(read.entries[e].character, given.entries[e].character) << trial;
            EXPECT_EQ(read.entries[e].line, given.entries[e].line) << trial << " " << e;
        }
    }
}

// Codes over seventy keys: the first 63 in byte order are UsedCodes, and a
// single character whose code holds another is left out before the pairs
// and the CharSet's count of characters are taken.
TEST(ImportedLines, KeysBeyondUsedCodesLeaveTheirCharactersOut) {
    useMabrelMessages();
    std::mt19937 random(20261210);
    const std::string characters = "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出";
    for (int trial = 0; trial < 20; ++trial) {
        std::string text = "%gen_inp\n%ename Gen\n%chardef begin\n";
        std::vector<std::pair<std::string, std::string>> lines;
        std::set<char> keys;
        for (int k = 40 + static_cast<int>(random() % 200); k > 0; --k) {
            std::string code(1, static_cast<char>('a' + random() % 26));
            for (int n = static_cast<int>(random() % 4); n > 0; --n) {
                code += static_cast<char>(0x21 + random() % 70);
            }
            keys.insert(code.begin(), code.end());
            lines.emplace_back(code, characters.substr(3 * (random() % 30), 3));
            text += code + " " + lines.back().second + "\n";
        }
        const std::string used = std::string(keys.begin(), keys.end()).substr(0, 63);
        int beyond = 0;
        std::set<std::string> kept;
        for (const auto& [code, character] : lines) {
            const bool inKeys = code.find_first_not_of(used) == std::string::npos;
            beyond += !inKeys;
            if (inKeys) kept.insert(character);
        }
        TempDir dir;
        WorkingDir inDir(dir.path());
        writeFile("gen.cin", text + "%chardef end\n");
        DesktopTable table;
        bool recognised = false;
        ImportedTable imported;
        const PassRun run = runCaptured([&] {
            if (int rc = readInputMethodTable("gen.cin", {kKeyTable}, table, recognised)) return rc;
            takeTablePairs(table, kChineseGB, imported);
            return 0;
        });
        ASSERT_EQ(run.rc, 0) << run.output;
        EXPECT_EQ(imported.method.usedCodes, used) << trial;
        EXPECT_EQ(imported.counts.keyBeyond, beyond) << trial;
        const std::string count = std::to_string(kept.size());
        EXPECT_NE(run.output.find(": " + count + " of " + count + " characters"), std::string::npos)
            << run.output;
    }
}

}  // namespace
