// The "tSTR" body, helpSize bytes: the lines of "[Help]" as read, each with
// its line feed, a NUL, and one more zero byte when that makes the size even.
#include "ime/help_text.h"

#include <cstring>

#include "foundation/text_helpers.h"
#include "ime/messages.h"

namespace {

// A line is appended while the text is shorter than this, so the longest
// text is 8188 + 510 bytes; with its NUL and pad byte it fits the block.
constexpr std::size_t kHelpTextLimit = 8189;
constexpr int kHelpBlockSize = 8700;

}  // namespace

int parseHelp(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyHelp)) return 0;
    mabrel.helpText = allocZeroedBlock(kHelpBlockSize);
    if (mabrel.helpText == nullptr) return kNoMemory.code;

    std::FILE* stream = mabrel.source.stream.get();
    char* line = mabrel.source.lineBuffer;
    char* text = reinterpret_cast<char*>(mabrel.helpText.get());
    std::size_t length = 0;
    ReadMark mark = markRead(stream);
    while (readPlainLine(line, kLineReadCapacity, stream) != nullptr) {
        if (isSectionHeader(line)) {
            returnToMark(stream, mark);
            break;
        }
        mark = markRead(stream);
        if (length >= kHelpTextLimit) {
            report(kHelpTooLong);
            break;
        }
        const std::size_t lineLength = std::strlen(line);
        std::memcpy(text + length, line, lineLength);
        length += lineLength;
    }
    if (length > 0) mabrel.helpSize = static_cast<uint16_t>((length + 2) & ~std::size_t{1});
    return 0;
}
