#include "foundation/span_reorder.h"

#include <algorithm>
#include <utility>

int reorderSpans(const std::vector<std::vector<WeightedSpan>>& groups, std::string& bytes) {
    // The run that goes to each place.
    std::vector<std::pair<const WeightedSpan*, const WeightedSpan*>> moves;
    int reordered = 0;
    for (const std::vector<WeightedSpan>& group : groups) {
        std::vector<const WeightedSpan*> old;
        for (const WeightedSpan& span : group) old.push_back(&span);
        std::vector<const WeightedSpan*> ordered = old;
        std::stable_sort(
            ordered.begin(), ordered.end(),
            [](const WeightedSpan* a, const WeightedSpan* b) { return a->weight > b->weight; });
        if (ordered == old) continue;
        ++reordered;
        for (std::size_t k = 0; k < old.size(); ++k) moves.push_back({old[k], ordered[k]});
    }
    std::sort(moves.begin(), moves.end(),
              [](const auto& a, const auto& b) { return a.first->at < b.first->at; });
    std::string out;
    out.reserve(bytes.size());
    std::size_t copied = 0;
    for (const auto& [place, span] : moves) {
        out.append(bytes, copied, place->at - copied);
        out.append(bytes, span->at, span->length);
        copied = place->at + place->length;
    }
    out.append(bytes, copied);
    bytes = std::move(out);
    return reordered;
}
