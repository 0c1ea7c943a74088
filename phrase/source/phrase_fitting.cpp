#include "phrase/source/phrase_fitting.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "phrase/messages.h"
#include "phrase/source/phrase_store.h"

namespace {

constexpr int kWarnedLeftOuts = 10;

void warnLeftOut(const PhraseFitting& fitting, const CTosker& tosker, const Message& message,
                 int characterIndex) {
    if (leftOutTotal(fitting) > kWarnedLeftOuts) return;
    char character[4];
    indexToChar(tosker.database.charSet, static_cast<unsigned>(characterIndex), character,
                sizeof character);
    report(message, character);
}

}  // namespace

void startFitting(PhraseFitting& fitting, const CTosker& tosker) {
    fitting = PhraseFitting{};
    fitting.blocks.resize(static_cast<std::size_t>(phraseBlockCount(tosker.database.charSet)));
}

PhraseFit judgePhrase(PhraseFitting& fitting, const CTosker& tosker, int slot,
                      std::size_t wordCount) {
    if (!slotHasRoom(tosker, slot, wordCount)) {
        ++fitting.leftOutForCharacters;
        warnLeftOut(fitting, tosker, kTooManyPhrasesLeftOut, slot);
        return PhraseFit::kCharacterFull;
    }
    const int block = blockOfIndex(slot);
    const int position = positionInBlock(slot);
    BlockFill& fill = fitting.blocks[static_cast<std::size_t>(block)];
    const int first = std::min(fill.first, position);
    if (blockBodyBytes(first, fill.words + wordCount) > kMaxBlockBytes) {
        ++fitting.leftOutForBlocks;
        warnLeftOut(fitting, tosker, kBlockTooLargeLeftOut, blockFirstIndex(block));
        return PhraseFit::kBlockFull;
    }
    fill.first = first;
    fill.words += wordCount;
    return PhraseFit::kFits;
}

bool fitPhrase(PhraseFitting& fitting, const CTosker& tosker, int slot, std::size_t wordCount,
               std::string_view phrase) {
    const PhraseFit fit = judgePhrase(fitting, tosker, slot, wordCount);
    if (fit == PhraseFit::kFits) return true;
    fitting.leftOut.push_back({lineNumber, std::string(phrase), fit == PhraseFit::kBlockFull});
    return false;
}

int leftOutTotal(const PhraseFitting& fitting) {
    return fitting.leftOutForCharacters + fitting.leftOutForBlocks;
}
