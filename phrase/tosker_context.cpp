#include "phrase/tosker_context.h"

#include <cstring>

CTosker::CTosker() {
    std::memcpy(head.signature, kPhraseSignature, sizeof kPhraseSignature);
    head.version = kPhraseFormatVersion;
    lineNumber = 0;
    spinnerPosition = 0;
}
