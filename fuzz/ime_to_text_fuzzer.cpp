// Turns a fuzzed input-method database (the untrusted binary input) back
// into source. A run that stops on a message leaves no file; a run that ends
// with "Convert OK." leaves the source and exactly the pictures it names, a
// source that compiles, and every pair it lists is one the lookup finds in
// the database.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "foundation/diagnostics.h"
#include "fuzz/fuzz_support.h"
#include "ime/compile_driver.h"
#include "ime/database/input_method_database.h"
#include "ime/decompile_driver.h"
#include "ime/lookup/lookup_index.h"
#include "ime/lookup/lookup_line.h"
#include "ime/messages.h"

namespace {

bool exists(const char* name) {
    return access(name, F_OK) == 0;
}

bool compilesBack() {
    CMabrel mabrel;
    return readSourceFile(mabrel, "back.txt") == 0 &&
           !encodeInputMethodDatabase(mabrel.im, 0).empty();
}

bool lookupFindsEveryPair(const InputMethod& im) {
    const LookupIndex index(im);
    LookupLineReader reader(im);
    return std::all_of(im.entries.begin(), im.entries.end(), [&](const CodeTableEntry& entry) {
        const std::string code(im.codes[entry.code]);
        const std::vector<int> found = index.exactEntries(code);
        return reader.read(code).code == code &&
               std::any_of(found.begin(), found.end(),
                           [&](int e) { return im.entries[e].character == entry.character; });
    });
}

void checkOutputs(int rc, const uint8_t* data, std::size_t size) {
    InputMethod im;
    QuietReports quiet;
    readInputMethodDatabase(std::vector<uint8_t>(data, data + size), "db.pdb", im);
    const bool picture = rc == 0 && im.keyboard.has_value();
    const bool highDensity = picture && im.keyboard->highDensity.has_value();
    if (exists("back.txt") != (rc == 0) || exists("back.bmp") != picture ||
        exists("backHDD.bmp") != highDensity) {
        std::abort();
    }
    if (rc == 0 && (!compilesBack() || !lookupFindsEveryPair(im))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::writeFile("db.pdb", std::string_view(reinterpret_cast<const char*>(data), size));
    useMabrelMessages();
    const int rc = decompileDatabase("db.pdb", "back.txt", TextEncoding::kCharSet);
    checkOutputs(rc, data, size);
    std::remove("back.txt");
    std::remove("back.bmp");
    std::remove("backHDD.bmp");
    return 0;
}
