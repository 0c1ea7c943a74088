// The longest common subsequence of two orders, for the differences both
// tools show: what lies outside it was added, removed or moved.
#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Which elements of each order lie on one longest common subsequence.
struct CommonSubsequence {
    std::vector<bool> inFirst;   // by position in the first order
    std::vector<bool> inSecond;  // by position in the second order
};

// Elements are equal when their ids are. Each pair of equal elements is
// weighed once, so an order whose elements stand once each (a candidate
// order, a first character's phrases) costs O(n log n); repeated ids (the
// empty lines of a help text) cost as many pairs as they make.
CommonSubsequence longestCommonSubsequence(std::span<const uint32_t> first,
                                           std::span<const uint32_t> second);

// One id for each distinct text, from 0 in the order they are first asked
// for, and the text of each id: what the differences compare, in UTF-8, so
// that two CharSets compare by the characters they mean.
class TextIds {
  public:
    uint32_t idOf(std::string_view text) {
        const auto found = ids_.find(text);
        if (found != ids_.end()) return found->second;
        const auto id = static_cast<uint32_t>(texts_.size());
        texts_.emplace_back(text);
        ids_.emplace(texts_.back(), id);
        return id;
    }
    const std::string& text(uint32_t id) const { return texts_[id]; }

  private:
    std::deque<std::string> texts_;  // stays where it is as it grows
    std::unordered_map<std::string_view, uint32_t> ids_;
};
