#include "ime/lookup/lookup_console.h"

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>

#include "foundation/memory_guard.h"
#include "foundation/phrase_database_reader.h"
#include "foundation/singular_counts.h"
#include "foundation/standard_output.h"
#include "ime/database/input_method_database.h"
#include "ime/lookup/console_input.h"
#include "ime/lookup/lookup_answers.h"
#include "ime/messages.h"

namespace {

constexpr char kPrompt[] = "> ";
constexpr char kCheckCount[] = "%d checks, %d failed\n";
// A check failed, or a line was too long to be checked.
constexpr int kUncheckedStatus = 1;

int readLookupPhrases(const char* name, CharSet charSet, PhraseDatabase& db) {
    if (int rc = readPhraseDatabaseFile(name, db)) return rc;
    const auto held = static_cast<uint32_t>(db.phrases.size());
    if (held != db.statedPhraseCount) {
        report(kPhraseCountDiffers, name, static_cast<int>(held),
               static_cast<int>(db.statedPhraseCount));
    }
    if (db.charSet != charSet) return report(kPhrasesOfAnotherCharSet, name);
    return 0;
}

// Answers every line of standard input; the status of the run. The first
// write that fails stops it (finishStandardOutput then reports it).
int answerLines(LookupAnswers& answers, const InputMethod& im) {
    LookupLineReader reader(im);
    const bool terminal = isatty(STDIN_FILENO) != 0;
    std::string line;
    std::string out;
    int lineNumber = 0;
    std::size_t bytesRead = 0;
    if (isOverInputBound(stdin)) return report(kReadFileError, kStandardInputName);
    for (;;) {
        if (terminal && !(writeStandardOutput(kPrompt) && std::fflush(stdout) == 0)) {
            return kWriteFileError.code;
        }
        const ConsoleRead read = readConsoleLine(stdin, line, bytesRead);
        if (read == ConsoleRead::kEnd) break;
        if (read == ConsoleRead::kError || read == ConsoleRead::kOverBound) {
            return report(kReadFileError, kStandardInputName);
        }
        ++lineNumber;
        answers.answer(lineNumber,
                       read == ConsoleRead::kTooLong ? LookupLine{LineKind::kTooLong, {}, {}}
                                                     : reader.read(line),
                       out);
        if (!writeStandardOutput(out)) return kWriteFileError.code;
        out.clear();
    }
    if (terminal) std::fputs("\n", stdout);
    if (answers.checks() > 0) {
        const int checks = answers.checks();
        const int failed = answers.failedChecks();
        std::printf(singularCountsFormatOf(kCheckCount, checks, failed).c_str(), checks, failed);
    }
    const bool unsound = answers.failedChecks() > 0 || answers.linesTooLong() > 0;
    return unsound ? kUncheckedStatus : 0;
}

int lookUp(const char* databaseName, const char* phraseName) {
    InputMethod im;
    if (int rc = readInputMethodDatabaseFile(databaseName, im)) return rc;
    std::optional<PhraseDatabase> phrases;
    if (phraseName != nullptr) {
        if (int rc = readLookupPhrases(phraseName, im.charSet, phrases.emplace())) return rc;
    }
    LookupAnswers answers(im, phrases ? &*phrases : nullptr);
    return answerLines(answers, im);
}

}  // namespace

int runLookupConsole(const char* databaseName, const char* phraseName) {
    return finishStandardOutput(
        runWithMemoryGuard([&] { return lookUp(databaseName, phraseName); }));
}
