// Shared pieces of the fuzz targets: a private scratch folder, quiet standard
// output, and an end-of-process hook that returns control to the target.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "foundation/process_end.h"

namespace fuzz {

// Thrown in place of the process exit after the immediate-stop messages.
struct ProcessEnded {
    int status;
};

[[noreturn]] inline void throwProcessEnded(int status) {
    throw ProcessEnded{status};
}

// Moves into a fresh folder (memory-backed where possible), silences standard
// output and installs the end-of-process hook. Call once.
inline void setUp() {
    char pattern[] = "/dev/shm/cjk-fuzz-XXXXXX";
    char fallback[] = "/tmp/cjk-fuzz-XXXXXX";
    const char* dir = mkdtemp(pattern);
    if (dir == nullptr) dir = mkdtemp(fallback);
    if (dir == nullptr || chdir(dir) != 0) std::abort();
    if (std::freopen("/dev/null", "w", stdout) == nullptr) std::abort();
    setProcessEndHook(throwProcessEnded);
}

inline void writeFile(const char* name, std::string_view bytes) {
    std::FILE* file = std::fopen(name, "wb");
    if (file == nullptr) std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace fuzz
