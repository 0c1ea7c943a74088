#include "phrase/phrase_database_writer.h"

#include <vector>

#include "foundation/database_date.h"
#include "foundation/output_file.h"
#include "phrase/messages.h"

int writePhraseDatabase(const CTosker& tosker, const char* destinationName) {
    const ChosenDatabaseDate date = chooseDatabaseDate();
    if (date.epochUnusable) report(kUnusableEpoch);

    OutputFile out;
    if (int rc = out.open(destinationName)) return rc;

    std::vector<uint8_t> image;
    const int tooLarge = encodePhraseDatabase(tosker.database, date.date, image);
    if (tooLarge != kEveryBlockFits) {
        char character[4];
        indexToChar(tosker.database.charSet, static_cast<unsigned>(blockFirstIndex(tooLarge)),
                    character, sizeof character);
        return report(kBlockTooLarge, character);
    }
    return out.commit(image.data(), image.size());
}
