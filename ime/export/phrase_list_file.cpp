#include "ime/export/phrase_list_file.h"

#include <memory>

#include "phrase/messages.h"
#include "phrase/text_to_database.h"

int readPhraseListFile(const char* name, PhraseDatabase& db) {
    auto tosker = std::make_unique<CTosker>();
    useToskerMessages();
    const int rc = readPhraseList(*tosker, name, nullptr);
    db = std::move(tosker->database);
    return rc;
}
