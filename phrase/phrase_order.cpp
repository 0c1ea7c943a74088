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
#include "phrase/phrase_lines.h"
#include "phrase/text_to_database.h"

int orderPhrasesByWeight(CharSet charSet, bool utf8, const WordWeights& weights,
                         std::string& bytes) {
    CharSetConverter converter(charSet);
    std::map<std::string, std::vector<WeightedSpan>> byFirst;  // lines without their line feed
    for (const PhraseLine& line : phraseLinesOf(bytes, charSet, utf8)) {
        const std::string text =
            utf8 ? std::string(line.phrase) : converter.textToUtf8(line.phrase);
        const auto found = weights.find(text);
        byFirst[std::string(line.first())].push_back(
            {line.start, line.length, found == weights.end() ? 0 : found->second});
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
