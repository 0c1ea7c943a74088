#include "foundation/input_file.h"

#include <sys/stat.h>

#include <algorithm>

#include "foundation/common_messages.h"
#include "foundation/huge_pages.h"

namespace {

// Appends up to `count` bytes of `file` to `bytes`, a chunk at a time, so
// that room reserved for them is written once, by the copies, instead of
// being cleared first.
template <class Bytes>
void appendUpTo(std::FILE* file, std::size_t count, Bytes& bytes) {
    char chunk[1 << 16];
    const std::size_t end = bytes.size() + count;
    std::size_t got = 0;
    while (bytes.size() < end &&
           (got = std::fread(chunk, 1, std::min(sizeof chunk, end - bytes.size()), file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
}

// Appends the rest of `file` to `bytes` while they hold at most `limit`
// bytes; of a longer file one byte beyond is read, and not kept.
template <class Bytes>
FileRead readBounded(std::FILE* file, std::size_t limit, Bytes& bytes) {
    if (bytes.size() < limit) appendUpTo(file, limit - bytes.size(), bytes);
    char beyond = 0;
    if (bytes.size() == limit && std::fread(&beyond, 1, 1, file) == 1) return FileRead::kTooLarge;
    return std::ferror(file) ? FileRead::kCannotRead : FileRead::kRead;
}

template <class Bytes>
FileRead readAll(const char* name, Bytes& bytes) {
    FileHandle file = openInputFile(name);
    if (!file) return FileRead::kCannotOpen;
    bytes.clear();
    struct stat status {};
    if (fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode)) {
        if (static_cast<uint64_t>(status.st_size) > kMaxInputFileBytes) return FileRead::kTooLarge;
        const auto size = static_cast<std::size_t>(status.st_size);
        reserveHugePages(bytes, size);
        appendUpTo(file.get(), size, bytes);
        // A file that shrank since is read as it is; one that grew, on to the bound.
        if (bytes.size() < size) {
            return std::ferror(file.get()) ? FileRead::kCannotRead : FileRead::kRead;
        }
    }
    return readBounded(file.get(), kMaxInputFileBytes, bytes);
}

template <class Bytes>
int reportRead(const char* name, Bytes& bytes, const Message& readError) {
    switch (readWholeFile(name, bytes)) {
        case FileRead::kRead:
            return 0;
        case FileRead::kCannotOpen:
            return report(kOpenFileFail, name);
        case FileRead::kCannotRead:
            return report(readError, name);
        case FileRead::kTooLarge:
            break;
    }
    return report(kReadFileError, name);
}

}  // namespace

FileHandle openInputFile(const char* name) {
    FileHandle file(std::fopen(name, "rb"));
    struct stat status {};
    if (file && fstat(fileno(file.get()), &status) == 0 && S_ISDIR(status.st_mode)) file.reset();
    return file;
}

FileRead readRest(std::FILE* file, std::size_t limit, std::vector<uint8_t>& bytes) {
    return readBounded(file, limit, bytes);
}

FileRead readWholeFile(const char* name, std::string& bytes) {
    return readAll(name, bytes);
}

FileRead readWholeFile(const char* name, std::vector<uint8_t>& bytes) {
    return readAll(name, bytes);
}

int readInputFile(const char* name, std::string& bytes, const Message& readError) {
    return reportRead(name, bytes, readError);
}

int readInputFile(const char* name, std::vector<uint8_t>& bytes, const Message& readError) {
    return reportRead(name, bytes, readError);
}
