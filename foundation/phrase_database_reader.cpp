#include "foundation/phrase_database_reader.h"

#include "foundation/common_messages.h"
#include "foundation/database_input.h"

int readPhraseDatabase(const std::vector<uint8_t>& image, const char* name, PhraseDatabase& db) {
    DatabaseFile file;
    if (int rc = readPhraseContainer(image, name, file)) return rc;
    return readPhrases(file, name, db);
}

int readPhraseDatabaseFile(const char* name, PhraseDatabase& db) {
    std::vector<uint8_t> image;
    if (int rc = readPhraseDatabaseImage(name, image)) return rc;
    return readPhraseDatabase(image, name, db);
}

int readPhraseDatabaseImage(const char* name, std::vector<uint8_t>& image) {
    return readDatabaseImage(name, kPhraseDatabaseType, kNotPhraseDatabase,
                             largestPhraseDatabaseBytes(), image);
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
