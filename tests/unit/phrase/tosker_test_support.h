// Helpers for driving Tosker's passes in a test: files in a scratch folder,
// captured standard output, and databases assembled from their parts.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/big_endian.h"
#include "foundation/char_sets.h"
#include "foundation/database_container.h"
#include "phrase/messages.h"
#include "phrase/tosker_context.h"
#include "tests/support/files.h"

namespace tosker_test {

namespace fs = std::filesystem;

using test_support::readFile;

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

// A fresh context, as at the start of a run, and a scratch folder.
struct Fixture : ::testing::Test {
    void SetUp() override { useToskerMessages(); }

    fs::path scratchPath(const std::string& name) const { return dir / name; }
    fs::path writeBytes(const std::string& name, const std::string& bytes) const {
        test_support::writeFile(dir / name, bytes);
        return dir / name;
    }

    CTosker tosker;
    test_support::ScratchDir dir;
};

// A resource of a database to assemble: type, id and body bytes.
struct Resource {
    std::string type;
    uint16_t id;
    std::string body;
};

// Header, directory, gap and bodies, as the container lays them out.
inline std::string database(const std::vector<Resource>& resources, const char* type = "CIZU") {
    std::vector<DatabaseResource> laid;
    for (const Resource& r : resources) {
        DatabaseResource resource{};
        std::copy_n(r.type.data(), 4, resource.type);
        resource.id = r.id;
        resource.body.assign(r.body.begin(), r.body.end());
        laid.push_back(resource);
    }
    const std::vector<uint8_t> bytes =
        assembleDatabase(makeDatabaseHeader("test", type, 0, 0), laid);
    return {bytes.begin(), bytes.end()};
}

// A "HEAD" body; without indexes given, one that covers every double-byte
// character of the set, as a database of this program does.
inline std::string headBody(CharSet charSet, uint16_t firstIndex = 256, uint16_t last = 0,
                            uint16_t version = 0x0200) {
    const auto lastIndex = last != 0 ? last : static_cast<uint16_t>(indexCount(charSet) - 1);
    std::vector<uint8_t> bytes;
    for (const uint16_t field :
         {version, charSet, firstIndex, lastIndex,
          static_cast<uint16_t>((lastIndex - firstIndex + 256) / 256), uint16_t{3}}) {
        appendU16BE(bytes, field);
    }
    appendU32BE(bytes, 1);  // phrases
    bytes.resize(64, 0);    // no signature
    return {bytes.begin(), bytes.end()};
}

// A "DATA" body whose positions from `first` on hold the given word lists.
inline std::string dataBody(int first, const std::vector<std::vector<uint16_t>>& lists) {
    std::vector<uint8_t> table, words;
    appendU16BE(table, static_cast<uint16_t>(first));
    const std::size_t tableSize = 2 + 2 * std::size_t(257 - first);
    for (int k = 0; k <= 256 - first; ++k) {
        appendU16BE(table, static_cast<uint16_t>(tableSize + words.size()));
        if (k < static_cast<int>(lists.size())) {
            for (uint16_t w : lists[k]) appendU16BE(words, w);
        }
    }
    return std::string(table.begin(), table.end()) + std::string(words.begin(), words.end());
}

}  // namespace tosker_test
