#include "foundation/input_file.h"

#include <sys/stat.h>

#include "foundation/common_messages.h"

namespace {

template <class Bytes>
FileRead readAll(const char* name, Bytes& bytes) {
    FileHandle file = openInputFile(name);
    if (!file) return FileRead::kCannotOpen;
    bytes.clear();
    char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return std::ferror(file.get()) ? FileRead::kCannotRead : FileRead::kRead;
}

}  // namespace

FileHandle openInputFile(const char* name) {
    FileHandle file(std::fopen(name, "rb"));
    struct stat status {};
    if (file && fstat(fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode)) file.reset();
    return file;
}

FileRead readWholeFile(const char* name, std::string& bytes) {
    return readAll(name, bytes);
}

FileRead readWholeFile(const char* name, std::vector<uint8_t>& bytes) {
    return readAll(name, bytes);
}

int readWholeInputFile(const char* name, std::vector<uint8_t>& bytes) {
    const FileRead read = readWholeFile(name, bytes);
    if (read == FileRead::kCannotOpen) return report(kOpenFileFail, name);
    if (read == FileRead::kCannotRead) return report(kReadFileError, name);
    return 0;
}
