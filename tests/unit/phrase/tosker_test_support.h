// Helpers for driving Tosker's passes in a test: files in a scratch folder,
// captured standard output, and databases assembled from their parts.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"
#include "foundation/database_container.h"
#include "phrase/messages.h"
#include "phrase/phrase_database_writer.h"
#include "phrase/tosker_context.h"

namespace tosker_test {

namespace fs = std::filesystem;

inline fs::path scratchPath(const std::string& name) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    fs::path dir =
        fs::path(::testing::TempDir()) / "tosker-unit" / test->test_suite_name() / test->name();
    fs::create_directories(dir);
    return dir / name;
}

inline std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline fs::path writeBytes(const std::string& name, const std::string& bytes) {
    const fs::path path = scratchPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// The text of characters given by their indexes.
inline std::string chars(CharSet charSet, std::initializer_list<unsigned> indexes) {
    std::string text;
    for (unsigned index : indexes) {
        char bytes[3];
        indexToChar(charSet, index, bytes, sizeof bytes);
        text += bytes;
    }
    return text;
}

struct Captured {
    int rc;
    std::string output;
};

// Runs `step` with standard output captured.
template <class Step>
Captured captured(Step step) {
    ::testing::internal::CaptureStdout();
    const int rc = step();
    std::fflush(stdout);
    return {rc, ::testing::internal::GetCapturedStdout()};
}

// A fresh context, as at the start of a run.
struct Fixture : ::testing::Test {
    void SetUp() override { useToskerMessages(); }
    CTosker tosker;
};

// A resource of a database to assemble: type, id and body bytes.
struct Resource {
    std::string type;
    uint16_t id;
    std::string body;
};

// Header, directory, gap and bodies, as the container lays them out.
inline std::string assembleDatabase(const std::vector<Resource>& resources,
                                    const char* type = "CIZU") {
    const auto count = static_cast<uint16_t>(resources.size());
    const auto header = encodeDatabaseHeader(makeDatabaseHeader("test", type, count, 0));
    std::string bytes(header.begin(), header.end());
    std::string bodies;
    uint32_t offset = firstBodyOffset(count);
    for (const Resource& r : resources) {
        ResourceEntry entry{};
        std::copy_n(r.type.data(), 4, entry.type);
        entry.id = r.id;
        entry.offset = offset + static_cast<uint32_t>(bodies.size());
        const auto encoded = encodeResourceEntry(entry);
        bytes.append(encoded.begin(), encoded.end());
        bodies += r.body;
    }
    bytes.resize(firstBodyOffset(count), '\0');
    return bytes + bodies;
}

inline std::string headBody(CharSet charSet, uint16_t firstIndex, uint16_t lastIndex,
                            uint16_t version = 0x0200) {
    HeadRecord head{};
    head.version = version;
    head.charSet = charSet;
    head.firstIndex = firstIndex;
    head.lastIndex = lastIndex;
    head.maxPhraseLength = 3;
    head.phraseCount = 1;
    const auto bytes = encodeHeadRecord(head);
    return {bytes.begin(), bytes.end()};
}

// A "DATA" body whose positions from `first` on hold the given word lists.
inline std::string dataBody(int first, const std::vector<std::vector<uint16_t>>& lists) {
    std::string table(2 + 2 * (257 - first), '\0');
    std::string words;
    uint8_t bytes[2];
    const auto put = [&](std::string& out, std::size_t at, uint16_t value) {
        putU16BE(bytes, value);
        out.replace(at, 2, reinterpret_cast<const char*>(bytes), 2);
    };
    put(table, 0, static_cast<uint16_t>(first));
    for (int k = 0; k <= 256 - first; ++k) {
        put(table, 2 + 2 * k, static_cast<uint16_t>(table.size() + words.size()));
        if (k < static_cast<int>(lists.size())) {
            for (uint16_t w : lists[k]) {
                putU16BE(bytes, w);
                words.append(reinterpret_cast<const char*>(bytes), 2);
            }
        }
    }
    return table + words;
}

}  // namespace tosker_test
