#include "phrase/command_line.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "foundation/console_options.h"
#include "foundation/desktop_tables/import_option.h"
#include "foundation/memory_guard.h"
#include "foundation/text_helpers.h"
#include "phrase/database_to_text.h"
#include "phrase/import/word_list_import.h"
#include "phrase/messages.h"
#include "phrase/text_to_database.h"

namespace {

constexpr const char* kUsageLines[] = {
    "Usage : Tosker [/?] [SourceFilename] [DestFilename]",
    "Tosker /?                     Display this message",
    "Tosker Source.txt  Dest.pdb   Convert Source.txt to Dest.pdb",
    "Tosker /f Source.txt Dest.pdb Convert, leaving out phrases that don't fit",
    "Tosker Source.pdb  Dest.txt   Convert Source.pdb to Dest.txt",
    "Tosker /u Source.pdb Dest.txt Convert Source.pdb to UTF-8 Dest.txt",
    "Tosker /i List Dest.txt       Convert a word list to Dest.txt",
    "Note: The extension of filename must be (.TXT .PDB)",
    ".txt : Phrase source text file",
    ".pdb : Phrase PDB file",
    "---------------------------------------------------",
    ".TXT format:",
    "[Description]",
    "CharSet=ChineseGB",
    "//ChineseGB, ChineseGBK, ChineseBIG5, JapaneseJIS, JapaneseSJIS, KoreanKSC",
    "MaxPhraseLength=2",
    "//If no this key, then include all phrase, else ",
    "//include phrase less then MaxPhraseLength number DBCS",
    "[Phrase]",
    "//one phrase a line",
};

void printUsage() {
    for (const char* line : kUsageLines) std::printf("%s\n", line);
}

int parameterError() {
    report(kParameterError);
    printUsage();
    return kUsageErrorStatus;
}

int invalidFilename() {
    report(kInvalidFilename);
    return parameterError();
}

// Two file names: a text and a database, in either order.
int convertPair(CTosker& tosker, const char* first, const char* second) {
    if (nameContains(first, ".TXT") && nameContains(second, ".PDB")) {
        return convertTextToDatabase(tosker, first, second);
    }
    if (nameContains(first, ".PDB") && nameContains(second, ".TXT")) {
        return convertDatabaseToText(tosker, first, second, PhraseText::kCharSet);
    }
    return invalidFilename();
}

// "/i" or "/iCharSet", a word list and a phrase list to write.
int importCommand(const char* option, const char* list, const char* destination) {
    CharSet charSet = 0;
    if (!importCharSet(option, charSet)) {
        report(kInvalidCharSetName, option + 2);
        return parameterError();
    }
    if (!nameContains(destination, ".TXT")) return invalidFilename();
    return runWithMemoryGuard([&] { return importWordList(charSet, list, destination); });
}

}  // namespace

int runTosker(CTosker& tosker, int argc, const char* const* argv) {
    report(kToskerBanner);
    if (argc == 0 || std::strstr(argv[0], "/?") != nullptr || asksForHelp(argc, argv)) {
        printUsage();
        return 0;
    }
    if (asksForVersion(argc, argv)) return 0;
    if (argc == 2) return convertPair(tosker, argv[0], argv[1]);
    if (argc == 3 && equalsIgnoringCase(argv[0], "/F")) {
        if (nameContains(argv[1], ".TXT") && nameContains(argv[2], ".PDB")) {
            return convertTextToDatabase(tosker, argv[1], argv[2], MisfitPhrases::kLeaveOut);
        }
        return invalidFilename();
    }
    if (argc == 3 && upperCopy(argv[0]).starts_with("/I")) {
        return importCommand(argv[0], argv[1], argv[2]);
    }
    if (argc == 3 && equalsIgnoringCase(argv[0], "/U")) {
        if (nameContains(argv[1], ".PDB") && nameContains(argv[2], ".TXT")) {
            return convertDatabaseToText(tosker, argv[1], argv[2], PhraseText::kUtf8);
        }
        return invalidFilename();
    }
    return parameterError();
}
