#include "phrase/left_out_phrases.h"

#include "foundation/left_out_list.h"
#include "foundation/text_encoding.h"

namespace {
constexpr char kFullCharacter[] = "full first character";
constexpr char kFullBlock[] = "full block";
}  // namespace

std::string leftOutPhrasesText(const PhraseFitting& fitting, const CTosker& tosker) {
    std::string text;
    for (const LeftOutPhrase& item : fitting.leftOut) {
        appendLeftOutLine(text, item.line,
                          {item.phrase, item.forBlock ? kFullBlock : kFullCharacter});
    }
    if (!tosker.utf8Source) return text;
    // Every phrase came from UTF-8, so each has its UTF-8 form back.
    CharSetConverter converter(tosker.database.charSet);
    return converter.textToUtf8(text);
}
