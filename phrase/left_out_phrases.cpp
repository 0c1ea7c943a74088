#include "phrase/left_out_phrases.h"

#include "foundation/text_encoding.h"

namespace {
constexpr char kFullCharacter[] = "full first character";
constexpr char kFullBlock[] = "full block";
}  // namespace

std::string leftOutPhrasesText(const PhraseFitting& fitting, const CTosker& tosker) {
    std::string text;
    for (const LeftOutPhrase& item : fitting.leftOut) {
        text += std::to_string(item.line);
        text += '\t';
        text += item.phrase;
        text += '\t';
        text += item.forBlock ? kFullBlock : kFullCharacter;
        text += '\n';
    }
    if (!tosker.utf8Source) return text;
    // Every phrase came from UTF-8, so each has its UTF-8 form back.
    CharSetConverter converter(tosker.database.charSet);
    return converter.textToUtf8(text);
}
