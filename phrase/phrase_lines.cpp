#include "phrase/phrase_lines.h"

#include <algorithm>
#include <string>

#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"

namespace {

constexpr std::string_view kPhraseLinesHeader = "[Phrase]";

std::size_t blanksBefore(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    return at;
}

bool opensPhraseLines(std::string_view line) {
    line.remove_prefix(blanksBefore(line));
    return line.size() >= kPhraseLinesHeader.size() &&
           equalsIgnoringCase(std::string(line.substr(0, kPhraseLinesHeader.size())).c_str(),
                              kPhraseLinesHeader.data());
}

}  // namespace

std::vector<PhraseLine> phraseLinesOf(std::string_view bytes, CharSet charSet, bool utf8) {
    const LeadTrailBytes set(charSet);
    std::vector<PhraseLine> lines;
    bool inPhrases = false;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t stop = std::min(bytes.find('\n', start), bytes.size());
        const std::string_view line = bytes.substr(start, stop - start);
        std::string_view phrase = line.substr(blanksBefore(line));
        phrase = phrase.substr(0, std::min(phrase.find_first_of(" \t\r"), phrase.size()));
        std::size_t first = 0;
        if (utf8 && utf8Length(phrase) >= 2) first = static_cast<std::size_t>(utf8Length(phrase));
        if (!utf8 && phrase.size() >= 2 && set.startsChar(phrase.data())) first = 2;
        if (inPhrases && first > 0) lines.push_back({start, line.size(), phrase, first});
        if (!inPhrases && opensPhraseLines(line)) inPhrases = true;
        start = stop + 1;
    }
    return lines;
}
