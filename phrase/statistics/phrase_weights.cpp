#include "phrase/statistics/phrase_weights.h"

#include <algorithm>
#include <unordered_set>

#include "foundation/statistics_text.h"
#include "foundation/text_encoding.h"

namespace {

// The character indexes of the UTF-8 `word`; empty when the CharSet cannot
// write one of them.
std::u16string indexesOf(std::string_view word, CharSetConverter& converter, CharSet charSet) {
    std::u16string indexes;
    while (!word.empty()) {
        const auto length = static_cast<std::size_t>(std::max(utf8Length(word), 1));
        const std::string bytes = converter.fromUtf8(word.substr(0, length));
        if (bytes.size() != 2) return {};
        indexes.push_back(static_cast<char16_t>(charToIndex(charSet, bytes.c_str())));
        word.remove_prefix(length);
    }
    return indexes;
}

std::size_t characterCount(std::string_view word) {
    std::size_t count = 0;
    while (!word.empty()) {
        word.remove_prefix(static_cast<std::size_t>(std::max(utf8Length(word), 1)));
        ++count;
    }
    return count;
}

}  // namespace

PhraseWeights phraseWeights(const PhraseDatabase& db, const FrequencySource& source) {
    std::unordered_set<std::u16string> held;
    for (const StoredPhrase& phrase : db.phrases) {
        const std::span<const uint16_t> text = db.text(phrase);
        held.emplace(text.begin(), text.end());
    }
    CharSetConverter converter(db.charSet);
    PhraseWeights f;
    std::vector<std::pair<std::string, long long>> missing;
    for (uint32_t entry = 0; entry < source.table.entries.size(); ++entry) {
        const std::string_view word = source.table.text(source.table.entries[entry]);
        if (characterCount(word) < 2) continue;
        const long long weight = source.wordWeight(entry);
        f.total += weight;
        const std::u16string indexes = indexesOf(word, converter, db.charSet);
        if (!indexes.empty() && held.contains(indexes)) {
            f.kept += weight;
        } else if (weight > 0) {
            missing.push_back({std::string(word), weight});
        }
    }
    const std::size_t shown = std::min(missing.size(), kMissingShown);
    std::partial_sort(missing.begin(), missing.begin() + static_cast<std::ptrdiff_t>(shown),
                      missing.end(), [](const auto& a, const auto& b) {
                          return a.second != b.second ? a.second > b.second : a.first < b.first;
                      });
    missing.resize(shown);
    f.heaviestMissing = std::move(missing);
    return f;
}

std::string phraseWeightsReport(const FrequencySource& source, const PhraseWeights& f) {
    std::string text = "\nPhrases, weighted by \"" + source.name + "\"\n";
    text += figureLine("  Phrases kept", sharePercent(f.kept, f.total));
    text += "  Heaviest missing\n";
    for (const auto& [word, weight] : f.heaviestMissing) {
        text.append("    ").append(word).append(" ").append(std::to_string(weight)).append("\n");
    }
    return text;
}
