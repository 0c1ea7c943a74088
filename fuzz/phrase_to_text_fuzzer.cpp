// Converts a fuzzed phrase database (the untrusted binary input) into text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "phrase/database_to_text.h"
#include "phrase/messages.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::writeFile("db.pdb", std::string_view(reinterpret_cast<const char*>(data), size));
    useToskerMessages();
    CTosker tosker;
    convertDatabaseToText(tosker, "db.pdb", "out.txt");
    std::remove("out.txt");
    return 0;
}
