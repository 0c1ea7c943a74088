#include "ime/command_line.h"

#include <string>

#include "foundation/console_options.h"
#include "foundation/desktop_tables/import_option.h"
#include "foundation/memory_guard.h"
#include "foundation/report_page.h"
#include "foundation/text_helpers.h"
#include "ime/candidate_order.h"
#include "ime/compile_driver.h"
#include "ime/decompile_driver.h"
#include "ime/difference_driver.h"
#include "ime/export/export_driver.h"
#include "ime/import/import_to_database.h"
#include "ime/import/table_import.h"
#include "ime/keyboard_driver.h"
#include "ime/lookup/lookup_console.h"
#include "ime/messages.h"
#include "ime/source/sample_source.h"
#include "ime/statistics_driver.h"

namespace {

const ToolOpening kOpening{kMabrelBanner, mabrelUsage()};

// "/i" or "/iCharSet", a table and a source or (a name without ".TXT") a
// database to write.
int importCommand(CMabrel& mabrel, const char* option, const char* table, const char* destination) {
    CharSet charSet = 0;
    if (!importCharSet(option, charSet)) {
        report(kInvalidCharSetName, option + 2);
        return parameterError(kOpening);
    }
    if (nameContains(destination, ".TXT")) {
        return runWithMemoryGuard([&] { return importTable(charSet, table, destination); });
    }
    if (!nameContains(destination, ".PDB")) return invalidFilename(kOpening);
    return runWithMemoryGuard(
        [&] { return importTableToDatabase(mabrel, charSet, table, destination); });
}

// "/eFormat", an input method, its phrases when named, and the table to
// write.
int exportCommand(CMabrel& mabrel, int argc, const char* const* argv) {
    ExportFormat format{};
    if (!exportFormatNamed(argv[0] + 2, format)) {
        report(kInvalidFormat, argv[0] + 2);
        return parameterError(kOpening);
    }
    const char* destination = argv[argc - 1];
    if (format == ExportFormat::kRime && !isRimeDictionaryName(destination)) {
        return invalidFilename(kOpening);
    }
    return exportInputMethod(mabrel, format, argv[1], argc == 4 ? argv[2] : nullptr, destination);
}

}  // namespace

int runMabrel(CMabrel& mabrel, int argc, const char* const* argv) {
    if (openingAnswers(kOpening, argc, argv)) return 0;
    if (argc == 3 && upperCopy(argv[0]) == "/U") {
        if (nameContains(argv[1], ".PDB") && nameContains(argv[2], ".TXT")) {
            return decompileDatabase(argv[1], argv[2], TextEncoding::kUtf8);
        }
        return invalidFilename(kOpening);
    }
    if ((argc == 2 || argc == 3) && upperCopy(argv[0]) == "/T") {
        if (nameContains(argv[1], ".PDB") && (argc == 2 || nameContains(argv[2], ".PDB"))) {
            return runLookupConsole(argv[1], argc == 3 ? argv[2] : nullptr);
        }
        return invalidFilename(kOpening);
    }
    if (argc == 3 && upperCopy(argv[0]).starts_with("/I")) {
        return importCommand(mabrel, argv[0], argv[1], argv[2]);
    }
    if ((argc == 3 || argc == 4) && upperCopy(argv[0]).starts_with("/E")) {
        return exportCommand(mabrel, argc, argv);
    }
    if (argc == 3 && upperCopy(argv[0]) == "/F") {
        if (nameContains(argv[1], ".TXT") && nameContains(argv[2], ".PDB")) {
            return compileSource(mabrel, argv[1], argv[2], MisfitCodes::kLeaveOut);
        }
        return invalidFilename(kOpening);
    }
    if (argc >= 2 && argc <= 4 && upperCopy(argv[0]) == "/S") {
        const char* frequencies = nullptr;
        const char* page = nullptr;
        if (!statisticsNames(argc, argv, frequencies, page)) return parameterError(kOpening);
        if (nameContains(argv[1], ".PDB") || nameContains(argv[1], ".TXT")) {
            return showStatistics(mabrel, argv[1], frequencies, page);
        }
        return invalidFilename(kOpening);
    }
    if (argc == 3 && upperCopy(argv[0]) == "/D") {
        if ((nameContains(argv[1], ".PDB") || nameContains(argv[1], ".TXT")) &&
            (nameContains(argv[2], ".PDB") || nameContains(argv[2], ".TXT"))) {
            return showDifference(mabrel, argv[1], argv[2]);
        }
        return invalidFilename(kOpening);
    }
    if (argc == 4 && upperCopy(argv[0]) == "/O") {
        if (nameContains(argv[1], ".TXT") && nameContains(argv[3], ".TXT")) {
            return runWithMemoryGuard(
                [&] { return orderCandidates(mabrel, argv[1], argv[2], argv[3]); });
        }
        return invalidFilename(kOpening);
    }
    if (argc == 2 && upperCopy(argv[0]) == "/K") {
        if (nameContains(argv[1], ".TXT")) return drawSourcePictures(mabrel, argv[1]);
        return invalidFilename(kOpening);
    }
    if (argc != 2) return parameterError(kOpening);

    const std::string first = upperCopy(argv[0]);
    if (first.size() > 2 && first.starts_with("/C")) {
        const int rc = runSampleCommand(argv[0] + 2, argv[1]);
        return rc == kSampleParameterError ? parameterError(kOpening) : rc;
    }
    if (nameContains(argv[0], ".TXT") && nameContains(argv[1], ".PDB")) {
        return compileSource(mabrel, argv[0], argv[1]);
    }
    if (nameContains(argv[0], ".PDB") && nameContains(argv[1], ".TXT")) {
        return decompileDatabase(argv[0], argv[1], TextEncoding::kCharSet);
    }
    return invalidFilename(kOpening);
}
