#include "foundation/database_input.h"

#include <sys/stat.h>

#include <cstring>

#include "foundation/common_messages.h"
#include "foundation/database_container.h"
#include "foundation/input_file.h"

namespace {

// Appends `count` bytes of `file` to `image`; false when fewer are there.
bool readExactly(std::FILE* file, std::size_t count, std::vector<uint8_t>& image) {
    const std::size_t start = image.size();
    image.resize(start + count);
    const std::size_t got = std::fread(image.data() + start, 1, count, file);
    image.resize(start + got);
    return got == count;
}

}  // namespace

int readDatabaseImage(const char* name, const char* type, const Message& notThisType,
                      std::size_t largest, std::vector<uint8_t>& image) {
    image.clear();
    FileHandle file = openInputFile(name);
    if (!file) return report(kOpenFileFail, name);
    DatabaseHeader header{};
    if (!readExactly(file.get(), kDatabaseHeaderSize, image) ||
        !decodeDatabaseHeader(image.data(), image.size(), header)) {
        return report(kReadFileError, name);
    }
    if (std::memcmp(header.type, type, 4) != 0 || std::memcmp(header.creator, kCreator, 4) != 0) {
        return report(notThisType, name);
    }
    const int count = header.resourceCount;
    if (count == 0 || count > kMaxDirectoryEntries ||
        !readExactly(file.get(), std::size_t{kResourceEntrySize} * count, image)) {
        return report(kTooManyResources);
    }
    struct stat status {};
    if (fstat(fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode)) {
        if (static_cast<uint64_t>(status.st_size) > largest) return report(kDatabaseDamaged, name);
        image.reserve(static_cast<std::size_t>(status.st_size));
    }
    switch (readRest(file.get(), largest, image)) {
        case FileRead::kRead:
            return 0;
        case FileRead::kTooLarge:
            return report(kDatabaseDamaged, name);
        case FileRead::kCannotOpen:
        case FileRead::kCannotRead:
            break;
    }
    return report(kReadFileError, name);
}
