// INTERIM: readPhraseDatabase built on the phrase tool's own block readers,
// until the phrase database layout reads straight into PhraseDatabase.
#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/database_container.h"
#include "foundation/phrase_database_reader.h"
#include "phrase/data_block.h"
#include "phrase/head_record.h"
#include "phrase/interim_store_record.h"
#include "phrase/messages.h"

namespace {

constexpr uint16_t kFirstMarker = 0x7F00;
constexpr uint16_t kUserBit = 0x0001;

bool readBlocks(const std::vector<uint8_t>& image, const ResourceDirectory& directory,
                const HeadRecord& head, PhraseDatabase& db) {
    for (int b = 0; b < head.blockCount; ++b) {
        uint32_t offset = 0;
        if (!findResource(directory, kDataType, static_cast<uint16_t>(kResourceId + b), offset)) {
            continue;
        }
        if (offset > image.size()) return false;
        DataBlockView view{};
        if (!decodeDataBlockHead(image.data() + offset, image.size() - offset, view)) return false;
        for (int position = view.first; position < kSlotsPerBlock; ++position) {
            const std::size_t index = kFirstDoubleByteIndex + b * kSlotsPerBlock + position;
            if (index >= db.phrases.size()) break;
            PhraseSlot list;
            if (!decodeDataBlockList(view, position, list)) return false;
            StoredPhrase phrase;
            for (const uint16_t word : list.words) {
                const uint16_t character = word & kIndexBits;
                if (character >= kFirstMarker) {
                    phrase.user = phrase.user || (word & kUserBit) != 0;
                } else {
                    phrase.rest.push_back(character);
                }
                if (word & kLastWordBit) {
                    db.phrases[index].push_back(phrase);
                    phrase = StoredPhrase{};
                }
            }
        }
    }
    return true;
}

}  // namespace

int readPhraseDatabase(const std::vector<uint8_t>& image, const char* name, PhraseDatabase& db) {
    DatabaseHeader header{};
    if (!decodeDatabaseHeader(image.data(), image.size(), header)) {
        return report(kReadFileError, name);
    }
    if (std::memcmp(header.type, kPhraseDatabaseType, 4) != 0) {
        return report(kNotPhraseDatabase, name);
    }
    ResourceDirectory directory;
    if (readDirectory(image.data(), image.size(), header.resourceCount, directory) == 0) {
        return report(kTooManyResources);
    }
    uint32_t offset = 0;
    HeadRecord head{};
    if (!findResource(directory, kHeadType, kResourceId, offset)) {
        return report(kNotPhraseDatabase, name);
    }
    if (offset > image.size() ||
        !decodeHeadRecord(image.data() + offset, image.size() - offset, head)) {
        return report(kDatabaseDamaged, name);
    }
    if (head.version != kPhraseFormatVersion) return report(kVersionError, name);
    if (charSetName(head.charSet) == nullptr) return report(kDatabaseDamaged, name);
    db = PhraseDatabase{};
    db.charSet = head.charSet;
    db.maxPhraseLength = head.maxPhraseLength;
    db.phraseCount = head.phraseCount;
    db.phrases.resize(static_cast<std::size_t>(indexCount(head.charSet)));
    if (!readBlocks(image, directory, head, db)) return report(kDatabaseDamaged, name);
    return 0;
}

PhraseDatabase phraseDatabaseOfStore(const CTosker& tosker) {
    PhraseDatabase db;
    db.charSet = tosker.head.charSet;
    db.maxPhraseLength = tosker.head.maxPhraseLength;
    db.phrases.resize(tosker.slots.size());
    for (std::size_t index = 0; index < tosker.slots.size(); ++index) {
        StoredPhrase phrase;
        for (const uint16_t word : tosker.slots[index].words) {
            phrase.rest.push_back(word & kIndexBits);
            if (word & kLastWordBit) {
                db.phrases[index].push_back(phrase);
                phrase = StoredPhrase{};
                ++db.phraseCount;
            }
        }
    }
    return db;
}
