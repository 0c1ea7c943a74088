// INTERIM: readPhraseDatabase built on today's head and block decoders of
// Tosker, until the foundation's reader of the PhraseDatabase record takes
// its place. Mabrel links this library for it meanwhile.
#include <algorithm>
#include <cstring>
#include <utility>

#include "foundation/char_sets.h"
#include "foundation/database_container.h"
#include "foundation/phrase_database_reader.h"
#include "phrase/data_block.h"
#include "phrase/head_record.h"
#include "phrase/messages.h"

namespace {

constexpr uint16_t kFirstMarker = 0x7F00;

// The phrases of one list; false when a word is no character.
bool readList(const PhraseSlot& list, int count, std::vector<StoredPhrase>& phrases) {
    StoredPhrase phrase;
    for (const uint16_t word : list.words) {
        const unsigned character = word & kIndexBits;
        if (character >= kFirstMarker) {
            if (word & 1) phrase.user = true;
        } else if (character < kFirstDoubleByteIndex || static_cast<int>(character) >= count) {
            return false;
        } else {
            phrase.rest.push_back(static_cast<uint16_t>(character));
        }
        if (word & kLastWordBit) phrases.push_back(std::exchange(phrase, {}));
    }
    return true;
}

}  // namespace

int readPhraseDatabase(const std::vector<uint8_t>& image, const char* name, PhraseDatabase& db) {
    DatabaseHeader header{};
    if (!decodeDatabaseHeader(image.data(), image.size(), header)) {
        return report(kReadFileError, name);
    }
    if (std::memcmp(header.type, kPhraseDatabaseType, 4) != 0 ||
        std::memcmp(header.creator, kCreator, 4) != 0) {
        return report(kNotPhraseDatabase, name);
    }
    ResourceDirectory directory;
    if (readDirectory(image.data(), image.size(), header.resourceCount, directory) == 0) {
        return report(kTooManyResources);
    }
    const auto available = [&](uint32_t offset) {
        return offset <= image.size() ? image.size() - offset : 0;
    };
    const auto at = [&](uint32_t offset) {
        return image.data() + std::min<std::size_t>(offset, image.size());
    };
    uint32_t offset = 0;
    if (!findResource(directory, kHeadType, kResourceId, offset)) {
        return report(kNotPhraseDatabase, name);
    }
    HeadRecord head{};
    if (!decodeHeadRecord(at(offset), available(offset), head)) {
        return report(kDatabaseDamaged, name);
    }
    if (head.version != kPhraseFormatVersion) return report(kVersionError, name);
    const int count = charSetName(head.charSet) != nullptr ? indexCount(head.charSet) : 0;
    if (count == 0 || head.firstIndex != kFirstDoubleByteIndex || head.lastIndex != count - 1) {
        return report(kDatabaseDamaged, name);
    }
    db = PhraseDatabase{head.charSet, head.maxPhraseLength, head.phraseCount, {}};
    db.phrases.resize(static_cast<std::size_t>(count));
    DataBlockView view{};
    bool present = false;
    PhraseSlot list;
    for (int i = head.firstIndex; i <= head.lastIndex; ++i) {
        const int d = i - head.firstIndex;
        if (d % kSlotsPerBlock == 0) {
            present = findResource(directory, kDataType,
                                   static_cast<uint16_t>(kResourceId + d / kSlotsPerBlock), offset);
            if (present && !decodeDataBlockHead(at(offset), available(offset), view)) {
                return report(kDatabaseDamaged, name);
            }
        }
        const int position = d % kSlotsPerBlock;
        if (!present || position < view.first) continue;
        if (!decodeDataBlockList(view, position, list) || !readList(list, count, db.phrases[i])) {
            return report(kDatabaseDamaged, name);
        }
    }
    return 0;
}
