#include "phrase/phrase_database_writer.h"

#include <vector>

#include "foundation/database_date.h"
#include "foundation/output_file.h"
#include "foundation/output_group.h"
#include "foundation/stale_list.h"
#include "phrase/messages.h"

namespace {

ChosenDatabaseDate databaseDate() {
    const ChosenDatabaseDate date = chooseDatabaseDate();
    if (date.epochUnusable) report(kUnusableEpoch);
    return date;
}

// The database's bytes; 906 when a block would pass its size.
int encodeDatabase(const CTosker& tosker, uint32_t date, std::vector<uint8_t>& image) {
    const int tooLarge = encodePhraseDatabase(tosker.database, date, image);
    if (tooLarge == kEveryBlockFits) return 0;
    char character[4];
    indexToChar(tosker.database.charSet, static_cast<unsigned>(blockFirstIndex(tooLarge)),
                character, sizeof character);
    return report(kBlockTooLarge, character);
}

}  // namespace

int writePhraseDatabase(const CTosker& tosker, const char* destinationName) {
    const ChosenDatabaseDate date = databaseDate();
    OutputFile out;
    if (int rc = out.open(destinationName)) return rc;
    std::vector<uint8_t> image;
    if (int rc = encodeDatabase(tosker, date.date, image)) return rc;
    return out.commit(image.data(), image.size());
}

int datedPhraseDatabaseImage(const CTosker& tosker, std::vector<uint8_t>& image) {
    return encodeDatabase(tosker, databaseDate().date, image);
}

int writePhraseDatabaseWith(const CTosker& tosker, const char* destinationName,
                            const std::string& otherName, const std::string& otherText) {
    std::vector<uint8_t> image;
    if (int rc = datedPhraseDatabaseImage(tosker, image)) return rc;
    OutputGroup group;
    group.add(destinationName, std::string(image.begin(), image.end()));
    addListOrTakeAway(group, otherName, otherText);
    return group.commit();
}
