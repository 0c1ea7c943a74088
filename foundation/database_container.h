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
#include <vector>

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

// The directory as read from a database file.
struct ResourceDirectory {
    std::vector<ResourceEntry> entries;
};

// Reads the `count` entries that follow the header of the database `bytes`;
// the count, or 0 when the count is 0 or above 512 or the entries do not fit.
int readDirectory(const uint8_t* bytes, std::size_t size, int count, ResourceDirectory& directory);

// The body offset of the first entry of that type and id.
bool findResource(const ResourceDirectory& directory, const char* type, uint16_t id,
                  uint32_t& offset);
