// The resource database container shared by both kinds of database:
//
//   offset  size        content
//   0       78          DatabaseHeader:
//                         0   32  name, NUL-terminated, the rest zero
//                         32  2   attributes: 0x0001, a resource database
//                         34  2   version: 0x0001
//                         36  4   creation date, seconds since 1904-01-01
//                         40  4   modification date
//                         44  4   last backup date
//                         48  4   modification number
//                         52  4   application info offset
//                         56  4   sort info offset
//                         60  4   type, four characters
//                         64  4   creator: "dQlt"
//                         68  4   unique ID seed
//                         72  4   next record list
//                         76  2   number of resources n
//   78      10 x n      ResourceEntry: type[4], id u16, body offset u32
//   78+10n  0 or 2      zero gap when n is even, so that the bodies start at
//                       a multiple of 4 (firstBodyOffset)
//   ...                 the bodies, in directory order, back to back
//
// Every number is big-endian.
#pragma once

#include <cstdint>
#include <ctime>
#include <span>
#include <vector>

#include "foundation/diagnostics.h"

inline constexpr int kDatabaseHeaderSize = 78;
inline constexpr int kResourceEntrySize = 10;
inline constexpr int kMaxDirectoryEntries = 512;
inline constexpr uint16_t kResourceId = 8888;
inline constexpr uint32_t kSecondsFrom1904To1970 = 2082844800u;
inline constexpr char kCreator[] = "dQlt";

struct DatabaseHeader {
    char name[32];
    uint16_t attributes;
    uint16_t version;
    uint32_t creationDate;
    uint32_t modificationDate;
    uint32_t backupDate;
    uint32_t modificationNumber;
    uint32_t appInfoOffset;
    uint32_t sortInfoOffset;
    char type[4];
    char creator[4];
    uint32_t uniqueIdSeed;
    uint32_t nextRecordList;
    uint16_t resourceCount;
};

struct ResourceEntry {
    char type[4];
    uint16_t id;
    uint32_t offset;
};

// A resource to be laid out: its type, its id and its body.
struct DatabaseResource {
    char type[4];
    uint16_t id;
    std::vector<uint8_t> body;
};

// A database header as both tools write it: resource database, version 1,
// all three dates `date`, creator "dQlt", `count` resources.
DatabaseHeader makeDatabaseHeader(const char* name, const char* type, uint16_t count,
                                  uint32_t date);

void encodeDatabaseHeader(const DatabaseHeader& header, std::vector<uint8_t>& out);
// False when fewer than 78 bytes are given.
bool decodeDatabaseHeader(const uint8_t* bytes, std::size_t size, DatabaseHeader& header);

void encodeResourceEntry(const ResourceEntry& entry, std::vector<uint8_t>& out);
ResourceEntry decodeResourceEntry(const uint8_t* bytes);

// The whole database file: `header` (its resource count set from the list),
// the directory, the gap and the bodies.
std::vector<uint8_t> assembleDatabase(DatabaseHeader header,
                                      const std::vector<DatabaseResource>& resources);

// Seconds since 1904-01-01 of a calendar time, and of now.
uint32_t databaseDate(std::time_t time);
uint32_t currentDatabaseDate();

// 78 + 10 n, moved up to a multiple of 4.
uint32_t firstBodyOffset(int resourceCount);

// A directory entry with its body. A body whose offset lies outside the
// file, or inside its header and directory, is not inside.
struct FoundResource {
    ResourceEntry entry;
    std::span<const uint8_t> body;
    bool inside = true;
};

// Where a body read from a file ends. A database says where a body starts,
// not where it ends; the two tools have always answered differently.
enum class BodyEnd {
    // At the nearest body offset after its own, or at the end of the file;
    // of two bodies at one offset the earlier in the directory is empty. A
    // body that is not inside has no bytes.
    kNextBody,
    // At the end of the file, wherever the body starts (no bytes when it
    // starts past the end).
    kEndOfFile,
};

// The container of a database file as read.
struct DatabaseFile {
    std::span<const uint8_t> image;  // the whole file
    DatabaseHeader header{};
    std::vector<FoundResource> resources;  // in directory order

    // The first resource of that type and id, in directory order.
    const FoundResource* find(const char* type, uint16_t id) const;
};

// Reads the header and the directory of `image`, the whole file `name`,
// which must be a database of `type` made by "dQlt". Returns 0, or after
// reporting it 101 (no whole header), the code of `notThisType` (another
// type or creator, the file name as its argument) or 402 (no entry, more
// than 512, or entries past the end of the file).
int readDatabaseContainer(std::span<const uint8_t> image, const char* name, const char* type,
                          const Message& notThisType, BodyEnd ends, DatabaseFile& file);
