// The phrase database, inside the resource container (big-endian numbers):
//
//   offset        size   content
//   0             78     container header: name "CJK Phrase <CharSet>",
//                        type "CIZU", creator "dQlt", 1 + blockCount resources
//   78            10     directory entry "HEAD" 8888
//   88 + 10 b     10     directory entry "DATA" 8888 + b, for each block b
//   ...           0/2    zero gap when the resource count is even
//   first body    64     "HEAD" body:
//                          0  u16  version 0x0200
//                          2  u16  charSet
//                          4  u16  firstIndex (256)
//                          6  u16  lastIndex (index count - 1)
//                          8  u16  blockCount
//                         10  u16  maxPhraseLength
//                         12  u32  phraseCount
//                         16  48   signature
//   then, for each block b, back to back, the "DATA" body of the slots
//   256 + 256 b to 256 + 256 b + 255 (F: first position with phrases, 256
//   when none):
//                          0             u16  F
//                          2             u16  offset of the list of position
//                                             F + k, k = 0 .. 256 - F; the
//                                             last entry is the body size
//                          2 (258 - F)   the lists of positions F to 255
//
// The file is written front part first: the header, the "HEAD" entry and
// body, then each "DATA" body followed by its directory entry.
#include "phrase/phrase_database_writer.h"

#include <cassert>
#include <cstring>
#include <new>

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"
#include "foundation/database_container.h"
#include "foundation/database_date.h"
#include "phrase/messages.h"
#include "phrase/phrase_store.h"

namespace {

bool writeAt(std::FILE* file, uint32_t offset, const uint8_t* bytes, std::size_t size) {
    return std::fseek(file, static_cast<long>(offset), SEEK_SET) == 0 &&
           std::fwrite(bytes, 1, size, file) == size;
}

bool writeEntryAt(std::FILE* file, uint32_t entryOffset, const char* type, uint16_t id,
                  uint32_t bodyOffset) {
    return std::fseek(file, static_cast<long>(entryOffset), SEEK_SET) == 0 &&
           writeDirectoryEntry(file, type, id, bodyOffset);
}

uint32_t entryOffset(int resource) {
    return kDatabaseHeaderSize + kResourceEntrySize * static_cast<uint32_t>(resource);
}

}  // namespace

std::array<uint8_t, kHeadRecordSize> encodeHeadRecord(const HeadRecord& head) {
    HeadRecord swapped = head;
    swapHeadRecord(swapped);
    std::array<uint8_t, kHeadRecordSize> bytes{};
    std::memcpy(bytes.data(), &swapped, bytes.size());
    return bytes;
}

int buildDataBlock(CTosker& tosker, int block, std::vector<uint8_t>& body) {
    const int slotCount = indexCount(tosker.head.charSet);
    const int firstSlot = kFirstDoubleByteIndex + kSlotsPerBlock * block;
    const auto lengthAt = [&](int position) {
        const int slot = firstSlot + position;
        return slot < slotCount ? tosker.slots[slot].length : 0;
    };

    int first = kSlotsPerBlock;
    int listBytes = 0;
    for (int p = 0; p < kSlotsPerBlock; ++p) {
        if (lengthAt(p) != 0 && first == kSlotsPerBlock) first = p;
        listBytes += lengthAt(p);
    }
    const int tableEnd = 2 + 2 * (kSlotsPerBlock + 1 - first);
    if (tableEnd + listBytes > kMaxBlockBytes) {
        char character[4];
        indexToChar(tosker.head.charSet, static_cast<unsigned>(firstSlot), character,
                    sizeof character);
        return report(kBlockTooLarge, character);
    }

    body.assign(static_cast<std::size_t>(tableEnd + listBytes), 0);
    putU16BE(body.data(), static_cast<uint16_t>(first));
    int offset = tableEnd;
    for (int p = first; p < kSlotsPerBlock; ++p) {
        putU16BE(&body[static_cast<std::size_t>(2 + 2 * (p - first))],
                 static_cast<uint16_t>(offset));
        if (lengthAt(p) == 0) continue;
        if (!readSlot(tosker, tosker.slots[firstSlot + p],
                      &body[static_cast<std::size_t>(offset)])) {
            return report(kReadFileError, kStoreName);
        }
        offset += lengthAt(p);
    }
    assert(static_cast<std::size_t>(offset) == body.size());
    putU16BE(&body[static_cast<std::size_t>(tableEnd - 2)], static_cast<uint16_t>(offset));
    return 0;
}

int writePhraseDatabase(CTosker& tosker, const char* destinationName) {
    const ChosenDatabaseDate date = chooseDatabaseDate();
    if (date.epochUnusable) report(kUnusableEpoch);

    FileHandle out(std::fopen(destinationName, "wb"));
    if (!out) return report(kCreateFileFail, destinationName);
    // Unbuffered, so that every write below learns at once whether it failed.
    std::setvbuf(out.get(), nullptr, _IONBF, 0);
    std::FILE* file = out.get();

    HeadRecord& head = tosker.head;
    head.firstIndex = kFirstDoubleByteIndex;
    head.lastIndex = static_cast<uint16_t>(indexCount(head.charSet) - 1);
    head.blockCount = static_cast<uint16_t>(
        (head.lastIndex - head.firstIndex + 1 + kSlotsPerBlock - 1) / kSlotsPerBlock);

    const int resourceCount = 1 + head.blockCount;
    const auto header = encodeDatabaseHeader(makeDatabaseHeader(
        tosker.databaseName, kPhraseDatabaseType, static_cast<uint16_t>(resourceCount), date.date));
    const uint32_t headOffset = firstBodyOffset(resourceCount);
    const auto headBody = encodeHeadRecord(head);
    if (!writeAt(file, 0, header.data(), header.size()) ||
        !writeEntryAt(file, entryOffset(0), kHeadType, kResourceId, headOffset) ||
        !writeAt(file, headOffset, headBody.data(), headBody.size())) {
        return report(kWriteFileError, destinationName);
    }

    // The block buffer, taken once at its full size: no block makes it grow.
    std::vector<uint8_t> body;
    try {
        body.reserve(kMaxBlockBytes);
    } catch (const std::bad_alloc&) {
        return report(kNoMemory);
    }
    uint32_t bodyOffset = headOffset + kHeadRecordSize;
    for (int b = 0; b < head.blockCount; ++b) {
        if (int rc = buildDataBlock(tosker, b, body)) return rc;
        if (!writeAt(file, bodyOffset, body.data(), body.size()) ||
            !writeEntryAt(file, entryOffset(1 + b), kDataType,
                          static_cast<uint16_t>(kResourceId + b), bodyOffset)) {
            return report(kWriteFileError, destinationName);
        }
        bodyOffset += static_cast<uint32_t>(body.size());
    }
    return 0;
}
