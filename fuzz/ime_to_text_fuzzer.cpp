// Turns a fuzzed input-method database (the untrusted binary input) back
// into source. A run that stops on a message leaves no file; a run that ends
// with "Convert OK." leaves the source and exactly the pictures it names.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "foundation/diagnostics.h"
#include "fuzz/fuzz_support.h"
#include "ime/database/input_method_database.h"
#include "ime/decompile_driver.h"
#include "ime/messages.h"

namespace {

bool exists(const char* name) {
    return access(name, F_OK) == 0;
}

void checkOutputs(int rc, const uint8_t* data, std::size_t size) {
    InputMethod im;
    {
        QuietReports quiet;
        readInputMethodDatabase(std::vector<uint8_t>(data, data + size), "db.pdb", im);
    }
    const bool picture = rc == 0 && im.keyboard.has_value();
    const bool highDensity = picture && im.keyboard->highDensity.has_value();
    if (exists("back.txt") != (rc == 0) || exists("back.bmp") != picture ||
        exists("backHDD.bmp") != highDensity) {
        std::abort();
    }
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
