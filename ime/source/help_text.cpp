#include "ime/source/help_text.h"

#include <cstring>

#include "foundation/text_helpers.h"
#include "ime/messages.h"

namespace {

// A line is appended while the text is shorter than this, so the longest
// text is 8188 + 510 bytes.
constexpr std::size_t kHelpTextLimit = 8189;

}  // namespace

int parseHelp(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyHelp)) return 0;

    SourceText& stream = mabrel.source.stream;
    char* line = mabrel.source.lineBuffer;
    std::string& text = mabrel.im.helpText;
    text.clear();
    ReadMark mark = markRead(stream);
    while (readPlainLine(line, kLineReadCapacity, stream) != nullptr) {
        if (isSectionHeader(line)) {
            returnToMark(stream, mark);
            break;
        }
        mark = markRead(stream);
        if (text.size() >= kHelpTextLimit) {
            report(kHelpTooLong);
            break;
        }
        text.append(line, std::strlen(line));
    }
    return 0;
}
