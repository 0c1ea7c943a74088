#include "phrase/database_to_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "foundation/char_sets.h"
#include "foundation/database_container.h"
#include "foundation/file_identity.h"
#include "foundation/input_file.h"
#include "foundation/memory_guard.h"
#include "foundation/output_file.h"
#include "foundation/text_encoding.h"
#include "foundation/utf8_source.h"
#include "phrase/messages.h"
#include "phrase/phrase_source.h"

namespace {

constexpr char kDescriptionHeader[] = "[Description]";
constexpr char kPhraseHeader[] = "[Phrase]";
constexpr char kUserMark[] = ",USER";
// Words whose index bits reach this value are markers, not characters.
constexpr uint16_t kFirstMarker = 0x7F00;
constexpr uint16_t kUserBit = 0x0001;

// The whole database file in memory; a body is seen with the bytes from its
// start to the end of the file, so nothing outside the file is looked at.
struct DatabaseImage {
    const std::vector<uint8_t>& bytes;
    const char* name;

    std::size_t availableFrom(uint32_t offset) const {
        return offset <= bytes.size() ? bytes.size() - offset : 0;
    }
    const uint8_t* at(uint32_t offset) const {
        return bytes.data() + std::min<std::size_t>(offset, bytes.size());
    }
    int damaged() const { return report(kDatabaseDamaged, name); }
};

// The "DATA" body that covers the index being walked, when the file has one.
struct Block {
    bool present = false;
    DataBlockView view{};
};

// False when the block is present but its head or offset table is damaged.
bool startBlock(const DatabaseImage& image, const ResourceDirectory& directory, int number,
                Block& block) {
    uint32_t start = 0;
    block.present =
        findResource(directory, kDataType, static_cast<uint16_t>(kResourceId + number), start);
    return !block.present ||
           decodeDataBlockHead(image.at(start), image.availableFrom(start), block.view);
}

bool isCharacter(const CharacterBytes& characters, unsigned index) {
    return index >= kFirstDoubleByteIndex && index < characters.count();
}

// Appends the comment line of character `index` and one line per phrase of
// its list, counting the phrases; false when a word is no character or a
// phrase passes 15.
bool writeSlot(const CharacterBytes& characters, unsigned index, const PhraseSlot& list,
               std::string& text, uint32_t& phrases) {
    if (!isCharacter(characters, index)) return false;
    text.append("//");
    characters.append(index, text);
    text += '\n';

    // Each phrase is written as its words come; a damaged list throws the
    // whole text away.
    bool started = false;
    int length = 1;
    bool user = false;
    for (const uint16_t word : list.words) {
        if (!started) {
            characters.append(index, text);
            started = true;
        }
        const unsigned character = word & kIndexBits;
        if (character >= kFirstMarker) {
            if (word & kUserBit) user = true;
        } else {
            if (!isCharacter(characters, character) || length == kMaxPhraseLength) return false;
            characters.append(character, text);
            ++length;
        }
        if (word & kLastWordBit) {
            if (user) text.append(kUserMark);
            text += '\n';
            ++phrases;
            started = false;
            length = 1;
            user = false;
        }
    }
    if (started) text.resize(text.rfind('\n') + 1);  // a phrase without its end
    text += '\n';
    return true;
}

int writePhraseLists(const DatabaseImage& image, const ResourceDirectory& directory,
                     const HeadRecord& head, std::string& text, uint32_t& phrases) {
    Block block;
    PhraseSlot list;
    const CharacterBytes characters(head.charSet);
    for (uint32_t i = head.firstIndex; i <= head.lastIndex; ++i) {
        const uint32_t d = i - head.firstIndex;
        if (d % kSlotsPerBlock == 0 &&
            !startBlock(image, directory, static_cast<int>(d / kSlotsPerBlock), block)) {
            return image.damaged();
        }
        const int position = static_cast<int>(d % kSlotsPerBlock);
        if (!block.present || position < block.view.first) continue;
        if (!decodeDataBlockList(block.view, position, list)) return image.damaged();
        if (list.words.empty()) continue;
        if (!writeSlot(characters, i, list, text, phrases)) return image.damaged();
    }
    return 0;
}

void writeDescription(const HeadRecord& head, PhraseText encoding, std::string& text) {
    text.append(kDescriptionHeader).append("\n");
    writeKeyLine(text, keyName(kKeyCharSet), charSetName(head.charSet));
    if (encoding == PhraseText::kUtf8) writeKeyLine(text, kEncodingKey, "UTF-8");
    writeKeyLine(text, keyName(kKeyMaxPhraseLength), std::to_string(head.maxPhraseLength).c_str());
    text.append("//Total ")
        .append(std::to_string(static_cast<int>(head.phraseCount)))
        .append(" phrases\n\n");
    text.append(kPhraseHeader).append("\n");
}

// The "HEAD" record of the database; 400, 403 or 401 when it has none that
// this program reads.
int readHead(const DatabaseImage& image, const ResourceDirectory& directory, HeadRecord& head) {
    uint32_t offset = 0;
    if (!findResource(directory, kHeadType, kResourceId, offset)) {
        return report(kNotPhraseDatabase, image.name);
    }
    if (!decodeHeadRecord(image.at(offset), image.availableFrom(offset), head)) {
        return image.damaged();
    }
    if (head.version != kPhraseFormatVersion) return report(kVersionError, image.name);
    if (charSetName(head.charSet) == nullptr) return image.damaged();
    return 0;
}

// A head and a directory that agree with each other and with the CharSet:
// the head covers every double-byte character, and the directory holds
// nothing but the "HEAD" and the "DATA" resources of its blocks, each once.
bool agrees(const ResourceDirectory& directory, const HeadRecord& head) {
    const int last = indexCount(head.charSet) - 1;
    const int blocks = (last - kFirstDoubleByteIndex + kSlotsPerBlock) / kSlotsPerBlock;
    if (head.firstIndex != kFirstDoubleByteIndex || head.lastIndex != last ||
        head.blockCount != blocks) {
        return false;
    }
    const auto& entries = directory.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ResourceEntry& e = entries[i];
        const bool isHead = std::memcmp(e.type, kHeadType, 4) == 0 && e.id == kResourceId;
        const bool isData = std::memcmp(e.type, kDataType, 4) == 0 && e.id >= kResourceId &&
                            e.id < kResourceId + blocks;
        if (!isHead && !isData) return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (std::memcmp(entries[j].type, e.type, 4) == 0 && entries[j].id == e.id) return false;
        }
    }
    return true;
}

// Reads the whole file and its container header; 100, 101 or 400.
int readDatabase(const char* name, std::vector<uint8_t>& bytes, DatabaseHeader& header) {
    const FileRead read = readWholeFile(name, bytes);
    if (read == FileRead::kCannotOpen) return report(kOpenFileFail, name);
    if (read == FileRead::kCannotRead ||
        !decodeDatabaseHeader(bytes.data(), bytes.size(), header)) {
        return report(kReadFileError, name);
    }
    if (std::memcmp(header.type, kPhraseDatabaseType, 4) != 0 ||
        std::memcmp(header.creator, kCreator, 4) != 0) {
        return report(kNotPhraseDatabase, name);
    }
    return 0;
}

// The text in UTF-8; 907 for a character that has no UTF-8 form.
int inUtf8(CharSet charSet, std::string& text) {
    CharSetConverter converter(charSet);
    std::string utf8, failed;
    if (!converter.textToUtf8(text, utf8, failed)) {
        return report(kCannotWrite, failed.c_str(), "UTF-8");
    }
    text = std::move(utf8);
    return 0;
}

int convert(CTosker& tosker, const char* sourceName, const char* destinationName,
            PhraseText encoding) {
    report(kConvertingDatabase, sourceName, destinationName);
    if (isSameFile(destinationName, sourceName))
        return report(kDestinationIsSource, destinationName);
    std::vector<uint8_t> bytes;
    DatabaseHeader header{};
    if (int rc = readDatabase(sourceName, bytes, header)) return rc;
    ResourceDirectory directory;
    if (readDirectory(bytes.data(), bytes.size(), header.resourceCount, directory) == 0) {
        return report(kTooManyResources);
    }

    OutputFile out;
    if (int rc = out.open(destinationName)) return rc;
    const DatabaseImage image{bytes, sourceName};
    if (int rc = readHead(image, directory, tosker.head)) return rc;
    if (!agrees(directory, tosker.head)) return image.damaged();
    std::string text;
    writeDescription(tosker.head, encoding, text);
    uint32_t phrases = 0;
    if (int rc = writePhraseLists(image, directory, tosker.head, text, phrases)) return rc;
    if (encoding == PhraseText::kUtf8) {
        if (int rc = inUtf8(tosker.head.charSet, text)) return rc;
    }
    if (int rc = out.commit(text)) return rc;

    // The handheld adds phrases of its own, so another count alone is no damage.
    if (phrases != tosker.head.phraseCount) {
        report(kPhraseCountDiffers, sourceName, static_cast<int>(phrases),
               static_cast<int>(tosker.head.phraseCount));
    }
    reportRepeatedWarnings();
    report(kConvertOk);
    return 0;
}

}  // namespace

void writeKeyLine(std::string& text, const char* key, const char* value) {
    char line[256];
    std::snprintf(line, sizeof line, "%s=%s", key, value);
    text.append(line).append("\n");
}

int convertDatabaseToText(CTosker& tosker, const char* sourceName, const char* destinationName,
                          PhraseText encoding) {
    return runWithMemoryGuard(
        [&] { return convert(tosker, sourceName, destinationName, encoding); });
}
