#include "foundation/character_weights.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/desktop_tables/table_reader.h"
#include "foundation/text_encoding.h"

namespace {

// Adds `weight` for every character of `text` above ASCII.
void addCharacters(std::string_view text, long long weight, FrequencySource& source) {
    while (!text.empty()) {
        const int length = std::max(utf8Length(text), 1);
        const std::string_view character = text.substr(0, static_cast<std::size_t>(length));
        if (length > 1) source.characters[character] += weight;
        text.remove_prefix(character.size());
    }
}

}  // namespace

long long FrequencySource::wordWeight(uint32_t entry) const {
    return weighted ? std::llround(table.weight(entry)) : 1;
}

int readFrequencySource(const char* name, const TableReading& reading, FrequencySource& source) {
    source.name = name;
    if (int rc = readWordList(name, reading, source.table)) return rc;
    source.weighted = source.table.weighted;
    if (!source.weighted) {
        addCharacters(source.table.files[0], 1, source);
        return 0;
    }
    for (uint32_t entry = 0; entry < source.table.entries.size(); ++entry) {
        addCharacters(source.table.text(source.table.entries[entry]), source.wordWeight(entry),
                      source);
    }
    return 0;
}

CharSetWeights charSetWeights(const FrequencySource& source, CharSet charSet) {
    CharSetWeights weights;
    weights.byIndex.assign(static_cast<std::size_t>(indexCount(charSet)), 0);
    CharSetConverter converter(charSet);
    for (const auto& [character, weight] : source.characters) {
        ++weights.distinct;
        const std::string bytes = converter.fromUtf8Uncached(character);
        const int index = bytes.empty() ? -1 : charToIndex(charSet, bytes.c_str());
        if (index < 0 || static_cast<std::size_t>(index) >= weights.byIndex.size()) {
            ++weights.unwritable;
            continue;
        }
        weights.byIndex[static_cast<std::size_t>(index)] += weight;
        weights.total += weight;
    }
    return weights;
}

std::string weightedHeading(const FrequencySource& source, const CharSetWeights& weights,
                            CharSet charSet) {
    const char* setName = charSetName(charSet);
    char counts[160];
    std::snprintf(counts, sizeof counts, " (%d distinct characters, %d of them not in %s)\n",
                  weights.distinct, weights.unwritable, setName != nullptr ? setName : "?");
    return "\nTyping, weighted by \"" + source.name + "\"" + counts;
}

std::string sharePercent(long long part, long long whole) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f %%",
                  whole > 0 ? 100.0 * static_cast<double>(part) / static_cast<double>(whole) : 0.0);
    return text;
}
