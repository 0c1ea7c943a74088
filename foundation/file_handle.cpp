#include "foundation/file_handle.h"

#include <sys/stat.h>

FileHandle openInputFile(const char* name) {
    FileHandle file(std::fopen(name, "rb"));
    struct stat status {};
    if (file && fstat(fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode)) file.reset();
    return file;
}
