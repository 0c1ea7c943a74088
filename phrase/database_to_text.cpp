#include "phrase/database_to_text.h"

#include <climits>
#include <cstring>
#include <memory>
#include <span>

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"
#include "foundation/database_container.h"
#include "foundation/file_handle.h"
#include "phrase/messages.h"
#include "phrase/phrase_source.h"

namespace {

constexpr char kDescriptionHeader[] = "[Description]";
constexpr char kPhraseHeader[] = "[Phrase]";
constexpr char kUserMark[] = ",USER";
// Words whose index bits reach this value are markers, not characters.
constexpr uint16_t kFirstMarker = 0x7F00;
constexpr uint16_t kUserBit = 0x0001;

// The whole database file in memory; every read of a body goes through
// `holds` first, so nothing outside the file is ever looked at.
struct DatabaseImage {
    const uint8_t* bytes;
    uint64_t size;
    const char* name;

    bool holds(uint64_t offset, uint64_t length) const { return offset + length <= size; }
    int damaged() const { return report(kDatabaseDamaged, name); }
};

// The "DATA" body that covers the index being walked.
struct Block {
    bool present = false;
    uint32_t start = 0;  // body offset in the file
    int first = 0;       // F: the first position with an offset table entry
};

int startBlock(const DatabaseImage& image, const ResourceDirectory& directory, int number,
               Block& block) {
    block.present = findResource(directory, kDataType, static_cast<uint16_t>(kResourceId + number),
                                 block.start);
    if (!block.present) return 0;
    if (!image.holds(block.start, 2)) return image.damaged();
    block.first = getU16BE(image.bytes + block.start);
    if (block.first > kSlotsPerBlock ||
        !image.holds(block.start, 2 + 2 * uint64_t(kSlotsPerBlock + 1 - block.first))) {
        return image.damaged();
    }
    return 0;
}

// Writes the comment line of character `index` and one line per phrase of
// its list (the words from `begin` to `end` in the image).
int writeSlot(const DatabaseImage& image, CharSet charSet, unsigned index, uint32_t begin,
              uint32_t end, std::FILE* out) {
    const auto isCharacter = [&](unsigned i) {
        return i >= kFirstDoubleByteIndex && i < static_cast<unsigned>(indexCount(charSet));
    };
    if (!isCharacter(index)) return image.damaged();

    char first[3];
    indexToChar(charSet, index, first, sizeof first);
    std::fprintf(out, "//%s\n", first);

    // The first character, up to 14 more and the terminator.
    char phrase[2 * kMaxPhraseLength + 1];
    int characters = 1;
    bool user = false;
    std::memcpy(phrase, first, sizeof first);
    for (uint32_t at = begin; at + 2 <= end; at += 2) {
        const uint16_t word = getU16BE(image.bytes + at);
        const unsigned character = word & kIndexBits;
        if (character >= kFirstMarker) {
            if (word & kUserBit) user = true;
        } else {
            if (!isCharacter(character) || characters == kMaxPhraseLength) return image.damaged();
            indexToChar(charSet, character, phrase + 2 * characters, 3);
            ++characters;
        }
        if (word & kLastWordBit) {
            std::fprintf(out, "%s%s\n", phrase, user ? kUserMark : "");
            characters = 1;
            user = false;
            phrase[2] = '\0';
        }
    }
    std::fputs("\n", out);
    return 0;
}

int writePhraseLists(const DatabaseImage& image, const ResourceDirectory& directory,
                     const HeadRecord& head, std::FILE* out) {
    Block block;
    for (uint32_t i = head.firstIndex; i <= head.lastIndex; ++i) {
        const uint32_t d = i - head.firstIndex;
        if (d % kSlotsPerBlock == 0) {
            if (int rc =
                    startBlock(image, directory, static_cast<int>(d / kSlotsPerBlock), block)) {
                return rc;
            }
        }
        const int position = static_cast<int>(d % kSlotsPerBlock);
        if (!block.present || position < block.first) continue;

        const uint32_t entry = block.start + 2 + 2 * uint32_t(position - block.first);
        const uint32_t begin = getU16BE(image.bytes + entry);
        const uint32_t end = getU16BE(image.bytes + entry + 2);
        if (end < begin || !image.holds(block.start, end)) return image.damaged();
        if (end - begin < 2) continue;
        if (int rc =
                writeSlot(image, head.charSet, i, block.start + begin, block.start + end, out)) {
            return rc;
        }
    }
    return 0;
}

void writeDescription(const HeadRecord& head, std::FILE* out) {
    std::fprintf(out, "%s\n", kDescriptionHeader);
    writeKeyLine(out, keyName(kKeyCharSet), charSetName(head.charSet));
    char length[8];
    std::snprintf(length, sizeof length, "%u", unsigned{head.maxPhraseLength});
    writeKeyLine(out, keyName(kKeyMaxPhraseLength), length);
    std::fprintf(out, "//Total %d phrases\n", static_cast<int>(head.phraseCount));
    std::fputs("\n", out);
    std::fprintf(out, "%s\n", kPhraseHeader);
}

// Reads the whole file from its first byte; 200 or 101 on failure.
int readImage(std::FILE* file, const char* name, ZeroedBlock& bytes, uint64_t& size) {
    std::fseek(file, 0, SEEK_END);
    const long length = std::ftell(file);
    if (length < 0) return report(kReadFileError, name);
    if (length > INT_MAX) return report(kNoMemory);
    bytes = allocZeroedBlock(static_cast<int>(length));
    if (!bytes) return kNoMemory.code;
    std::rewind(file);
    if (std::fread(bytes.get(), 1, static_cast<std::size_t>(length), file) !=
        static_cast<std::size_t>(length)) {
        return report(kReadFileError, name);
    }
    size = static_cast<uint64_t>(length);
    return 0;
}

}  // namespace

void writeKeyLine(std::FILE* out, const char* key, const char* value) {
    char line[256];
    std::snprintf(line, sizeof line, "%s=%s", key, value);
    std::fprintf(out, "%s\n", line);
}

int convertDatabaseToText(CTosker& tosker, const char* sourceName, const char* destinationName) {
    report(kConvertingDatabase, sourceName, destinationName);
    FileHandle source = openInputFile(sourceName);
    if (!source) return report(kOpenFileFail, sourceName);

    uint8_t header[kDatabaseHeaderSize];
    if (std::fread(header, 1, sizeof header, source.get()) != sizeof header) {
        return report(kReadFileError, sourceName);
    }
    if (std::memcmp(header + kHeaderTypeOffset, kPhraseDatabaseType, 4) != 0 ||
        std::memcmp(header + kHeaderCreatorOffset, kCreator, 4) != 0) {
        return report(kNotPhraseDatabase, sourceName);
    }
    const auto directory = std::make_unique<ResourceDirectory>();
    if (readDirectory(*directory, source.get(), getU16BE(header + kHeaderCountOffset)) == 0) {
        return report(kTooManyResources);
    }

    FileHandle out(std::fopen(destinationName, "w"));
    if (!out) return report(kCreateFileFail, destinationName);
    ZeroedBlock bytes;
    uint64_t size = 0;
    if (int rc = readImage(source.get(), sourceName, bytes, size)) return rc;
    const DatabaseImage image{bytes.get(), size, sourceName};

    uint32_t headOffset = 0;
    if (!findResource(*directory, kHeadType, kResourceId, headOffset)) {
        return report(kNotPhraseDatabase, sourceName);
    }
    if (!image.holds(headOffset, kHeadRecordSize)) return image.damaged();
    HeadRecord& head = tosker.head;
    std::memcpy(&head, image.bytes + headOffset, kHeadRecordSize);
    swapHeadRecord(head);
    if (head.version != kPhraseFormatVersion) return report(kVersionError, sourceName);
    if (charSetName(head.charSet) == nullptr) return image.damaged();

    writeDescription(head, out.get());
    if (int rc = writePhraseLists(image, *directory, head, out.get())) return rc;

    out.reset();
    source.reset();
    report(kConvertOk);
    return 0;
}
