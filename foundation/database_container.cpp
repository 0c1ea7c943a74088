#include "foundation/database_container.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "foundation/big_endian.h"
#include "foundation/common_messages.h"

DatabaseHeader makeDatabaseHeader(const char* name, const char* type, uint16_t count,
                                  uint32_t date) {
    DatabaseHeader header{};
    // The name is cut to 31 bytes; the rest of the field stays zero.
    std::memcpy(header.name, name, std::min(std::strlen(name), sizeof header.name - 1));
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

namespace {

// The body of entry `i` ends at the nearest offset after its own.
std::size_t nextBodyOffset(const std::vector<FoundResource>& resources, std::size_t i,
                           std::size_t size) {
    std::size_t end = size;
    const uint32_t own = resources[i].entry.offset;
    for (std::size_t j = 0; j < resources.size(); ++j) {
        const uint32_t offset = resources[j].entry.offset;
        if (offset > own || (offset == own && j > i)) end = std::min<std::size_t>(end, offset);
    }
    return end;
}

void findBodies(BodyEnd ends, DatabaseFile& file) {
    const std::size_t size = file.image.size();
    const std::size_t directoryEnd =
        kDatabaseHeaderSize + std::size_t{kResourceEntrySize} * file.resources.size();
    for (std::size_t i = 0; i < file.resources.size(); ++i) {
        FoundResource& resource = file.resources[i];
        const std::size_t offset = resource.entry.offset;
        resource.inside = offset >= directoryEnd && offset <= size;
        if (ends == BodyEnd::kEndOfFile) {
            if (offset <= size) resource.body = file.image.subspan(offset);
        } else if (resource.inside) {
            resource.body =
                file.image.subspan(offset, nextBodyOffset(file.resources, i, size) - offset);
        }
    }
}

}  // namespace

const FoundResource* DatabaseFile::find(const char* type, uint16_t id) const {
    for (const FoundResource& resource : resources) {
        if (std::memcmp(resource.entry.type, type, 4) == 0 && resource.entry.id == id) {
            return &resource;
        }
    }
    return nullptr;
}

int readDatabaseContainer(std::span<const uint8_t> image, const char* name, const char* type,
                          const Message& notThisType, BodyEnd ends, DatabaseFile& file) {
    file = DatabaseFile{image, {}, {}};
    if (!decodeDatabaseHeader(image.data(), image.size(), file.header)) {
        return report(kReadFileError, name);
    }
    if (std::memcmp(file.header.type, type, 4) != 0 ||
        std::memcmp(file.header.creator, kCreator, 4) != 0) {
        return report(notThisType, name);
    }
    const int count = file.header.resourceCount;
    if (count == 0 || count > kMaxDirectoryEntries ||
        image.size() < kDatabaseHeaderSize + std::size_t{kResourceEntrySize} * count) {
        return report(kTooManyResources);
    }
    for (int i = 0; i < count; ++i) {
        file.resources.push_back(
            {decodeResourceEntry(image.data() + kDatabaseHeaderSize + kResourceEntrySize * i),
             {},
             true});
    }
    findBodies(ends, file);
    return 0;
}
