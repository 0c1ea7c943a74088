// The phrase database, inside the resource container:
//
//   container header   name "CJK Phrase <CharSet>", type "CIZU", creator
//                      "dQlt", 1 + blockCount resources
//   directory          "HEAD" 8888, then "DATA" 8888 + b for each block b
//   bodies             the HeadRecord (head_record.cpp), then the "DATA" body
//                      of each block (data_block.cpp), back to back
//
// The head names every block of the CharSet: firstIndex 256, lastIndex the
// index count - 1, one block for each 256 indexes from 256 on.
#include "phrase/phrase_database_writer.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "foundation/char_sets.h"
#include "foundation/database_container.h"
#include "foundation/database_date.h"
#include "foundation/output_file.h"
#include "phrase/messages.h"

namespace {

DatabaseResource makeResource(const char* type, int number) {
    DatabaseResource resource{};
    std::memcpy(resource.type, type, sizeof resource.type);
    resource.id = static_cast<uint16_t>(kResourceId + number);
    return resource;
}

// The head as it is written: the parser's record with the block geometry.
HeadRecord writtenHead(const CTosker& tosker) {
    HeadRecord head = tosker.head;
    head.firstIndex = kFirstDoubleByteIndex;
    head.lastIndex = static_cast<uint16_t>(indexCount(head.charSet) - 1);
    head.blockCount = static_cast<uint16_t>(
        (head.lastIndex - head.firstIndex + 1 + kSlotsPerBlock - 1) / kSlotsPerBlock);
    return head;
}

// Encodes the body of block `block`; 906 when it is too large.
int encodeBlock(const CTosker& tosker, int block, std::vector<uint8_t>& body) {
    const std::span<const PhraseSlot> slots(tosker.slots);
    const std::size_t firstSlot = kFirstDoubleByteIndex + std::size_t{kSlotsPerBlock} * block;
    const std::size_t begin = std::min(firstSlot, slots.size());
    const std::size_t count = std::min<std::size_t>(kSlotsPerBlock, slots.size() - begin);
    if (encodeDataBlock(slots.subspan(begin, count), body)) return 0;
    char character[4];
    indexToChar(tosker.head.charSet, static_cast<unsigned>(firstSlot), character, sizeof character);
    return report(kBlockTooLarge, character);
}

}  // namespace

int writePhraseDatabase(const CTosker& tosker, const char* destinationName) {
    const ChosenDatabaseDate date = chooseDatabaseDate();
    if (date.epochUnusable) report(kUnusableEpoch);

    OutputFile out;
    if (int rc = out.open(destinationName)) return rc;

    const HeadRecord head = writtenHead(tosker);
    std::vector<DatabaseResource> resources;
    resources.reserve(1u + head.blockCount);
    resources.push_back(makeResource(kHeadType, 0));
    encodeHeadRecord(head, resources.back().body);
    for (int b = 0; b < head.blockCount; ++b) {
        resources.push_back(makeResource(kDataType, b));
        if (int rc = encodeBlock(tosker, b, resources.back().body)) return rc;
    }
    const std::vector<uint8_t> image =
        assembleDatabase(makeDatabaseHeader(tosker.databaseName, kPhraseDatabaseType,
                                            static_cast<uint16_t>(resources.size()), date.date),
                         resources);
    return out.commit(image.data(), image.size());
}
