// Shared pieces of the front-end tests: a CMabrel reading a source text,
// passes run with standard output captured and the immediate process end
// turned into a result, the resource bodies the records encode to, and a BMP
// file maker.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <random>
#include <string>

#include "ime/database/ime_resources.h"
#include "ime/mabrel_context.h"
#include "ime/messages.h"
#include "tests/support/bmp_maker.h"
#include "tests/support/files.h"
#include "tests/support/step_run.h"

namespace front_test {

using namespace test_support;
using test_support::BmpShape;
using TempDir = ScratchDir;
using PassRun = StepRun;

inline std::string bytesOf(const void* data, std::size_t size) {
    return std::string(static_cast<const char*>(data), size);
}

// The body of resource `type` as the database of what the passes read would
// hold it (the code tables aside); empty when the database would not hold it.
inline std::string resourceBody(const CMabrel& mabrel, const char* type) {
    ImeLayout layout;
    layOutFrontEnd(mabrel.im, layout);
    for (const DatabaseResource& resource : imeResources(layout)) {
        if (std::string(resource.type, 4) == type) {
            return bytesOf(resource.body.data(), resource.body.size());
        }
    }
    return {};
}

// The layout of what the passes read, the code tables aside, its header
// with the counts it is encoded with.
inline ImeLayout laidOut(const CMabrel& mabrel) {
    ImeLayout layout;
    layOutFrontEnd(mabrel.im, layout);
    layout.header = settledHeader(layout);
    return layout;
}

// A numbered message as printed while a section is current.
inline std::string numbered(int line, const char* section, int code, const std::string& text) {
    return "\r \r\aL" + std::to_string(line) + ", " + section + ", Message " +
           std::to_string(code) + ": " + text + "\n";
}

// A numbered message as printed before any section was found.
inline std::string unsectioned(int code, const std::string& text) {
    return "\r \r\aMessage " + std::to_string(code) + " : " + text + "\n";
}

// A test that drives passes over a source text; `dir` holds its other files.
class SourceTest : public ::testing::Test {
  protected:
    void SetUp() override { useMabrelMessages(); }

    void openText(const std::string& text) { mabrel.source.stream = SourceText{text}; }

    TempDir dir;
    CMabrel mabrel;
};

}  // namespace front_test
