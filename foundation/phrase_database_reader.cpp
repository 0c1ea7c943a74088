#include "foundation/phrase_database_reader.h"

#include "foundation/common_messages.h"

int readPhraseDatabase(const std::vector<uint8_t>& image, const char* name, PhraseDatabase& db) {
    DatabaseFile file;
    if (int rc = readPhraseContainer(image, name, file)) return rc;
    return readPhrases(file, name, db);
}

int readPhraseContainer(const std::vector<uint8_t>& image, const char* name, DatabaseFile& file) {
    return readDatabaseContainer(image, name, kPhraseDatabaseType, kNotPhraseDatabase,
                                 BodyEnd::kEndOfFile, file);
}

int readPhrases(const DatabaseFile& file, const char* name, PhraseDatabase& db) {
    switch (decodePhraseDatabase(file, db)) {
        case PhraseDecoding::kDecoded:
            return 0;
        case PhraseDecoding::kNoHead:
            return report(kNotPhraseDatabase, name);
        case PhraseDecoding::kOtherVersion:
            return report(kVersionError, name);
        case PhraseDecoding::kDamaged:
            break;
    }
    return report(kDatabaseDamaged, name);
}
