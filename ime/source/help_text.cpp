#include "ime/source/help_text.h"

#include <cstring>

#include "foundation/text_helpers.h"
#include "ime/messages.h"

namespace {

// A line is appended while the text is shorter than the first limit and
// stays within the second with it.
constexpr std::size_t kHelpTextLimit = 8189;
constexpr std::size_t kHelpTextMost = 8698;

}  // namespace

int parseHelp(CMabrel& mabrel) {
    if (!seekSection(mabrel.source, kKeyHelp)) return 0;

    SourceText& stream = mabrel.source.stream;
    std::string& text = mabrel.im.helpText;
    text.clear();
    ReadMark mark = markRead(stream);
    while (const char* line = readPlainLine(mabrel.source.lineBuffer, stream)) {
        if (isSectionHeader(line)) {
            returnToMark(stream, mark);
            break;
        }
        mark = markRead(stream);
        const std::size_t length = std::strlen(line);
        if (text.size() >= kHelpTextLimit || text.size() + length > kHelpTextMost) {
            report(kHelpTooLong);
            break;
        }
        text.append(line, length);
    }
    return 0;
}
