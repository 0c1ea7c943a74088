#include "ime/ime_database_writer.h"

#include "foundation/output_file.h"
#include "ime/ime_database_image.h"

int writeImeDatabase(const CMabrel& mabrel, const char* path) {
    OutputFile file;
    if (int rc = file.open(path)) return rc;
    const std::vector<uint8_t> image = imeDatabaseImage(mabrel, currentDatabaseDate());
    return file.commit(image.data(), image.size());
}
