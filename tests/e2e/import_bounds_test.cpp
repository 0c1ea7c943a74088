// The bounds of an import in hostile surroundings, one shell script a case.
#include <gtest/gtest.h>

#include "tests/e2e/run_tool.h"

using namespace e2e;

TEST(ImportBounds, EveryRunEndsAsItShould) {
    const std::string chain =
        "for i in $(seq 0 9); do printf -- '---\\nimport_tables: [c%d]\\n...\\n'"
        " $((i + 1)) >c$i.dict.yaml; done; printf -- '---\\n...\\n中\\tz\\n' >c9.dict.yaml; ";
    const std::string wide =
        "for i in $(seq 255); do printf -- '---\\n...\\n' >w$i.dict.yaml; done; "
        "for n in 254 255; do printf -- '---\\nimport_tables: [%s]\\n...\\n中\\tz\\n' "
        "\"$(seq -s, -f 'w%g' $n)\" >i$n.dict.yaml; done; ";
    const std::string header =
        "h() { { echo ---; head -c $1 /dev/zero | tr '\\0' '#'; "
        "printf '\\n...\\n中\\tz\\n'; } >h.dict.yaml; $M /i h.dict.yaml x.txt; }; ";
    const std::pair<std::string, std::string> cases[] = {
        {"ln -sf /dev/zero essay.txt; $T /i mini.dict.yaml x.txt; echo rc=$?",
         "Read file \"essay.txt\" error\nrc=101\n"},
        {"printf '\\xff' >>essay.txt; $M /i mini.dict.yaml x.txt | tail -2",
         "L7, [Table], Message 908: Line is not UTF-8 text\nNote: the line is in \"essay.txt\"\n"},
        {header + "h 1048574 | tail -1; h 1048575 | tail -1; echo rc=${PIPESTATUS[0]}",
         "Convert OK.\nL3, [Table], Message 511: The YAML header of \"h.dict.yaml\" can't be read: "
         "the header is larger than 1 MiB\nrc=255\n"},
        {chain + "$M /i c1.dict.yaml x.txt | tail -1; $M /i c0.dict.yaml x.txt | tail -1",
         "Convert OK.\nL3, [Table], Message 509: \"c8.dict.yaml\" imports more tables than can be "
         "read\n"},
        {wide + "$M /i i254.dict.yaml x.txt | tail -1; $M /i i255.dict.yaml x.txt | tail -1; echo "
                "rc=${PIPESTATUS[0]}",
         "Convert OK.\nL3, [Table], Message 509: \"i255.dict.yaml\" imports more tables than can "
         "be "
         "read\nrc=253\n"},
        {"mkdir sub; printf -- '---\\nimport_tables: [./self, ././self, sub/../self, self]\\n...\\n"
         "中国\\tzg\\n' >self.dict.yaml; $T /i self.dict.yaml w.txt | grep read",
         "1 entry read\n"},
        {"$M /i mini.dict.yaml essay.txt | tail -1; $T /i ./mini.dict.yaml ./essay.txt | tail -1",
         "L28, [Table], Message 105: Destination \"essay.txt\" is the source\nL30, [Table], "
         "Message "
         "105: Destination \"./essay.txt\" is the source\n"},
        {"printf -- '---\\nencoder:\\n  rules:\\n    - length_equal: 2\\n      formula: %s\\n...\\n"
         "中\\tz\\n' $(printf 'Aa%.0s' {1..42}) >r.dict.yaml; $M /i r.dict.yaml r.txt | grep -c "
         "'at most 41 items'; $M r.txt r.pdb | tail -1",
         "1\nConvert OK.\n"},
        {"printf '%%chardef begin\\na 中\\nb %0256d\\n%0256d 中\\n%%chardef end\\n' 0 0 >l.cin; "
         "$M /i l.cin l.txt | grep 'read\\|long'",
         "3 entries read\n2 left out: code or text too long\n"},
    };
    for (const auto& [script, tail] : cases) {
        ScratchDir dir;
        fs::copy(fs::path(TEST_DATA_DIR) / "import" / "rime", dir.path());
        std::string output = runTool("/bin/bash", {"-c", script}, dir.path(),
                                     {{"M", MABREL_PATH}, {"T", TOSKER_PATH}})
                                 .output;
        std::erase_if(output, [](char c) { return c == '\a' || c == '\r'; });
        for (std::size_t at; (at = output.find("\n ")) != std::string::npos;)
            output.erase(at + 1, 1);
        EXPECT_TRUE(output.ends_with(tail)) << script << "\n" << output;
    }
}
