// Compiles a fuzzed input-method source end to end. The input is the source
// text, optionally followed by the separator "\n#BMP#\n" and the bytes of
// "kbd.bmp", and again by the separator and the bytes of "kbdhd.bmp", so that
// sources naming those files reach the keyboard bitmap loader.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "ime/compile_driver.h"
#include "ime/messages.h"

namespace {

constexpr std::string_view kSeparator = "\n#BMP#\n";

// Cuts the next piece off the front of `rest`.
std::string_view nextPiece(std::string_view& rest) {
    const std::size_t at = rest.find(kSeparator);
    const std::string_view piece = rest.substr(0, at);
    rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + kSeparator.size());
    return piece;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::setUp();
    useMabrelMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    fuzz::writeFile("src.txt", nextPiece(rest));
    fuzz::writeFile("kbd.bmp", nextPiece(rest));
    fuzz::writeFile("kbdhd.bmp", nextPiece(rest));

    useMabrelMessages();
    {
        CMabrel mabrel;
        compileSource(mabrel, "src.txt", "out.pdb");
    }
    std::remove("out.pdb");
    return 0;
}
