#include "phrase/messages.h"

namespace {

const Message kAllMessages[] = {FOUNDATION_MESSAGES(LIST_MESSAGE) IMPORT_MESSAGES(LIST_MESSAGE)
                                    TOSKER_MESSAGES(LIST_MESSAGE)};

const char* const kKeyNames[] = {"[Description]", nullptr,    "CharSet", "MaxPhraseLength",
                                 "[Phrase]",      "Encoding", "[Table]"};
static_assert(std::size(kKeyNames) == kToskerNoSection);

}  // namespace

std::span<const Message> toskerMessages() {
    return kAllMessages;
}

void useToskerMessages() {
    useToolMessages({kKeyNames, kToskerNoSection});
}
