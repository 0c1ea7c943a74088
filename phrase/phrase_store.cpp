#include "phrase/phrase_store.h"

#include <array>
#include <cstring>

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"
#include "foundation/process_end.h"
#include "phrase/messages.h"

namespace {

using SlotBuffer = std::array<uint8_t, kMaxSlotBytes>;

// Moves to the end of the store and returns that position.
int32_t storeEnd(std::FILE* file) {
    std::fseek(file, 0, SEEK_END);
    return static_cast<int32_t>(std::ftell(file));
}

bool writeAt(std::FILE* file, int32_t offset, const uint8_t* bytes, int size) {
    std::fseek(file, offset, SEEK_SET);
    return std::fwrite(bytes, 1, static_cast<std::size_t>(size), file) ==
           static_cast<std::size_t>(size);
}

}  // namespace

int openPhraseStore(CTosker& tosker) {
    const int count = indexCount(tosker.head.charSet);
    tosker.slots.reset(
        static_cast<PhraseSlot*>(allocZeroed(count * static_cast<int>(sizeof(PhraseSlot)))));
    if (!tosker.slots) return kNoMemory.code;
    tosker.tempFile.reset(std::tmpfile());
    if (!tosker.tempFile) return report(kCreateTempFail, kStoreName);
    return 0;
}

bool readSlot(CTosker& tosker, const PhraseSlot& slot, uint8_t* buffer) {
    std::FILE* file = tosker.tempFile.get();
    const auto size = static_cast<std::size_t>(slot.length);
    return std::fseek(file, slot.offset, SEEK_SET) == 0 &&
           std::fread(buffer, 1, size, file) == size;
}

bool isDuplicatePhrase(CTosker& tosker, int slot, const uint8_t* words, int count) {
    const PhraseSlot& entry = tosker.slots[slot];
    if (entry.length == 0) return false;

    SlotBuffer buffer;
    if (!readSlot(tosker, entry, buffer.data())) {
        report(kReadFileError, kStoreName);
        endProcess(1);
    }
    const int wordCount = entry.length / 2;
    int phraseStart = 0;
    for (int w = 0; w < wordCount; ++w) {
        if ((getU16BE(&buffer[2 * w]) & kLastWordBit) == 0) continue;
        const int phraseWords = w + 1 - phraseStart;
        if (phraseWords == count && std::memcmp(&buffer[2 * phraseStart], words,
                                                2 * static_cast<std::size_t>(count)) == 0) {
            return true;
        }
        phraseStart = w + 1;
    }
    return false;
}

int appendPhrase(CTosker& tosker, int slot, const uint8_t* words, int count) {
    PhraseSlot& entry = tosker.slots[slot];
    std::FILE* file = tosker.tempFile.get();
    const int bytes = 2 * count;

    if (entry.length == 0) {
        entry.length = static_cast<int16_t>(bytes);
        entry.capacity = static_cast<int16_t>(bytes);
        entry.offset = storeEnd(file);
        if (!writeAt(file, entry.offset, words, bytes)) return report(kWriteFileError, kStoreName);
    } else {
        if (entry.length + bytes > kMaxSlotBytes) {
            char character[4];
            indexToChar(tosker.head.charSet, static_cast<unsigned>(slot), character,
                        sizeof character);
            return report(kTooManyPhrases, character);
        }
        SlotBuffer buffer{};
        if (!readSlot(tosker, entry, buffer.data())) return report(kReadFileError, kStoreName);
        std::memcpy(&buffer[static_cast<std::size_t>(entry.length)], words,
                    static_cast<std::size_t>(bytes));
        entry.length = static_cast<int16_t>(entry.length + bytes);
        if (entry.length > entry.capacity) {
            entry.capacity = static_cast<int16_t>((entry.capacity / kSlotGrowth + 1) * kSlotGrowth);
            entry.offset = storeEnd(file);
        }
        if (!writeAt(file, entry.offset, buffer.data(), entry.capacity)) {
            return report(kWriteFileError, kStoreName);
        }
    }
    ++tosker.head.phraseCount;
    return 0;
}
