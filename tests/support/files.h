// Files for tests: reading and writing whole files, and a scratch folder.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace test_support {

namespace fs = std::filesystem;

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// A fresh empty folder, removed with everything in it when the object goes.
class ScratchDir {
  public:
    ScratchDir() {
        std::random_device random;
        path_ = fs::temp_directory_path() / ("cjk-test-" + std::to_string(random()));
        fs::create_directories(path_);
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& path() const { return path_; }
    fs::path operator/(const std::string& name) const { return path_ / name; }

    // The names in the folder, sorted: what a run left behind.
    std::string listing() const {
        std::string names;
        std::vector<std::string> all;
        for (const auto& entry : fs::directory_iterator(path_)) {
            all.push_back(entry.path().filename().string());
        }
        std::sort(all.begin(), all.end());
        for (const std::string& name : all) names += name + "\n";
        return names;
    }

  private:
    fs::path path_;
};

// Makes a folder the working folder while the object lives.
class WorkingDir {
  public:
    explicit WorkingDir(const fs::path& path) : previous_(fs::current_path()) {
        fs::current_path(path);
    }
    ~WorkingDir() { fs::current_path(previous_); }

  private:
    fs::path previous_;
};

}  // namespace test_support
