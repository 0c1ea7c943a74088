#include "foundation/database_container.h"

#include <cassert>
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

namespace {

template <class Fields, class Header>
void visitFields(Fields& field, Header& h) {
    field.bytes(h.name, 32);
    field.u16(h.attributes);
    field.u16(h.version);
    field.u32(h.creationDate);
    field.u32(h.modificationDate);
    field.u32(h.backupDate);
    field.u32(h.modificationNumber);
    field.u32(h.appInfoOffset);
    field.u32(h.sortInfoOffset);
    field.bytes(h.type, 4);
    field.bytes(h.creator, 4);
    field.u32(h.uniqueIdSeed);
    field.u32(h.nextRecordList);
    field.u16(h.resourceCount);
}

template <class Fields, class Entry>
void visitEntryFields(Fields& field, Entry& e) {
    field.bytes(e.type, 4);
    field.u16(e.id);
    field.u32(e.offset);
}

}  // namespace

void encodeDatabaseHeader(const DatabaseHeader& header, std::vector<uint8_t>& out) {
    const std::size_t start = out.size();
    FieldWriter writer{BigEndianWriter(out)};
    visitFields(writer, header);
    assert(out.size() - start == kDatabaseHeaderSize);
    (void)start;
}

bool decodeDatabaseHeader(const uint8_t* bytes, std::size_t size, DatabaseHeader& header) {
    if (size < kDatabaseHeaderSize) return false;
    FieldReader reader{BigEndianReader(bytes)};
    visitFields(reader, header);
    return true;
}

void encodeResourceEntry(const ResourceEntry& entry, std::vector<uint8_t>& out) {
    FieldWriter writer{BigEndianWriter(out)};
    visitEntryFields(writer, entry);
}

ResourceEntry decodeResourceEntry(const uint8_t* bytes) {
    ResourceEntry entry{};
    FieldReader reader{BigEndianReader(bytes)};
    visitEntryFields(reader, entry);
    return entry;
}

std::vector<uint8_t> assembleDatabase(DatabaseHeader header,
                                      const std::vector<DatabaseResource>& resources) {
    const int count = static_cast<int>(resources.size());
    header.resourceCount = static_cast<uint16_t>(count);
    std::size_t total = firstBodyOffset(count);
    for (const DatabaseResource& resource : resources) total += resource.body.size();

    std::vector<uint8_t> image;
    image.reserve(total);
    encodeDatabaseHeader(header, image);
    uint32_t offset = firstBodyOffset(count);
    for (const DatabaseResource& resource : resources) {
        ResourceEntry entry{};
        std::memcpy(entry.type, resource.type, 4);
        entry.id = resource.id;
        entry.offset = offset;
        encodeResourceEntry(entry, image);
        offset += static_cast<uint32_t>(resource.body.size());
    }
    image.resize(firstBodyOffset(count), 0);
    for (const DatabaseResource& resource : resources) {
        image.insert(image.end(), resource.body.begin(), resource.body.end());
    }
    return image;
}

uint32_t databaseDate(std::time_t time) {
    return static_cast<uint32_t>(time) + kSecondsFrom1904To1970;
}

uint32_t currentDatabaseDate() {
    return databaseDate(std::time(nullptr));
}

uint32_t firstBodyOffset(int resourceCount) {
    const uint32_t end =
        kDatabaseHeaderSize + kResourceEntrySize * static_cast<uint32_t>(resourceCount);
    return end % 4 == 0 ? end : end + 2;
}

int readDirectory(const uint8_t* bytes, std::size_t size, int count, ResourceDirectory& directory) {
    if (count <= 0 || count > kMaxDirectoryEntries) return 0;
    if (size < kDatabaseHeaderSize + std::size_t{kResourceEntrySize} * count) return 0;
    directory.entries.clear();
    for (int i = 0; i < count; ++i) {
        directory.entries.push_back(
            decodeResourceEntry(bytes + kDatabaseHeaderSize + kResourceEntrySize * i));
    }
    return count;
}

bool findResource(const ResourceDirectory& directory, const char* type, uint16_t id,
                  uint32_t& offset) {
    for (const ResourceEntry& entry : directory.entries) {
        if (std::memcmp(entry.type, type, 4) == 0 && entry.id == id) {
            offset = entry.offset;
            return true;
        }
    }
    return false;
}
