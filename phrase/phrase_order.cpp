#include "phrase/phrase_order.h"

#include <algorithm>
#include <map>
#include <vector>

#include "foundation/character_weights.h"
#include "foundation/input_file.h"
#include "foundation/output_file.h"
#include "foundation/span_reorder.h"
#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"
#include "foundation/utf8_source.h"
#include "phrase/messages.h"
#include "phrase/text_to_database.h"

namespace {

constexpr std::string_view kPhraseHeader = "[Phrase]";

std::size_t blanksAt(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    return at;
}

bool opensPhrases(std::string_view line) {
    line.remove_prefix(blanksAt(line));
    return line.size() >= kPhraseHeader.size() &&
           equalsIgnoringCase(std::string(line.substr(0, kPhraseHeader.size())).c_str(),
                              kPhraseHeader.data());
}

}  // namespace

int orderPhrasesByWeight(CharSet charSet, bool utf8, const WordWeights& weights,
                         std::string& bytes) {
    const LeadTrailBytes set(charSet);
    CharSetConverter converter(charSet);
    std::map<std::string, std::vector<WeightedSpan>> byFirst;  // lines without their line feed
    bool inPhrases = false;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t stop = std::min(bytes.find('\n', start), bytes.size());
        const std::string_view line = std::string_view(bytes).substr(start, stop - start);
        const std::size_t at = blanksAt(line);
        std::string_view phrase = line.substr(at);
        phrase = phrase.substr(0, std::min(phrase.find_first_of(" \t\r"), phrase.size()));
        std::size_t first = 0;
        if (utf8 && utf8Length(phrase) >= 2) first = static_cast<std::size_t>(utf8Length(phrase));
        if (!utf8 && phrase.size() >= 2 && set.startsChar(phrase.data())) first = 2;
        if (inPhrases && first > 0) {
            const std::string text = utf8 ? std::string(phrase) : converter.textToUtf8(phrase);
            const auto found = weights.find(text);
            byFirst[std::string(phrase.substr(0, first))].push_back(
                {start, line.size(), found == weights.end() ? 0 : found->second});
        }
        if (!inPhrases && opensPhrases(line)) inPhrases = true;
        start = stop + 1;
    }
    std::vector<std::vector<WeightedSpan>> groups;
    for (auto& [character, lines] : byFirst) groups.push_back(std::move(lines));
    return reorderSpans(groups, bytes);
}

int orderPhrases(CTosker& tosker, const char* list, const char* frequencies,
                 const char* destination) {
    if (int rc = readPhraseList(tosker, list, nullptr)) return rc;
    const bool utf8 = sourceReadAsUtf8();
    FrequencySource source;
    if (int rc = readFrequencySource(frequencies, {kKeyTable}, source)) return rc;
    if (!source.weighted) return report(kNoWords, frequencies);
    WordWeights weights;
    for (uint32_t entry = 0; entry < source.table.entries.size(); ++entry) {
        weights.try_emplace(source.table.text(source.table.entries[entry]),
                            source.wordWeight(entry));
    }
    std::string bytes;
    if (int rc = readInputFile(list, bytes, kReadFileError)) return rc;
    const int reordered = orderPhrasesByWeight(tosker.database.charSet, utf8, weights, bytes);
    OutputFile output;
    if (int rc = output.open(destination)) return rc;
    if (int rc = output.commit(bytes)) return rc;
    report(kFirstCharactersReordered, reordered);
    return 0;
}
