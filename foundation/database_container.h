// The resource database container shared by both kinds of database:
//
//   offset  size        content
//   0       78          DatabaseHeader
//   78      10 x n      ResourceEntry: type[4], id u16, body offset u32
//   78+10n  0 or 2      zero gap when n is even, so the bodies start at a
//                       multiple of 4 (firstBodyOffset)
//   ...                 the bodies, in directory order, back to back
//
// Every number is big-endian.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <ctime>

inline constexpr int kDatabaseHeaderSize = 78;
inline constexpr int kResourceEntrySize = 10;
inline constexpr int kMaxDirectoryEntries = 512;
inline constexpr uint16_t kResourceId = 8888;
inline constexpr uint32_t kSecondsFrom1904To1970 = 2082844800u;

inline constexpr int kHeaderTypeOffset = 60;
inline constexpr int kHeaderCreatorOffset = 64;
inline constexpr int kHeaderCountOffset = 76;
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

// A database header as both tools write it: resource database, version 1,
// all three dates `date`, creator "dQlt", `count` resources.
DatabaseHeader makeDatabaseHeader(const char* name, const char* type, uint16_t count,
                                  uint32_t date);
std::array<uint8_t, kDatabaseHeaderSize> encodeDatabaseHeader(const DatabaseHeader& header);
std::array<uint8_t, kResourceEntrySize> encodeResourceEntry(const ResourceEntry& entry);

// Seconds since 1904-01-01 of a calendar time, and of now.
uint32_t databaseDate(std::time_t time);
uint32_t currentDatabaseDate();

// 78 + 10 n, moved up to a multiple of 4.
uint32_t firstBodyOffset(int resourceCount);

// Writes one directory entry at the file's position; false when the write fails.
bool writeDirectoryEntry(std::FILE* file, const char* type, uint16_t id, uint32_t offset);

// The directory as read from a file, each entry kept as its 10 bytes.
struct ResourceDirectory {
    uint16_t count = 0;
    std::array<std::array<uint8_t, kResourceEntrySize>, kMaxDirectoryEntries> entries{};
};

// Reads `count` entries from the file's position; the count, or 0 when the
// count is above 512 or the entries cannot be read whole.
int readDirectory(ResourceDirectory& directory, std::FILE* file, int count);

// The body offset of the first entry of that type and id.
bool findResource(const ResourceDirectory& directory, const char* type, uint16_t id,
                  uint32_t& offset);
