#include "foundation/database_container.h"

#include <cstring>

#include "foundation/big_endian.h"

DatabaseHeader makeDatabaseHeader(const char* name, const char* type, uint16_t count,
                                  uint32_t date) {
    DatabaseHeader header{};
    std::strncpy(header.name, name, sizeof header.name - 1);
    header.attributes = 0x0001;
    header.version = 0x0001;
    header.creationDate = date;
    header.modificationDate = date;
    header.backupDate = date;
    std::memcpy(header.type, type, 4);
    std::memcpy(header.creator, kCreator, 4);
    header.resourceCount = count;
    return header;
}

std::array<uint8_t, kDatabaseHeaderSize> encodeDatabaseHeader(const DatabaseHeader& header) {
    std::array<uint8_t, kDatabaseHeaderSize> bytes{};
    uint8_t* out = bytes.data();
    std::memcpy(out, header.name, 32);
    putU16BE(out + 32, header.attributes);
    putU16BE(out + 34, header.version);
    putU32BE(out + 36, header.creationDate);
    putU32BE(out + 40, header.modificationDate);
    putU32BE(out + 44, header.backupDate);
    putU32BE(out + 48, header.modificationNumber);
    putU32BE(out + 52, header.appInfoOffset);
    putU32BE(out + 56, header.sortInfoOffset);
    std::memcpy(out + kHeaderTypeOffset, header.type, 4);
    std::memcpy(out + kHeaderCreatorOffset, header.creator, 4);
    putU32BE(out + 68, header.uniqueIdSeed);
    putU32BE(out + 72, header.nextRecordList);
    putU16BE(out + kHeaderCountOffset, header.resourceCount);
    return bytes;
}

std::array<uint8_t, kResourceEntrySize> encodeResourceEntry(const ResourceEntry& entry) {
    std::array<uint8_t, kResourceEntrySize> bytes{};
    std::memcpy(bytes.data(), entry.type, 4);
    putU16BE(bytes.data() + 4, entry.id);
    putU32BE(bytes.data() + 6, entry.offset);
    return bytes;
}

uint32_t databaseDate(std::time_t time) {
    return static_cast<uint32_t>(time) + kSecondsFrom1904To1970;
}

uint32_t currentDatabaseDate() { return databaseDate(std::time(nullptr)); }

uint32_t firstBodyOffset(int resourceCount) {
    const uint32_t end = kDatabaseHeaderSize + kResourceEntrySize * static_cast<uint32_t>(resourceCount);
    return end % 4 == 0 ? end : end + 2;
}

bool writeDirectoryEntry(std::FILE* file, const char* type, uint16_t id, uint32_t offset) {
    ResourceEntry entry{};
    std::memcpy(entry.type, type, 4);
    entry.id = id;
    entry.offset = offset;
    const auto bytes = encodeResourceEntry(entry);
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

int readDirectory(ResourceDirectory& directory, std::FILE* file, int count) {
    if (count <= 0 || count > kMaxDirectoryEntries) return 0;
    for (int i = 0; i < count; ++i) {
        if (std::fread(directory.entries[i].data(), 1, kResourceEntrySize, file) !=
            kResourceEntrySize) {
            return 0;
        }
    }
    directory.count = static_cast<uint16_t>(count);
    return count;
}

bool findResource(const ResourceDirectory& directory, const char* type, uint16_t id,
                  uint32_t& offset) {
    for (int i = 0; i < directory.count; ++i) {
        const uint8_t* entry = directory.entries[i].data();
        if (std::memcmp(entry, type, 4) == 0 && getU16BE(entry + 4) == id) {
            offset = getU32BE(entry + 6);
            return true;
        }
    }
    return false;
}
