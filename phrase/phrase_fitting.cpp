#include "phrase/phrase_fitting.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "phrase/data_block.h"
#include "phrase/messages.h"
#include "phrase/phrase_store.h"

namespace {

constexpr int kWarnedLeftOuts = 10;

void warnLeftOut(const PhraseFitting& fitting, const CTosker& tosker, const Message& message,
                 int characterIndex) {
    if (leftOutTotal(fitting) > kWarnedLeftOuts) return;
    char character[4];
    indexToChar(tosker.head.charSet, static_cast<unsigned>(characterIndex), character,
                sizeof character);
    report(message, character);
}

}  // namespace

void startFitting(PhraseFitting& fitting, const CTosker& tosker) {
    const int slots = indexCount(tosker.head.charSet) - kFirstDoubleByteIndex;
    fitting = PhraseFitting{};
    fitting.blocks.resize(static_cast<std::size_t>((slots + kSlotsPerBlock - 1) / kSlotsPerBlock));
}

bool fitPhrase(PhraseFitting& fitting, const CTosker& tosker, int slot, std::size_t wordCount,
               std::string_view phrase) {
    if (!slotHasRoom(tosker, slot, wordCount)) {
        fitting.leftOut.push_back({lineNumber, std::string(phrase), false});
        ++fitting.leftOutForCharacters;
        warnLeftOut(fitting, tosker, kTooManyPhrasesLeftOut, slot);
        return false;
    }
    const int block = (slot - kFirstDoubleByteIndex) / kSlotsPerBlock;
    const int position = (slot - kFirstDoubleByteIndex) % kSlotsPerBlock;
    BlockFill& fill = fitting.blocks[static_cast<std::size_t>(block)];
    const int first = std::min(fill.first, position);
    if (dataBodyBytes(first, fill.words + wordCount) > std::size_t{kMaxBlockBytes}) {
        fitting.leftOut.push_back({lineNumber, std::string(phrase), true});
        ++fitting.leftOutForBlocks;
        warnLeftOut(fitting, tosker, kBlockTooLargeLeftOut,
                    kFirstDoubleByteIndex + block * kSlotsPerBlock);
        return false;
    }
    fill.first = first;
    fill.words += wordCount;
    return true;
}

int leftOutTotal(const PhraseFitting& fitting) {
    return fitting.leftOutForCharacters + fitting.leftOutForBlocks;
}
