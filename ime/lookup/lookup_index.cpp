#include "ime/lookup/lookup_index.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "ime/lookup/repeat_block_order.h"

LookupIndex::LookupIndex(const InputMethod& im) : im_(im) {
    indexCodes();
    indexCharacters();
}

void LookupIndex::indexCodes() {
    byCode_.resize(im_.entries.size());
    for (std::size_t e = 0; e < byCode_.size(); ++e) byCode_[e] = static_cast<int>(e);
    std::stable_sort(byCode_.begin(), byCode_.end(),
                     [&](int a, int b) { return codeOf(a) < codeOf(b); });
    ascending_.assign(byCode_.size(), byCode_.size());
    for (std::size_t k = byCode_.size(); k-- > 1;) {
        ascending_[k - 1] = byCode_[k - 1] > byCode_[k] ? k : ascending_[k];
    }
}

// Counts the entries of each character index, then files them in entry
// order and puts each character's run in the database's order.
void LookupIndex::indexCharacters() {
    const int indexes = indexCount(im_.charSet);
    firstOfIndex_.assign(static_cast<std::size_t>(indexes) + 1, 0);
    std::vector<int> indexOf;
    indexOf.reserve(im_.entries.size());
    for (const CodeTableEntry& entry : im_.entries) {
        const int index = charToIndex(im_.charSet, entry.character.bytes().data());
        indexOf.push_back(index >= 0 && index < indexes ? index : -1);
        if (indexOf.back() >= 0) ++firstOfIndex_[index + 1];
    }
    for (int x = 0; x < indexes; ++x) firstOfIndex_[x + 1] += firstOfIndex_[x];
    ofIndex_.resize(static_cast<std::size_t>(firstOfIndex_.back()));
    std::vector<int> next(firstOfIndex_.begin(), firstOfIndex_.end() - 1);
    for (std::size_t e = 0; e < im_.entries.size(); ++e) {
        if (indexOf[e] >= 0) ofIndex_[next[indexOf[e]]++] = static_cast<int>(e);
    }
    for (int x = 0; x < indexes; ++x) {
        toRepeatBlockOrder(im_, std::span<int>(ofIndex_).subspan(
                                    firstOfIndex_[x], firstOfIndex_[x + 1] - firstOfIndex_[x]));
    }
}

bool LookupIndex::matches(std::string_view pattern, std::string_view code) const {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != code[i] && (im_.wildChar == 0 || pattern[i] != im_.wildChar)) {
            return false;
        }
    }
    return true;
}

std::pair<std::size_t, std::size_t> LookupIndex::prefixRange(std::string_view prefix) const {
    const auto begins = [&](int e) { return codeOf(e).substr(0, prefix.size()); };
    const auto lo = std::lower_bound(byCode_.begin(), byCode_.end(), prefix,
                                     [&](int e, std::string_view p) { return begins(e) < p; });
    const auto hi = std::upper_bound(lo, byCode_.end(), prefix,
                                     [&](std::string_view p, int e) { return p < begins(e); });
    return {static_cast<std::size_t>(lo - byCode_.begin()),
            static_cast<std::size_t>(hi - byCode_.begin())};
}

std::vector<int> LookupIndex::exactEntries(std::string_view pattern) const {
    const std::size_t wild =
        im_.wildChar == 0 ? std::string_view::npos : pattern.find(im_.wildChar);
    const auto [lo, hi] = prefixRange(pattern.substr(0, wild));
    std::vector<int> found;
    if (wild == std::string_view::npos) {
        // The code itself sorts first among the codes that begin with it.
        for (std::size_t k = lo; k < hi && codeOf(byCode_[k]) == pattern; ++k) {
            found.push_back(byCode_[k]);
        }
        return found;
    }
    for (std::size_t k = lo; k < hi; ++k) {
        const std::string_view code = codeOf(byCode_[k]);
        if (code.size() == pattern.size() && matches(pattern, code)) found.push_back(byCode_[k]);
    }
    std::sort(found.begin(), found.end());
    return found;
}

Completions LookupIndex::longerEntries(std::string_view pattern, int wanted) const {
    const std::size_t wild =
        im_.wildChar == 0 ? std::string_view::npos : pattern.find(im_.wildChar);
    auto [lo, hi] = prefixRange(pattern.substr(0, wild));
    Completions completions;
    if (wild == std::string_view::npos) {
        // Codes that begin with the pattern sort after the pattern itself.
        while (lo < hi && codeOf(byCode_[lo]).size() == pattern.size()) ++lo;
        completions.characterCount = static_cast<int>(hi - lo);
        if (lo == hi) return completions;
        if (ascending_[lo] >= hi) {
            const std::size_t end = std::min(hi, lo + static_cast<std::size_t>(wanted));
            completions.first.assign(byCode_.begin() + static_cast<std::ptrdiff_t>(lo),
                                     byCode_.begin() + static_cast<std::ptrdiff_t>(end));
            return completions;
        }
    }
    std::vector<int> found;
    for (std::size_t k = lo; k < hi; ++k) {
        const std::string_view code = codeOf(byCode_[k]);
        if (code.size() > pattern.size() && matches(pattern, code)) {
            found.push_back(byCode_[k]);
            if (wild != std::string_view::npos) ++completions.characterCount;
        }
    }
    std::sort(found.begin(), found.end());
    found.resize(std::min(found.size(), static_cast<std::size_t>(std::max(wanted, 0))));
    completions.first = std::move(found);
    return completions;
}

std::span<const int> LookupIndex::entriesOf(int index) const {
    if (index < 0 || index + 1 >= static_cast<int>(firstOfIndex_.size())) return {};
    return std::span<const int>(ofIndex_).subspan(firstOfIndex_[index],
                                                  firstOfIndex_[index + 1] - firstOfIndex_[index]);
}
