#include "ime/ime_database_writer.h"

#include "foundation/database_date.h"
#include "foundation/output_file.h"
#include "ime/ime_database_image.h"
#include "ime/messages.h"

int writeImeDatabase(const CMabrel& mabrel, const char* path) {
    const ChosenDatabaseDate date = chooseDatabaseDate();
    if (date.epochUnusable) report(kUnusableEpoch);

    OutputFile file;
    if (int rc = file.open(path)) return rc;
    const std::vector<uint8_t> image = imeDatabaseImage(mabrel, date.date);
    return file.commit(image.data(), image.size());
}
