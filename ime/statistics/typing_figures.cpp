#include "ime/statistics/typing_figures.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "foundation/statistics_text.h"
#include "ime/statistics/code_characters.h"

namespace {

bool heavier(const WeightedCharacter& a, const WeightedCharacter& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
}

std::vector<CostlyCode> costliest(const std::vector<CodeCharacters>& codes,
                                  const std::vector<int>& keys,
                                  const std::vector<long long>& weights) {
    std::vector<CostlyCode> costly;
    for (const CodeCharacters& code : codes) {
        if (code.characters.size() < 2) continue;
        CostlyCode entry{code.code, 0, {}};
        for (std::size_t p = 0; p < code.characters.size(); ++p) {
            const unsigned index = code.characters[p];
            const long long weight = index < weights.size() ? weights[index] : 0;
            entry.candidates.push_back({index, weight});
            const int cost = candidateKeys(static_cast<int>(code.code.size()), static_cast<int>(p));
            if (p > 0 && index < keys.size() && keys[index] == cost) entry.cost += weight;
        }
        if (entry.cost > 0) costly.push_back(std::move(entry));
    }
    std::stable_sort(costly.begin(), costly.end(),
                     [](const CostlyCode& a, const CostlyCode& b) { return a.cost > b.cost; });
    if (costly.size() > kHeaviestShown) costly.resize(kHeaviestShown);
    return costly;
}

}  // namespace

TypingFigures typingFigures(const std::vector<CodeCharacters>& codes,
                            const CharSetWeights& weights) {
    TypingFigures f;
    const std::vector<long long>& w = weights.byIndex;
    std::vector<int> keys(w.size(), INT_MAX);
    std::vector<bool> first(w.size(), false);
    for (const CodeCharacters& code : codes) {
        for (std::size_t p = 0; p < code.characters.size(); ++p) {
            const unsigned index = code.characters[p];
            if (index >= w.size()) continue;
            const int cost = candidateKeys(static_cast<int>(code.code.size()), static_cast<int>(p));
            keys[index] = std::min(keys[index], cost);
            if (p == 0) first[index] = true;
        }
    }
    f.totalWeight = weights.total;
    std::vector<WeightedCharacter> uncoded;
    for (unsigned index = 0; index < w.size(); ++index) {
        if (w[index] == 0) continue;
        if (keys[index] == INT_MAX) {
            uncoded.push_back({index, w[index]});
            continue;
        }
        f.codedWeight += w[index];
        if (first[index]) f.firstWeight += w[index];
        f.keyWeight += w[index] * keys[index];
    }
    const std::size_t shown = std::min(uncoded.size(), kHeaviestShown);
    std::partial_sort(uncoded.begin(), uncoded.begin() + static_cast<std::ptrdiff_t>(shown),
                      uncoded.end(), heavier);
    uncoded.resize(shown);
    f.heaviestUncoded = std::move(uncoded);
    f.costliestCodes = costliest(codes, keys, w);
    return f;
}

std::string typingReport(const TypingFigures& f, CharSet charSet) {
    ShownCharacters shown(charSet);
    std::string text = figureLine("  Coded", sharePercent(f.codedWeight, f.totalWeight));
    text += figureLine("  First candidate", sharePercent(f.firstWeight, f.codedWeight));
    char keys[32];
    std::snprintf(keys, sizeof keys, "%.3f",
                  f.codedWeight > 0
                      ? static_cast<double>(f.keyWeight) / static_cast<double>(f.codedWeight)
                      : 0.0);
    text += figureLine("  Keys per character", keys);
    text += "  Heaviest uncoded\n";
    for (const auto& [index, weight] : f.heaviestUncoded) {
        text.append("    ").append(shown.shownIndex(charSet, index));
        text.append(" ").append(std::to_string(weight)).append("\n");
    }
    text += "  Costliest shared codes\n";
    for (const CostlyCode& code : f.costliestCodes) {
        text.append("    ").append(code.code);
        for (const auto& [index, weight] : code.candidates) {
            text.append(" ").append(shown.shownIndex(charSet, index));
            text.append(" ").append(std::to_string(weight));
        }
        text.append("\n");
    }
    return text;
}
