#include "phrase/import/phrase_list_compile.h"

#include <cstdint>
#include <memory>
#include <vector>

#include "phrase/import/imported_words_fit.h"
#include "phrase/left_out_phrases.h"
#include "phrase/messages.h"
#include "phrase/phrase_database_writer.h"

int encodeFittedPhrases(const CTosker& tosker, CompiledPhrases& compiled) {
    std::vector<uint8_t> image;
    if (int rc = datedPhraseDatabaseImage(tosker, image)) return rc;
    compiled.database.assign(image.begin(), image.end());
    if (!compiled.fitting.leftOut.empty()) {
        compiled.leftOut = leftOutPhrasesText(compiled.fitting, tosker);
    }
    compiled.phraseCount = static_cast<int>(tosker.database.phrases.size());
    return 0;
}

int compileImportedWords(ImportedWords& words, CompiledPhrases& compiled) {
    useToskerMessages();
    const auto tosker = std::make_unique<CTosker>();
    if (int rc = fitImportedWords(words, *tosker, compiled.fitting)) return rc;
    if (int rc = encodeFittedPhrases(*tosker, compiled)) return rc;
    reportRepeatedWarnings();
    return 0;
}
