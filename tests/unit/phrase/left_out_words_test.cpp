#include "phrase/import/left_out_words.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/output_file.h"
#include "foundation/text_encoding.h"
#include "phrase/left_out_phrases.h"
#include "tests/support/files.h"

namespace {

using namespace test_support;

// Every character of every CharSet in words of 1 to 15, every other word
// left out: the list made a piece at a time is the one converted whole.
TEST(LeftOutWords, EachCharacterHasTheFormTheWholeListGivesIt) {
    for (const CharSetEntry& entry : kCharSetTable) {
        const CharacterBytes bytes(entry.id);
        LeftOutWords leftOut{entry.id, 6, {}, {}, 0, {}};
        std::string list;
        for (unsigned index = 0; index < bytes.count();) {
            const auto length = static_cast<uint8_t>(1 + leftOut.words.size() % 15);
            std::string word;
            leftOut.starts.push_back(static_cast<uint32_t>(leftOut.characters.size()));
            for (uint8_t c = 0; c < length; ++c, ++index) {
                const auto character = static_cast<uint16_t>(index % bytes.count());
                leftOut.characters.push_back(character);
                bytes.append(character, word);
            }
            const bool forBlock = leftOut.words.size() % 4 == 1;
            const bool left = leftOut.words.size() % 2 == 1;
            leftOut.words.push_back(static_cast<uint8_t>(length |
                                                         (left ? LeftOutWords::kLeftOut : 0) |
                                                         (forBlock ? LeftOutWords::kForBlock : 0)));
            if (!left) continue;
            ++leftOut.count;
            list += std::to_string(5 + leftOut.words.size()) + "\t" + word + "\t" +
                    std::string(leftOutReason(forBlock)) + "\n";
        }
        ScratchDir dir;
        const std::string path = (dir / "list.txt").string();
        OutputFile file;
        ASSERT_EQ(file.open(path.c_str()), 0);
        ASSERT_EQ(file.write([&](OutputPieces& pieces) { writeLeftOutWords(leftOut, pieces); }), 0);
        ASSERT_EQ(file.install(), 0);
        CharSetConverter converter(entry.id);
        EXPECT_EQ(readFile(dir / "list.txt"), converter.textToUtf8(list)) << entry.name;
    }
}

}  // namespace
