// Converts a fuzzed phrase database (the untrusted binary input) into text,
// and checks which files the run leaves.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
    const int rc = convertDatabaseToText(tosker, "db.pdb", "out.txt");
    // A run that stops on a message leaves no file; one that ends with
    // "Convert OK." leaves its text.
    if ((access("out.txt", F_OK) == 0) != (rc == 0)) std::abort();
    std::remove("out.txt");
    return 0;
}
