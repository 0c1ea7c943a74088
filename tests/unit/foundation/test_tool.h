// A small tool table for exercising the foundation on its own.
#pragma once

#include <filesystem>
#include <string>

#include "foundation/diagnostics.h"
#include "tests/support/files.h"

namespace test_tool {

inline constexpr int kDescription = 0;
inline constexpr int kCharSet = 1;
inline constexpr int kRules = 2;
inline constexpr int kText = 3;
inline constexpr int kNoSection = 4;

inline const char* const kNames[] = {"[Description]", "CharSet", "[Rules]", "[Text]"};

inline void use() {
    useToolMessages({kNames, kNoSection});
}

// A source file in a scratch folder of its own.
class TempSource {
  public:
    explicit TempSource(const std::string& bytes) { test_support::writeFile(path_, bytes); }
    const char* path() const { return path_.c_str(); }

  private:
    test_support::ScratchDir dir_;
    std::filesystem::path path_ = dir_ / "src.txt";
};

}  // namespace test_tool
