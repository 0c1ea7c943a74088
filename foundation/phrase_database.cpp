// The phrase database, inside the resource container:
//
//   container header   name "CJK Phrase <CharSet>", type "CIZU", creator
//                      "dQlt", 1 + blockCount resources
//   directory          "HEAD" 8888, then "DATA" 8888 + b for each block b
//   bodies             the head, then the "DATA" body of each block
//
// The "HEAD" body, 64 bytes:
//
//   offset  size  content
//   0       2     version 0x0200
//   2       2     charSet
//   4       2     firstIndex: 256, the first character with a block
//   6       2     lastIndex: the index count of the CharSet - 1
//   8       2     blockCount: the number of "DATA" resources
//   10      2     maxPhraseLength
//   12      4     phraseCount
//   16      48    signature "Qalto Phrase by Ba Rinvela", 0x1A, zeros
//
// The "DATA" body of block b (the first characters with index 256 + 256 b
// to 256 + 256 b + 255; position p is the character 256 + 256 b + p); F is
// the first position whose list is not empty, 256 when none is:
//
//   offset        size          content
//   0             2             F
//   2             2 (257 - F)   offset table: entry k is the offset, from the
//                               body's start, of the list of position F + k;
//                               the last entry (k = 256 - F) is the body size
//   2 (258 - F)   the rest      the lists of positions F to 255, back to back
//
// A list is a run of words, one for each character after the first of each
// phrase: the character index in bits 0 to 14, bit 15 set on the last word
// of a phrase. A word whose index bits reach 0x7F00 is a marker, no
// character; a marker with bit 0 set makes its phrase a user phrase. A block
// without phrases is 01 00 00 04. Every number is big-endian.
#include "foundation/phrase_database.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <span>

#include "foundation/big_endian.h"
#include "foundation/database_container.h"

namespace {

constexpr char kHeadType[] = "HEAD";
constexpr char kDataType[] = "DATA";
constexpr char kDatabaseNamePrefix[] = "CJK Phrase ";
constexpr uint16_t kPhraseFormatVersion = 0x0200;
constexpr int kHeadSize = 64;
constexpr int kSignatureSize = 48;
constexpr char kPhraseSignature[] = "Qalto Phrase by Ba Rinvela\x1A";

constexpr uint16_t kLastWordBit = 0x8000;
constexpr uint16_t kIndexBits = 0x7FFF;
constexpr uint16_t kFirstMarker = 0x7F00;
constexpr uint16_t kUserBit = 0x0001;

struct HeadRecord {
    uint16_t version;
    uint16_t charSet;
    uint16_t firstIndex;
    uint16_t lastIndex;
    uint16_t blockCount;
    uint16_t maxPhraseLength;
    uint32_t phraseCount;
    char signature[kSignatureSize];
};

template <class Fields, class Head>
void visitHead(Fields& field, Head& head) {
    field.u16(head.version);
    field.u16(head.charSet);
    field.u16(head.firstIndex);
    field.u16(head.lastIndex);
    field.u16(head.blockCount);
    field.u16(head.maxPhraseLength);
    field.u32(head.phraseCount);
    field.bytes(head.signature, kSignatureSize);
}

std::size_t tableEnd(int first) {
    return 2 + 2 * std::size_t(kCharactersPerBlock + 1 - first);
}

DatabaseResource makeResource(const char* type, int number) {
    DatabaseResource resource{};
    std::memcpy(resource.type, type, sizeof resource.type);
    resource.id = static_cast<uint16_t>(kResourceId + number);
    return resource;
}

void encodeHead(const PhraseDatabase& db, std::vector<uint8_t>& body) {
    HeadRecord head{kPhraseFormatVersion,
                    db.charSet,
                    kFirstPhraseIndex,
                    static_cast<uint16_t>(indexCount(db.charSet) - 1),
                    static_cast<uint16_t>(phraseBlockCount(db.charSet)),
                    static_cast<uint16_t>(db.maxPhraseLength),
                    static_cast<uint32_t>(db.phrases.size()),
                    {}};
    std::memcpy(head.signature, kPhraseSignature, sizeof kPhraseSignature);
    FieldWriter writer{BigEndianWriter(body)};
    visitHead(writer, head);
}

// Appends the list of first character `index`.
void appendList(const PhraseDatabase& db, int index, std::vector<uint16_t>& words) {
    const std::span<const StoredPhrase> list = db.list(static_cast<std::size_t>(index));
    if (!list.empty()) {
        for (const StoredPhrase& phrase : list) {
            const std::span<const uint16_t> rest = db.rest(phrase);
            words.insert(words.end(), rest.begin(), rest.end());
            if (phrase.user) words.push_back(kFirstMarker | kUserBit);
            words.back() |= kLastWordBit;
        }
    } else if (std::binary_search(db.unendedLists.begin(), db.unendedLists.end(), index)) {
        words.push_back(kFirstMarker);
    }
}

// Appends the body of `block`; false, leaving `body` as it was, when the
// body would pass kMaxBlockBytes.
bool encodeBlock(const PhraseDatabase& db, int block, std::vector<uint8_t>& body) {
    std::vector<uint16_t> words;
    std::array<std::size_t, kCharactersPerBlock + 1> starts{};
    int first = kCharactersPerBlock;
    for (int p = 0; p < kCharactersPerBlock; ++p) {
        starts[p] = words.size();
        appendList(db, blockFirstIndex(block) + p, words);
        if (first == kCharactersPerBlock && words.size() > starts[p]) first = p;
    }
    starts[kCharactersPerBlock] = words.size();
    if (blockBodyBytes(first, words.size()) > kMaxBlockBytes) return false;

    BigEndianWriter field(body);
    field.u16(static_cast<uint16_t>(first));
    for (int p = first; p <= kCharactersPerBlock; ++p) {
        field.u16(static_cast<uint16_t>(tableEnd(first) + 2 * starts[p]));
    }
    for (uint16_t word : words) field.u16(word);
    return true;
}

// The whole file as it was read, with the CharSet its head names and which
// of its indexes are characters, known without converting each word.
struct Reading {
    const DatabaseFile& file;
    HeadRecord head{};
    int indexCount = 0;
    std::vector<bool> characterIndexes;

    bool isCharacter(unsigned index) const {
        return index < characterIndexes.size() && characterIndexes[index];
    }
};

// A head and a directory that agree with each other and with the CharSet:
// the head covers every double-byte character and sets a phrase length that
// a compile can set, and the directory holds nothing but the "HEAD" and the
// "DATA" resources of its blocks, each once.
bool agrees(const Reading& reading) {
    const HeadRecord& head = reading.head;
    const int blocks = phraseBlockCount(head.charSet);
    if (head.firstIndex != kFirstPhraseIndex || head.lastIndex != reading.indexCount - 1 ||
        head.blockCount != blocks || head.maxPhraseLength < kMinPhraseLength ||
        head.maxPhraseLength > kMaxPhraseLength) {
        return false;
    }
    const std::vector<FoundResource>& resources = reading.file.resources;
    for (std::size_t i = 0; i < resources.size(); ++i) {
        const ResourceEntry& e = resources[i].entry;
        const bool isHead = std::memcmp(e.type, kHeadType, 4) == 0 && e.id == kResourceId;
        const bool isData = std::memcmp(e.type, kDataType, 4) == 0 && e.id >= kResourceId &&
                            e.id < kResourceId + blocks;
        if (!isHead && !isData) return false;
        for (std::size_t j = 0; j < i; ++j) {
            const ResourceEntry& before = resources[j].entry;
            if (std::memcmp(before.type, e.type, 4) == 0 && before.id == e.id) return false;
        }
    }
    return true;
}

// Reads the list of first character `index` from its words; false when a
// word is no character, or a phrase has one character or passes 15. Words
// after the last end of a phrase are checked, then dropped.
bool decodeList(const Reading& reading, int index, std::span<const uint8_t> bytes,
                PhraseDatabase& db) {
    const std::size_t phrasesBefore = db.phrases.size();
    uint16_t text[kMaxPhraseLength] = {static_cast<uint16_t>(index)};
    std::size_t length = 1;
    bool user = false;
    BigEndianReader in(bytes.data());
    for (std::size_t n = bytes.size() / 2; n > 0; --n) {
        const uint16_t word = in.u16();
        const unsigned character = word & kIndexBits;
        if (character >= kFirstMarker) {
            if (word & kUserBit) user = true;
        } else {
            if (!reading.isCharacter(character) || length == kMaxPhraseLength) return false;
            text[length++] = static_cast<uint16_t>(character);
        }
        if (word & kLastWordBit) {
            if (length < kMinPhraseLength) return false;
            addPhrase(db, std::span<const uint16_t>(text, length), user);
            length = 1;
            user = false;
        }
    }
    if (db.phrases.size() == phrasesBefore) {
        db.unendedLists.push_back(static_cast<uint16_t>(index));
    }
    return true;
}

// Reads the lists of `block` that the head covers; a block without its
// "DATA" resource holds none.
bool decodeBlock(const Reading& reading, int block, PhraseDatabase& db) {
    const FoundResource* found =
        reading.file.find(kDataType, static_cast<uint16_t>(kResourceId + block));
    if (found == nullptr) return true;
    const std::span<const uint8_t> body = found->body;
    if (body.size() < 2) return false;
    const int first = getU16BE(body.data());
    if (first > kCharactersPerBlock || tableEnd(first) > body.size()) return false;
    const int end = std::min(blockFirstIndex(block) + kCharactersPerBlock, reading.indexCount);
    for (int index = blockFirstIndex(block) + first; index < end; ++index) {
        BigEndianReader entry(body.data() + 2 + 2 * (positionInBlock(index) - first));
        const std::size_t begin = entry.u16();
        const std::size_t listEnd = entry.u16();
        if (listEnd < begin || listEnd > body.size()) return false;
        if (listEnd - begin < 2) continue;
        if (!reading.isCharacter(static_cast<unsigned>(index))) return false;
        if (!decodeList(reading, index, body.subspan(begin, listEnd - begin), db)) return false;
    }
    return true;
}

// Takes the room of the phrases the blocks may hold at once: a phrase for
// each word that ends one, a character for it and for each other word. The
// bodies reach to the end of the file, so each is counted only up to the
// next body's start: every byte is looked at once.
void reserveForBlocks(const DatabaseFile& file, PhraseDatabase& db) {
    std::vector<const uint8_t*> starts;
    starts.reserve(file.resources.size());
    for (const FoundResource& resource : file.resources) starts.push_back(resource.body.data());
    std::sort(starts.begin(), starts.end());
    std::size_t words = 0;
    std::size_t ends = 0;
    for (const FoundResource& resource : file.resources) {
        if (std::memcmp(resource.entry.type, kDataType, 4) != 0) continue;
        std::span<const uint8_t> body = resource.body;
        const auto next = std::upper_bound(starts.begin(), starts.end(), body.data());
        if (next != starts.end() && *next < body.data() + body.size()) {
            body = body.first(static_cast<std::size_t>(*next - body.data()));
        }
        words += body.size() / 2;
        for (std::size_t at = 0; at + 1 < body.size(); at += 2) ends += body[at] >> 7;
    }
    db.phrases.reserve(ends);
    db.characters.reserve(words + ends);
}

}  // namespace

int phraseBlockCount(CharSet charSet) {
    return (indexCount(charSet) - kFirstPhraseIndex + kCharactersPerBlock - 1) /
           kCharactersPerBlock;
}

void addPhrase(PhraseDatabase& db, std::span<const uint16_t> text, bool user) {
    const std::size_t first = text.front();
    if (db.listStarts.size() <= first) {
        db.listStarts.resize(first + 1, static_cast<uint32_t>(db.phrases.size()));
    }
    db.phrases.push_back(
        {static_cast<uint32_t>(db.characters.size()), static_cast<uint8_t>(text.size()), user});
    db.characters.insert(db.characters.end(), text.begin(), text.end());
}

void closeLists(PhraseDatabase& db, std::size_t count) {
    db.listStarts.resize(count + 1, static_cast<uint32_t>(db.phrases.size()));
}

std::size_t blockBodyBytes(int first, std::size_t words) {
    return tableEnd(first) + 2 * words;
}

std::size_t largestPhraseDatabaseBytes() {
    int blocks = 0;
    for (const CharSetEntry& entry : kCharSetTable) {
        blocks = std::max(blocks, phraseBlockCount(entry.id));
    }
    return firstBodyOffset(1 + blocks) + kHeadSize +
           static_cast<std::size_t>(blocks) * kMaxBlockBytes;
}

int encodePhraseDatabase(const PhraseDatabase& db, uint32_t date, std::vector<uint8_t>& image) {
    const int blocks = phraseBlockCount(db.charSet);
    std::vector<DatabaseResource> resources;
    resources.reserve(1u + static_cast<std::size_t>(blocks));
    resources.push_back(makeResource(kHeadType, 0));
    encodeHead(db, resources.back().body);
    for (int b = 0; b < blocks; ++b) {
        resources.push_back(makeResource(kDataType, b));
        if (!encodeBlock(db, b, resources.back().body)) return b;
    }
    char name[sizeof DatabaseHeader::name] = {};
    std::snprintf(name, sizeof name, "%s%s", kDatabaseNamePrefix, charSetName(db.charSet));
    image = assembleDatabase(makeDatabaseHeader(name, kPhraseDatabaseType,
                                                static_cast<uint16_t>(resources.size()), date),
                             resources);
    return kEveryBlockFits;
}

PhraseDecoding decodePhraseDatabase(const DatabaseFile& file, PhraseDatabase& db) {
    const FoundResource* found = file.find(kHeadType, kResourceId);
    if (found == nullptr) return PhraseDecoding::kNoHead;
    Reading reading{file, {}, 0, {}};
    if (found->body.size() < kHeadSize) return PhraseDecoding::kDamaged;
    FieldReader reader{BigEndianReader(found->body.data())};
    visitHead(reader, reading.head);
    if (reading.head.version != kPhraseFormatVersion) return PhraseDecoding::kOtherVersion;
    if (charSetName(reading.head.charSet) == nullptr) return PhraseDecoding::kDamaged;
    reading.indexCount = indexCount(reading.head.charSet);
    if (!agrees(reading)) return PhraseDecoding::kDamaged;

    reading.characterIndexes.resize(static_cast<std::size_t>(reading.indexCount));
    for (int index = kFirstPhraseIndex; index < reading.indexCount; ++index) {
        reading.characterIndexes[static_cast<std::size_t>(index)] =
            isCharacterIndex(reading.head.charSet, static_cast<unsigned>(index));
    }

    db = PhraseDatabase{};
    db.charSet = reading.head.charSet;
    db.maxPhraseLength = reading.head.maxPhraseLength;
    db.statedPhraseCount = reading.head.phraseCount;
    reserveForBlocks(file, db);
    for (int b = 0; b < reading.head.blockCount; ++b) {
        if (!decodeBlock(reading, b, db)) return PhraseDecoding::kDamaged;
    }
    closeLists(db, static_cast<std::size_t>(reading.indexCount));
    for (const StoredPhrase& phrase : db.phrases) {
        if (phrase.length > db.maxPhraseLength) return PhraseDecoding::kDamaged;
    }
    return PhraseDecoding::kDecoded;
}
