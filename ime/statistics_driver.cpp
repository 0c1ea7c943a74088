#include "ime/statistics_driver.h"

#include <optional>

#include "foundation/character_weights.h"
#include "foundation/memory_guard.h"
#include "foundation/report_page.h"
#include "foundation/standard_output.h"
#include "foundation/statistics_text.h"
#include "foundation/text_helpers.h"
#include "ime/compile_driver.h"
#include "ime/database/input_method_database.h"
#include "ime/messages.h"
#include "ime/statistics/input_method_page.h"
#include "ime/statistics/input_method_statistics.h"
#include "ime/statistics/typing_figures.h"

namespace {

int readDatabaseFile(const char* name, InputMethod& im) {
    return readInputMethodDatabaseFile(name, im);
}

int show(CMabrel& mabrel, const char* fileName, const char* frequencies, const char* pageName) {
    InputMethod im;
    std::optional<std::vector<MessageCount>> messages;
    if (nameContains(fileName, ".PDB")) {
        if (int rc = readDatabaseFile(fileName, im)) return rc;
    } else {
        if (int rc = readSourceFile(mabrel, fileName)) return rc;
        im = std::move(mabrel.im);
        messages = messageCounts();
    }
    const std::vector<CodeCharacters> codes = codesOf(im);
    std::string weighted;
    std::optional<TypingFigures> typing;
    if (frequencies != nullptr) {
        FrequencySource source;
        if (int rc = readFrequencySource(frequencies, {kKeyTable}, source)) return rc;
        const CharSetWeights weights = charSetWeights(source, im.charSet);
        typing = typingFigures(codes, weights);
        weighted = weightedHeading(source, weights, im.charSet) + typingReport(*typing, im.charSet);
    }
    reportRepeatedWarnings();
    const InputMethodStatistics figures = inputMethodStatistics(im, codes);
    const std::string report =
        inputMethodReport(im, figures, fileName, messages ? &*messages : nullptr) + weighted;
    if (pageName != nullptr) {
        return writeReportPage(
            pageName, inputMethodPage(im, figures, typing ? &*typing : nullptr, report, fileName));
    }
    printReportLines(report);
    return 0;
}

}  // namespace

int showStatistics(CMabrel& mabrel, const char* fileName, const char* frequencies,
                   const char* pageName) {
    return finishStandardOutput(
        runWithMemoryGuard([&] { return show(mabrel, fileName, frequencies, pageName); }));
}
