#include "ime/command_line.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/console_options.h"
#include "foundation/text_helpers.h"
#include "ime/compile_driver.h"
#include "ime/decompile_driver.h"
#include "ime/lookup/lookup_console.h"
#include "ime/messages.h"
#include "ime/sample_source.h"

namespace {

constexpr const char* kUsageLines[] = {
    "Usage: Mabrel [/?] [/CCharSet] [SourceFilename] [DestFilename]",
    "---------------------------------------------------------------",
    "Mabrel /?                     Display this message",
    "Mabrel /cChineseGB Dest.txt   Create input method text file exampler",
    "                              of ChineseGB, list DBCS",
    "Mabrel Source.txt  Dest.pdb   Convert Source.txt to Dest.pdb",
    "Mabrel Source.pdb  Dest.txt   Convert Source.pdb to Dest.txt",
    "Mabrel /u Source.pdb Dest.txt Convert Source.pdb to UTF-8 Dest.txt",
    "Mabrel /t Source.pdb          Look codes up, read from standard input",
    "---------------------------------------------------",
    "Note: The extension of filename must be (.TXT .PDB)",
    ".txt : Input method source text file",
    ".pdb : Input method PDB file",
    "CharSet must be one of (ChineseGB, ChineseGBK, ChineseBIG5,",
    "                        JapaneseJIS, JapaneseSJIS,",
    "                        KoreanKSC)",
};

void printUsage() {
    for (const char* line : kUsageLines) std::printf("%s\n", line);
}

int parameterError() {
    report(kParameterError);
    printUsage();
    return kUsageErrorStatus;
}

}  // namespace

int runMabrel(CMabrel& mabrel, int argc, const char* const* argv) {
    report(kMabrelBanner);
    if (argc == 0 || std::strstr(argv[0], "/?") != nullptr || asksForHelp(argc, argv)) {
        printUsage();
        return 0;
    }
    if (asksForVersion(argc, argv)) return 0;
    if (argc == 3 && upperCopy(argv[0]) == "/U") {
        if (nameContains(argv[1], ".PDB") && nameContains(argv[2], ".TXT")) {
            return decompileDatabase(mabrel, argv[1], argv[2], TextEncoding::kUtf8);
        }
        report(kInvalidFilename);
        return parameterError();
    }
    if ((argc == 2 || argc == 3) && upperCopy(argv[0]) == "/T") {
        if (nameContains(argv[1], ".PDB") && (argc == 2 || nameContains(argv[2], ".PDB"))) {
            return runLookupConsole(argv[1], argc == 3 ? argv[2] : nullptr);
        }
        report(kInvalidFilename);
        return parameterError();
    }
    if (argc != 2) return parameterError();

    const std::string first = upperCopy(argv[0]);
    if (first.size() > 2 && first.starts_with("/C")) {
        const int rc = runSampleCommand(argv[0] + 2, argv[1]);
        return rc == kSampleParameterError ? parameterError() : rc;
    }
    if (nameContains(argv[0], ".TXT") && nameContains(argv[1], ".PDB")) {
        return compileSource(mabrel, argv[0], argv[1]);
    }
    if (nameContains(argv[0], ".PDB") && nameContains(argv[1], ".TXT")) {
        return decompileDatabase(mabrel, argv[0], argv[1], TextEncoding::kCharSet);
    }
    report(kInvalidFilename);
    return parameterError();
}
