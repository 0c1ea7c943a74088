// Writes the database image of ime_database_image.h to its file. Every write
// and the closing are checked: a database that was not written whole is
// removed and reported (102), so a failed compile leaves no file behind.
#include "ime/ime_database_writer.h"

#include <cstdio>

#include "foundation/database_date.h"
#include "foundation/file_handle.h"
#include "ime/ime_database_image.h"
#include "ime/messages.h"

int writeImeDatabase(CMabrel& mabrel, const char* path) {
    const ChosenDatabaseDate date = chooseDatabaseDate();
    if (date.epochUnusable) report(kUnusableEpoch);

    FileHandle file(std::fopen(path, "wb"));
    if (!file) return report(kCreateFileFail, path);

    const std::vector<uint8_t> image = imeDatabaseImage(mabrel, date.date);
    const bool written = std::fwrite(image.data(), 1, image.size(), file.get()) == image.size();
    const bool closed = std::fclose(file.release()) == 0;
    if (written && closed) return 0;
    std::remove(path);
    return report(kWriteFileError, path);
}
