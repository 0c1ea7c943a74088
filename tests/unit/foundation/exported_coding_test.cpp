// The coding line of an export: read back as written, and only where it
// stands whole among the comments that open a table.
#include "foundation/desktop_tables/exported_coding.h"

#include <gtest/gtest.h>

TEST(ExportedCoding, ReadsBackWhatIsWrittenAndNothingElse) {
    const ExportedCoding two{2, 1, 2, false, 12, "a;#,"};
    const ExportedCoding one{1, 0, 0, true, 5, "zyx"};
    const std::string line = "; " + exportedCodingText(two) + "\r\n";
    const struct {
        std::string table;
        int style;
    } cases[] = {
        {line + "KeyCode=abc\n", 2},
        {"### " + exportedCodingText(one) + "\n", 1},
        {"\n# Left out:\n" + line, 2},
        {"KeyCode=abc\n" + line, 0},  // past the opening comments
        {"# Mabrel coding: CodingStyle=3 MaxCodes=5 UsedCodes=abc\n", 0},
        {"# Mabrel coding: CodingStyle=1 MaxCodes=13 UsedCodes=abc\n", 0},
        {"# Mabrel coding: CodingStyle=1 MaxCodes=5 UsedCodes=abc Rules=1\n", 0},
        {"# Mabrel coding: CodingStyle=1 MaxCodes=5\n", 0},
    };
    for (const auto& c : cases) {
        const ExportedCoding read = exportedCodingOf(c.table);
        EXPECT_EQ(read.style, c.style) << c.table;
        if (c.style == 0) continue;
        EXPECT_EQ(exportedCodingText(read), exportedCodingText(c.style == 1 ? one : two))
            << c.table;
    }
}
