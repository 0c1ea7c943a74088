#include "foundation/utf8_output.h"

#include <algorithm>
#include <vector>

#include "foundation/common_messages.h"
#include "foundation/text_encoding.h"

namespace {

constexpr std::size_t kNamedCharacters = 10;

}  // namespace

int convertTextToUtf8(CharSet charSet, std::string& text, std::span<const KeptBytes> kept) {
    CharSetConverter converter(charSet);
    std::vector<std::string> unwritable;
    std::string utf8;
    std::size_t at = 0;
    for (const KeptBytes& run : kept) {
        utf8 +=
            converter.textToUtf8(std::string_view(text).substr(at, run.offset - at), &unwritable);
        utf8.append(text, run.offset, run.size);
        at = run.offset + run.size;
    }
    utf8 += converter.textToUtf8(std::string_view(text).substr(at), &unwritable);
    if (unwritable.empty()) {
        text = std::move(utf8);
        return 0;
    }
    // Each character is named once, in the order the text holds them.
    std::vector<std::string> distinct;
    for (std::string& character : unwritable) {
        if (std::find(distinct.begin(), distinct.end(), character) == distinct.end()) {
            distinct.push_back(std::move(character));
        }
    }
    const int rc = report(kCannotWrite, distinct.front().c_str(), "UTF-8");
    for (std::size_t k = 1; k < std::min(distinct.size(), kNamedCharacters); ++k) {
        report(kCannotWrite, distinct[k].c_str(), "UTF-8");
    }
    report(kCannotWriteCount, static_cast<int>(distinct.size()));
    return rc;
}
