#include "ime/messages.h"

namespace {

const Message kAllMessages[] = {FOUNDATION_MESSAGES(LIST_MESSAGE) IMPORT_MESSAGES(LIST_MESSAGE)
                                    MABREL_MESSAGES(LIST_MESSAGE)};

const char* const kKeyNames[] = {
    "[Description]",  "Version",
    "Copyright",      "Author",
    "CharSet",        "ID",
    "FullName",       "Name",
    "CodingStyle",    "IndexDepth",
    "NoSort",         "UsedCodes",
    "TuneCodes",      "DispalyCodes",
    "WildChar",       "SeparateChar",
    "MaxCodes",       "AutoSelectKeys",
    "KeyboardBitmap", "KeyboardBitmapHDD",
    "[KeyMapTable]",  "Row1",
    "Row2",           "Row3",
    "Row4",           "[Rules]",
    "[Help]",         "[Text]",
    "[Phrase]",       "Encoding",
    "[Table]",
};
static_assert(std::size(kKeyNames) == kMabrelNoSection);

}  // namespace

std::span<const Message> mabrelMessages() {
    return kAllMessages;
}

void useMabrelMessages() {
    useToolMessages({kKeyNames, kMabrelNoSection});
}
