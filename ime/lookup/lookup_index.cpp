#include "ime/lookup/lookup_index.h"

#include <algorithm>

#include "foundation/char_sets.h"
#include "ime/lookup/repeat_block_order.h"

LookupIndex::LookupIndex(const InputMethod& im) : im_(im) {
    indexCodes();
    indexCharacters();
}

void LookupIndex::indexCodes() {
    const std::vector<CodeTableEntry>& entries = im_.entries;
    byCode_.resize(entries.size());
    for (std::size_t e = 0; e < entries.size(); ++e) byCode_[e] = static_cast<int>(e);
    std::stable_sort(byCode_.begin(), byCode_.end(),
                     [&](int a, int b) { return entries[a].code < entries[b].code; });
    charactersBefore_.assign(byCode_.size() + 1, 0);
    for (std::size_t k = 0; k < byCode_.size(); ++k) {
        charactersBefore_[k + 1] =
            charactersBefore_[k] + static_cast<int>(entries[byCode_[k]].characters.size());
    }
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
    for (const CodeTableEntry& entry : im_.entries) {
        for (const ImeCharacter& c : entry.characters) {
            const char bytes[2] = {static_cast<char>(c[0]), static_cast<char>(c[1])};
            const int index = charToIndex(im_.charSet, bytes);
            indexOf.push_back(index >= 0 && index < indexes ? index : -1);
            if (indexOf.back() >= 0) ++firstOfIndex_[index + 1];
        }
    }
    for (int x = 0; x < indexes; ++x) firstOfIndex_[x + 1] += firstOfIndex_[x];
    ofIndex_.resize(static_cast<std::size_t>(firstOfIndex_.back()));
    std::vector<int> next(firstOfIndex_.begin(), firstOfIndex_.end() - 1);
    std::size_t at = 0;
    for (std::size_t e = 0; e < im_.entries.size(); ++e) {
        for (std::size_t c = 0; c < im_.entries[e].characters.size(); ++c, ++at) {
            if (indexOf[at] >= 0) ofIndex_[next[indexOf[at]]++] = static_cast<int>(e);
        }
    }
    for (int x = 0; x < indexes; ++x) {
        toRepeatBlockOrder(im_, std::span<int>(ofIndex_).subspan(
                                    firstOfIndex_[x], firstOfIndex_[x + 1] - firstOfIndex_[x]));
    }
}

bool LookupIndex::matches(std::string_view pattern, const std::string& code) const {
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != code[i] && (im_.wildChar == 0 || pattern[i] != im_.wildChar)) {
            return false;
        }
    }
    return true;
}

std::pair<std::size_t, std::size_t> LookupIndex::prefixRange(std::string_view prefix) const {
    const auto begins = [&](int e) {
        return std::string_view(im_.entries[e].code).substr(0, prefix.size());
    };
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
        for (std::size_t k = lo; k < hi && im_.entries[byCode_[k]].code == pattern; ++k) {
            found.push_back(byCode_[k]);
        }
        return found;
    }
    for (std::size_t k = lo; k < hi; ++k) {
        const std::string& code = im_.entries[byCode_[k]].code;
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
        while (lo < hi && im_.entries[byCode_[lo]].code.size() == pattern.size()) ++lo;
        completions.characterCount = charactersBefore_[hi] - charactersBefore_[lo];
        if (lo == hi) return completions;
        if (ascending_[lo] >= hi) {
            for (int have = 0; lo < hi && have < wanted; ++lo) {
                completions.first.push_back(byCode_[lo]);
                have += static_cast<int>(im_.entries[byCode_[lo]].characters.size());
            }
            return completions;
        }
    }
    std::vector<int> found;
    for (std::size_t k = lo; k < hi; ++k) {
        const CodeTableEntry& entry = im_.entries[byCode_[k]];
        if (entry.code.size() > pattern.size() && matches(pattern, entry.code)) {
            found.push_back(byCode_[k]);
            if (wild != std::string_view::npos) {
                completions.characterCount += static_cast<int>(entry.characters.size());
            }
        }
    }
    std::sort(found.begin(), found.end());
    for (int have = 0;
         have < wanted && !found.empty() && completions.first.size() < found.size();) {
        const int e = found[completions.first.size()];
        completions.first.push_back(e);
        have += static_cast<int>(im_.entries[e].characters.size());
    }
    return completions;
}

std::span<const int> LookupIndex::entriesOf(int index) const {
    if (index < 0 || index + 1 >= static_cast<int>(firstOfIndex_.size())) return {};
    return std::span<const int>(ofIndex_).subspan(firstOfIndex_[index],
                                                  firstOfIndex_[index + 1] - firstOfIndex_[index]);
}
