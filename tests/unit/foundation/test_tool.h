// A small tool table for exercising the foundation on its own.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "foundation/diagnostics.h"

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

// A source file in the temporary folder, removed with the object.
class TempSource {
  public:
    explicit TempSource(const std::string& bytes) {
        path_ = std::filesystem::temp_directory_path() /
                ("cjk-unit-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + ".txt");
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    ~TempSource() { std::filesystem::remove(path_); }
    const char* path() const { return path_.c_str(); }

  private:
    std::filesystem::path path_;
};

}  // namespace test_tool
