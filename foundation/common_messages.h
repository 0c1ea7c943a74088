// Messages raised by the shared foundation itself. The codes with a fixed
// text take their text from the tool's table (report ignores any format).
#pragma once

#include "foundation/diagnostics.h"

#define FOUNDATION_MESSAGES(X)                                                  \
    X(kOpenFileFail, 100, "Open file \"%s\" fail")                              \
    X(kReadFileError, 101, "Read file \"%s\" error")                            \
    X(kWriteFileError, 102, "Write file \"%s\" error")                          \
    X(kCreateFileFail, 103, "Create file \"%s\" fail")                          \
    X(kDestinationIsSource, 105, "Destination \"%s\" is the source")            \
    X(kOutputTwice, 105, "Destination \"%s\" is another file of this run")      \
    X(kNoMemory, 200, "Not enought memory")                                     \
    X(kSectionMissing, 500, "Can't find \"%s\" section")                        \
    X(kNoKeywords, 501, "No keywords in \"%s\" section")                        \
    X(kMustSetKey, 502, "You must set \"%s=????\" key")                         \
    X(kTooManyKeywords, 503, "Too many keywords!")                              \
    X(kKeyNoValue, 504, "Key \"%s\" no value")                                  \
    X(kValueTooLong, 505, "The value of key \"%s\" too long")                   \
    X(kUnknownKey, 506, "Unknown key \"%s\" ignored")                           \
    X(kNotAKey, 506, "Line \"%s\" is not a key, ignored")                       \
    X(kInvalidEncoding, 610, "The value of \"%s=%s\" is invalid, can be UTF-8") \
    X(kCannotWrite, 907, "Character \"%s\" can't be written in %s")             \
    X(kNotUtf8, 908, "Line is not UTF-8 text")                                  \
    X(kUtf8Note, 0,                                                             \
      "Note: this line looks like UTF-8 text; write \"Encoding=UTF-8\" in [Description]")

#define DECLARE_MESSAGE(name, code, text) constexpr Message name{code, text};
#define LIST_MESSAGE(name, code, text) name,

FOUNDATION_MESSAGES(DECLARE_MESSAGE)
