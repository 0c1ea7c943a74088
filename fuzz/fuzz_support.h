// Shared pieces of the fuzz targets: a private scratch folder and quiet
// standard output.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

// Moves into a fresh folder (memory-backed where possible) and silences
// standard output. Call once.
inline void setUp() {
    char pattern[] = "/dev/shm/cjk-fuzz-XXXXXX";
    char fallback[] = "/tmp/cjk-fuzz-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr) dir = mkdtemp(fallback);
    if (dir == nullptr || chdir(dir) != 0) std::abort();
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
}

inline void writeFile(const char* name, std::string_view bytes) {
    std::FILE* file = std::fopen(name, "wb");
    if (file == nullptr) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace fuzz
