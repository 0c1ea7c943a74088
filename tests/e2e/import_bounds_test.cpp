// The bounds of an import, one shell script a case: devices and files past
// the reader's bound, the header's bound, the limits of import_tables, the
// files an import reads kept from its outputs, a rule too long to write.
#include <gtest/gtest.h>

#include "tests/e2e/run_tool.h"

namespace {

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
        {"ln -sf /dev/zero mini_extra.dict.yaml; $M /i mini.dict.yaml x.txt; echo rc=$?",
         "Read file \"mini_extra.dict.yaml\" error\nrc=101\n"},
        {"ln -sf /dev/zero essay.txt; $T /i mini.dict.yaml x.txt; echo rc=$?",
         "Read file \"essay.txt\" error\nrc=101\n"},
        {header + "h 1048574 | tail -1; h 1048575 | tail -1; echo rc=${PIPESTATUS[0]}",
         "Convert OK.\nL3, [Table], Message 511: The YAML header of \"h.dict.yaml\" can't be read: "
         "the header is larger than 1 MiB\nrc=255\n"},
        {chain + "$M /i c1.dict.yaml x.txt | tail -1; $M /i c0.dict.yaml x.txt | tail -1; echo "
                 "rc=${PIPESTATUS[0]}",
         "Convert OK.\nL3, [Table], Message 509: \"c8.dict.yaml\" imports more tables than can be "
         "read\nrc=253\n"},
        {wide + "$M /i i254.dict.yaml x.txt | tail -1; $M /i i255.dict.yaml x.txt | tail -1; echo "
                "rc=${PIPESTATUS[0]}",
         "Convert OK.\nL3, [Table], Message 509: \"i255.dict.yaml\" imports more tables than can "
         "be "
         "read\nrc=253\n"},
        {"$M /i mini.dict.yaml essay.txt | tail -1; $T /i ./mini.dict.yaml ./essay.txt | tail -1",
         "L28, [Table], Message 105: Destination \"essay.txt\" is the source\nL30, [Table], "
         "Message "
         "105: Destination \"./essay.txt\" is the source\n"},
        {"printf -- '---\\nencoder:\\n  rules:\\n    - length_equal: 2\\n      formula: %s\\n...\\n"
         "中\\tz\\n' $(printf 'Aa%.0s' {1..42}) >r.dict.yaml; $M /i r.dict.yaml r.txt >/dev/null; "
         "$M r.txt r.pdb | tail -1",
         "Convert OK.\n"},
        {"printf '%%chardef begin\\na 中\\nb %0256d\\n%0256d 中\\n%%chardef end\\n' 0 0 >l.cin; "
         "$M /i l.cin l.txt | grep 'read\\|long'",
         "3 entries read\n2 left out: code or text too long\n"},
    };
    for (const auto& [script, tail] : cases) {
        ScratchDir dir;
        fs::copy(fs::path(TEST_DATA_DIR) / "import" / "rime", dir.path());
        const RunResult run = runTool("/bin/bash", {"-c", script}, dir.path(),
                                      {{"M", MABREL_PATH}, {"T", TOSKER_PATH}});
        std::string output;
        for (const char c : run.output) {
            if (c != '\a' && c != '\r') output += c;
        }
        while (output.find("\n ") != std::string::npos) output.erase(output.find("\n ") + 1, 1);
        EXPECT_TRUE(output.ends_with(tail)) << script << "\n" << output;
    }
}

}  // namespace
