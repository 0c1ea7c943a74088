#include "phrase/command_line.h"

#include <string>

#include "foundation/console_options.h"
#include "foundation/desktop_tables/import_option.h"
#include "foundation/memory_guard.h"
#include "foundation/report_page.h"
#include "foundation/text_helpers.h"
#include "phrase/database_to_text.h"
#include "phrase/difference_driver.h"
#include "phrase/import/word_list_import.h"
#include "phrase/import/word_list_to_database.h"
#include "phrase/messages.h"
#include "phrase/phrase_order.h"
#include "phrase/statistics_driver.h"
#include "phrase/text_to_database.h"
#include "phrase/user_phrase_merge.h"

namespace {

const ToolOpening kOpening{kToskerBanner, toskerUsage()};

// Two file names: a text and a database, in either order.
int convertPair(CTosker& tosker, const char* first, const char* second) {
    if (nameContains(first, ".TXT") && nameContains(second, ".PDB")) {
        return convertTextToDatabase(tosker, first, second);
    }
    if (nameContains(first, ".PDB") && nameContains(second, ".TXT")) {
        return convertDatabaseToText(tosker, first, second, PhraseText::kCharSet);
    }
    return invalidFilename(kOpening);
}

// "/i" or "/iCharSet", a word list and a phrase list or (a name without
// ".TXT") a phrase database to write.
int importCommand(const char* option, const char* list, const char* destination) {
    CharSet charSet = 0;
    if (!importCharSet(option, charSet)) {
        report(kInvalidCharSetName, option + 2);
        return parameterError(kOpening);
    }
    if (nameContains(destination, ".TXT")) {
        return runWithMemoryGuard([&] { return importWordList(charSet, list, destination); });
    }
    if (!nameContains(destination, ".PDB")) return invalidFilename(kOpening);
    return runWithMemoryGuard([&] { return importWordListToDatabase(charSet, list, destination); });
}

}  // namespace

int runTosker(CTosker& tosker, int argc, const char* const* argv) {
    if (openingAnswers(kOpening, argc, argv)) return 0;
    if (argc >= 2 && argc <= 4 && equalsIgnoringCase(argv[0], "/S")) {
        const char* frequencies = nullptr;
        const char* page = nullptr;
        if (!statisticsNames(argc, argv, frequencies, page)) return parameterError(kOpening);
        if (nameContains(argv[1], ".PDB") || nameContains(argv[1], ".TXT")) {
            return showStatistics(tosker, argv[1], frequencies, page);
        }
        return invalidFilename(kOpening);
    }
    if (argc == 2) return convertPair(tosker, argv[0], argv[1]);
    if (argc == 3 && equalsIgnoringCase(argv[0], "/F")) {
        if (nameContains(argv[1], ".TXT") && nameContains(argv[2], ".PDB")) {
            return convertTextToDatabase(tosker, argv[1], argv[2], MisfitPhrases::kLeaveOut);
        }
        return invalidFilename(kOpening);
    }
    if (argc == 4 && equalsIgnoringCase(argv[0], "/O")) {
        if (nameContains(argv[1], ".TXT") && nameContains(argv[3], ".TXT")) {
            return runWithMemoryGuard(
                [&] { return orderPhrases(tosker, argv[1], argv[2], argv[3]); });
        }
        return invalidFilename(kOpening);
    }
    if (argc == 3 && equalsIgnoringCase(argv[0], "/D")) {
        if ((nameContains(argv[1], ".PDB") || nameContains(argv[1], ".TXT")) &&
            (nameContains(argv[2], ".PDB") || nameContains(argv[2], ".TXT"))) {
            return showDifference(tosker, argv[1], argv[2]);
        }
        return invalidFilename(kOpening);
    }
    if (argc == 4 && equalsIgnoringCase(argv[0], "/M")) {
        if (nameContains(argv[1], ".TXT") && nameContains(argv[2], ".PDB") &&
            nameContains(argv[3], ".TXT")) {
            return runWithMemoryGuard(
                [&] { return addUserPhrases(tosker, argv[1], argv[2], argv[3]); });
        }
        return invalidFilename(kOpening);
    }
    if (argc == 3 && upperCopy(argv[0]).starts_with("/I")) {
        return importCommand(argv[0], argv[1], argv[2]);
    }
    if (argc == 3 && equalsIgnoringCase(argv[0], "/U")) {
        if (nameContains(argv[1], ".PDB") && nameContains(argv[2], ".TXT")) {
            return convertDatabaseToText(tosker, argv[1], argv[2], PhraseText::kUtf8);
        }
        return invalidFilename(kOpening);
    }
    return parameterError(kOpening);
}
