#include "foundation/character_weights.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "foundation/desktop_tables/table_reader.h"
#include "foundation/text_encoding.h"

namespace {

constexpr std::size_t kWeightsFirstRoom = 0x10000;

// Adds `weight` for every character of `text` above ASCII, into a flat table
// by code point: a source of millions of characters is counted without
// hashing. The text is UTF-8 throughout (the reader refuses a file that is
// not), so a lead byte says how many bytes follow.
void addCharacters(std::string_view text, long long weight, FrequencySource& source) {
    const auto* at = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = at + text.size();
    while (at < end) {
        const unsigned char lead = *at;
        if (lead < 0x80) {
            ++at;
            continue;
        }
        const std::ptrdiff_t length = utf8LengthFromLead(static_cast<char>(lead));
        if (end - at < length) break;
        char32_t value = lead & (0x7Fu >> length);
        for (std::ptrdiff_t k = 1; k < length; ++k) value = value << 6 | (at[k] & 0x3F);
        at += length;
        if (value >= source.byCodePoint.size()) {
            const std::size_t room =
                std::max<std::size_t>(value + 1, 2 * source.byCodePoint.size());
            source.byCodePoint.resize(room, 0);
            source.held.resize(room, 0);
        }
        source.byCodePoint[value] += weight;
        // A character is held when its weight is above 0, or when it was
        // seen with a weight of 0 (or below, where a table gives one).
        if (weight <= 0) source.held[value] = 1;
    }
}

}  // namespace

long long FrequencySource::wordWeight(uint32_t entry) const {
    if (!weighted) return 1;
    // Whole numbers, as word lists give them, need no rounding.
    const double weight = table.weight(entry);
    const auto whole = static_cast<long long>(weight);
    return static_cast<double>(whole) == weight ? whole : std::llround(weight);
}

int readFrequencySource(const char* name, const TableReading& reading, FrequencySource& source) {
    source.name = name;
    if (int rc = readWordList(name, reading, source.table)) return rc;
    source.weighted = source.table.weighted;
    source.byCodePoint.assign(kWeightsFirstRoom, 0);
    source.held.assign(kWeightsFirstRoom, 0);
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
    for (std::size_t value = 0x80; value < source.byCodePoint.size(); ++value) {
        const long long weight = source.byCodePoint[value];
        if (weight == 0 && source.held[value] == 0) continue;
        ++weights.distinct;
        std::string utf8Text;
        appendUtf8(static_cast<char32_t>(value), utf8Text);
        const std::string bytes = converter.fromUtf8Uncached(utf8Text);
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
