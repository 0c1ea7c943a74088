#include "ime/statistics_driver.h"

#include <optional>

#include "foundation/character_weights.h"
#include "foundation/memory_guard.h"
#include "foundation/standard_output.h"
#include "foundation/statistics_text.h"
#include "foundation/text_helpers.h"
#include "ime/compile_driver.h"
#include "ime/database/input_method_database.h"
#include "ime/messages.h"
#include "ime/statistics/input_method_statistics.h"
#include "ime/statistics/typing_figures.h"

namespace {

int readDatabaseFile(const char* name, InputMethod& im) {
    return readInputMethodDatabaseFile(name, im);
}

int show(CMabrel& mabrel, const char* fileName, const char* frequencies) {
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
    if (frequencies != nullptr) {
        FrequencySource source;
        if (int rc = readFrequencySource(frequencies, {kKeyTable}, source)) return rc;
        const CharSetWeights weights = charSetWeights(source, im.charSet);
        weighted = weightedHeading(source, weights, im.charSet) +
                   typingReport(typingFigures(codes, weights), im.charSet);
    }
    reportRepeatedWarnings();
    printReportLines(inputMethodReport(im, inputMethodStatistics(im, codes), fileName,
                                       messages ? &*messages : nullptr) +
                     weighted);
    return 0;
}

}  // namespace

int showStatistics(CMabrel& mabrel, const char* fileName, const char* frequencies) {
    return finishStandardOutput(
        runWithMemoryGuard([&] { return show(mabrel, fileName, frequencies); }));
}
