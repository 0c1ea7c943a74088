#include "phrase/left_out_phrases.h"

#include <utility>

#include "foundation/left_out_list.h"
#include "foundation/text_encoding.h"
#include "phrase/messages.h"

namespace {
constexpr char kFullCharacter[] = "full first character";
constexpr char kFullBlock[] = "full block";
}  // namespace

std::string leftOutPhrasesText(const PhraseFitting& fitting, const CTosker& tosker) {
    std::string text;
    for (const LeftOutPhrase& item : fitting.leftOut) {
        appendLeftOutLine(text, item.line, {item.phrase, leftOutReason(item.forBlock)});
    }
    if (!tosker.utf8Source) return text;
    // Every phrase came from UTF-8, so each has its UTF-8 form back.
    CharSetConverter converter(tosker.database.charSet);
    return converter.textToUtf8(text);
}

std::string_view leftOutReason(bool forBlock) {
    return forBlock ? kFullBlock : kFullCharacter;
}

void reportCompileTotals(const PhraseFitting& fitting, const std::string& listName,
                         int phraseCount) {
    if (leftOutTotal(fitting) > 0) {
        report(kMisfitsLeftOut, leftOutTotal(fitting), fitting.leftOutForCharacters,
               fitting.leftOutForBlocks);
        report(kPhrasesListed, listName.c_str());
    }
    report(kTotalPhrases, phraseCount);
}
