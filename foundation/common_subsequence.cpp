#include "foundation/common_subsequence.h"

#include <algorithm>
#include <utility>

namespace {

// One pair of equal elements that ends a common subsequence, and the pair
// before it (-1 for none).
struct SubsequenceLink {
    uint32_t first;
    uint32_t second;
    int64_t previous;
};

}  // namespace

CommonSubsequence longestCommonSubsequence(std::span<const uint32_t> first,
                                           std::span<const uint32_t> second) {
    CommonSubsequence result{std::vector<bool>(first.size()), std::vector<bool>(second.size())};
    // The positions of the first order, by id.
    std::vector<std::pair<uint32_t, uint32_t>> byId(first.size());
    for (std::size_t p = 0; p < first.size(); ++p) {
        byId[p] = {first[p], static_cast<uint32_t>(p)};
    }
    std::sort(byId.begin(), byId.end());
    // ends[k]: the smallest position in the first order at which a common
    // subsequence of k + 1 elements ends so far, and the link that ends it.
    std::vector<uint32_t> ends;
    std::vector<int64_t> endLinks;
    std::vector<SubsequenceLink> links;
    for (std::size_t q = 0; q < second.size(); ++q) {
        const auto low =
            std::lower_bound(byId.begin(), byId.end(), std::pair<uint32_t, uint32_t>{second[q], 0});
        auto high = low;
        while (high != byId.end() && high->first == second[q]) ++high;
        // From the back, so that one element of the second order takes one
        // place of the first at most.
        for (auto match = high; match != low;) {
            --match;
            const uint32_t p = match->second;
            const auto at = static_cast<std::size_t>(std::lower_bound(ends.begin(), ends.end(), p) -
                                                     ends.begin());
            links.push_back({p, static_cast<uint32_t>(q), at == 0 ? -1 : endLinks[at - 1]});
            const auto link = static_cast<int64_t>(links.size() - 1);
            if (at == ends.size()) {
                ends.push_back(p);
                endLinks.push_back(link);
            } else {
                ends[at] = p;
                endLinks[at] = link;
            }
        }
    }
    for (int64_t link = endLinks.empty() ? -1 : endLinks.back(); link >= 0;
         link = links[static_cast<std::size_t>(link)].previous) {
        const SubsequenceLink& step = links[static_cast<std::size_t>(link)];
        result.inFirst[step.first] = true;
        result.inSecond[step.second] = true;
    }
    return result;
}
