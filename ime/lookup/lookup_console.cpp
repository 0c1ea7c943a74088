#include "ime/lookup/lookup_console.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "foundation/memory_guard.h"
#include "foundation/phrase_database_reader.h"
#include "ime/database/input_method_database.h"
#include "ime/lookup/lookup_answers.h"
#include "ime/messages.h"

namespace {

constexpr char kPrompt[] = "> ";
constexpr char kCheckCount[] = "%d checks, %d failed\n";
constexpr int kFailedChecksStatus = 1;

int readPhrases(const char* name, CharSet charSet, PhraseDatabase& db) {
    if (int rc = readPhraseDatabaseFile(name, db)) return rc;
    const auto held = static_cast<uint32_t>(db.phrases.size());
    if (held != db.statedPhraseCount) {
        report(kPhraseCountDiffers, name, static_cast<int>(held),
               static_cast<int>(db.statedPhraseCount));
    }
    if (db.charSet != charSet) return report(kPhrasesOfAnotherCharSet, name);
    return 0;
}

// The buffer that getline grows as lines come.
struct LineBuffer {
    char* data = nullptr;
    std::size_t capacity = 0;
    LineBuffer() = default;
    LineBuffer(const LineBuffer&) = delete;
    LineBuffer& operator=(const LineBuffer&) = delete;
    ~LineBuffer() { std::free(data); }
};

// Answers every line of standard input; the status of the run.
int answerLines(LookupAnswers& answers, const InputMethod& im) {
    LookupLineReader reader(im);
    const bool terminal = isatty(STDIN_FILENO) != 0;
    LineBuffer buffer;
    std::string out;
    int lineNumber = 0;
    for (;;) {
        if (terminal) {
            std::fputs(kPrompt, stdout);
            std::fflush(stdout);
        }
        const ssize_t length = getline(&buffer.data, &buffer.capacity, stdin);
        if (length < 0) break;
        std::string_view line(buffer.data, static_cast<std::size_t>(length));
        if (line.ends_with('\n')) line.remove_suffix(1);
        answers.answer(++lineNumber, reader.read(line), out);
        std::fwrite(out.data(), 1, out.size(), stdout);
        out.clear();
    }
    if (terminal) std::fputs("\n", stdout);
    if (answers.checks() > 0) {
        std::printf(kCheckCount, answers.checks(), answers.failedChecks());
    }
    return answers.failedChecks() > 0 ? kFailedChecksStatus : 0;
}

int lookUp(const char* databaseName, const char* phraseName) {
    InputMethod im;
    if (int rc = readInputMethodDatabaseFile(databaseName, im)) return rc;
    std::optional<PhraseDatabase> phrases;
    if (phraseName != nullptr) {
        if (int rc = readPhrases(phraseName, im.charSet, phrases.emplace())) return rc;
    }
    LookupAnswers answers(im, phrases ? &*phrases : nullptr);
    return answerLines(answers, im);
}

}  // namespace

int runLookupConsole(const char* databaseName, const char* phraseName) {
    return runWithMemoryGuard([&] { return lookUp(databaseName, phraseName); });
}
