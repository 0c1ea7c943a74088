#include "phrase/import/phrase_list_compile.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "phrase/import/imported_words_fit.h"
#include "phrase/messages.h"
#include "phrase/phrase_database_writer.h"

int compileImportedWords(ImportedWords& words, CompiledPhrases& compiled) {
    useToskerMessages();
    const auto tosker = std::make_unique<CTosker>();
    if (int rc = fitImportedWords(words, *tosker, compiled.fitting, compiled.leftOut)) return rc;
    std::vector<uint8_t> image;
    if (int rc = datedPhraseDatabaseImage(*tosker, image)) return rc;
    compiled.database.assign(image.begin(), image.end());
    compiled.phraseCount = static_cast<int>(tosker->database.phrases.size());
    if (compiled.leftAnyOut()) compiled.leftOut.characters = std::move(tosker->database.characters);
    reportRepeatedWarnings();
    return 0;
}
