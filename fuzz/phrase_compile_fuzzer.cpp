// Converts a fuzzed phrase list text into a phrase database.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "phrase/messages.h"
#include "phrase/text_to_database.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::setUp();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    fuzz::writeFile("list.txt", std::string_view(reinterpret_cast<const char*>(data), size));
    useToskerMessages();
    CTosker tosker;
    convertTextToDatabase(tosker, "list.txt", "out.pdb");
    std::remove("out.pdb");
    return 0;
}
