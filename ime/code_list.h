// The distinct codes of a code table, each named by its number (from 0, in
// the order they were added): their bytes one after another in one pool,
// each followed by a zero byte, and where each starts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class CodeList {
  public:
    std::size_t size() const { return starts_.size(); }

    std::string_view operator[](uint32_t number) const {
        const uint32_t start = starts_[number];
        const uint32_t end = number + 1 < starts_.size() ? starts_[number + 1] : pool_.size();
        return std::string_view(pool_).substr(start, end - start - 1);
    }
    // The code as a zero-terminated text.
    const char* text(uint32_t number) const { return pool_.c_str() + starts_[number]; }

    // Appends `code` and returns its number; the caller keeps codes distinct.
    uint32_t add(std::string_view code) {
        starts_.push_back(static_cast<uint32_t>(pool_.size()));
        pool_.append(code).push_back('\0');
        return static_cast<uint32_t>(starts_.size() - 1);
    }
    void reserve(std::size_t codes, std::size_t bytes) {
        starts_.reserve(codes);
        pool_.reserve(bytes);
    }
    void clear() {
        pool_.clear();
        starts_.clear();
    }

    bool operator==(const CodeList&) const = default;

  private:
    std::string pool_;
    std::vector<uint32_t> starts_;
};
