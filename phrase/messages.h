// Every text that Tosker prints through report, with its message code.
#pragma once

#include <span>

#include "foundation/common_messages.h"

// Key identifiers: positions in Tosker's key-name table.
enum ToskerKey : int {
    kKeyDescription = 0,
    kKeyUnnamed,
    kKeyCharSet,
    kKeyMaxPhraseLength,
    kKeyPhrase,
    kKeyEncoding,
    kKeyTable,
    kToskerNoSection,
};

#define TOSKER_MESSAGES(X)                                                                   \
    X(kToskerBanner, 0, "Qalto phrase database maintain program, Version 2.0\n")             \
    X(kInvalidCharSetName, 0, "Invalid CharSet \"%s\"")                                      \
    X(kImportingList, 0, "Converting word list \"%s\" => text \"%s\"...\n")                  \
    X(kImportingListToDatabase, 0,                                                           \
      "Converting word list \"%s\" => "                                                      \
      "phrase database \"%s\"...\n")                                                         \
    X(kNoWords, 510, "\"%s\" holds no words Tosker can read")                                \
    X(kInputMethodTableNote, 0,                                                              \
      "Note: \"%s\" is an input-method table: Mabrel /i writes its words as a phrase list")  \
    X(kFirstCharactersReordered, 0, "%d first characters reordered")                         \
    X(kUserPhrasesAdded, 0, "%d user phrases added, %d already in the list")                 \
    X(kUserPhraseTooLong, 0, "User phrase \"%s\" passes MaxPhraseLength=%d, not added")      \
    X(kUserPhraseNotWritable, 0, "User phrase \"%s\" can't be written in %s, not added")     \
    X(kUserPhrasesUnheld, 0, "%d phrases not added, which the list can't hold")              \
    X(kPhrasesDiffer, 0, "%d phrases added, %d removed, %d moved, %d marks changed")         \
    X(kConvertingText, 0, "Converting text \"%s\" => phase database \"%s\"...\n")            \
    X(kConvertingDatabase, 0, "Converting phase database \"%s\" => text \"%s\"...\n")        \
    X(kMisfitsLeftOut, 0,                                                                    \
      "%d phrases left out: %d for full first characters, "                                  \
      "%d for full blocks")                                                                  \
    X(kPhrasesListed, 0, "The phrases left out are listed in \"%s\"")                        \
    X(kTotalPhrases, 0, "Total %d phrases")                                                  \
    X(kConvertOk, 0, "\nConvert OK.")                                                        \
    X(kPhrasesLeftOut, 0, "%d phrases left out: a character can't be written in %s")         \
    X(kUnusableEpoch, 0, "SOURCE_DATE_EPOCH is not a usable time, the current time is used") \
    X(kNoLengthSetting, 0, "No %s=?? setting, include all phrases")                          \
    X(kFitHint, 0, "Note: Tosker /f leaves out what does not fit")                           \
    X(kStartPhrases, 1, "Start coding phrase at line %d...")                                 \
    X(kCreateTempFail, 104, "Create file \"%s\" fail")                                       \
    X(kInvalidCharSet, 600, "\"%s\" is not a valid CharSet")                                 \
    X(kLengthOutOfRange, 603, "\"%s\" must >= %d and <= %d, now is %d")                      \
    X(kNoPhrase, 900, "No phrase in '%s'")                                                   \
    X(kNotPhrase, 901, "Not phrase in '%s'")                                                 \
    X(kPhraseTooLong, 902, "Phrase long in '%s'")                                            \
    X(kPhraseLongerThanSet, 902, "Phrase '%s' longer than seted, skip")                      \
    X(kDuplicatePhrase, 903, "Duplicate phrase in \"%s\"")                                   \
    X(kNoPhrases, 904, "No phrases in \"%s\" section.")                                      \
    X(kTooManyPhrases, 905, "Too many phrases begin with '%s'")                              \
    X(kTooManyPhrasesLeftOut, 905, "Too many phrases begin with '%s', phrase left out")      \
    X(kBlockTooLarge, 906, "Phrase block of '%s' too large")                                 \
    X(kBlockTooLargeLeftOut, 906, "Phrase block of '%s' too large, phrase left out")         \
    X(kPhraseLeftOut, 907, "Character \"%s\" can't be written in %s, phrase left out")

TOSKER_MESSAGES(DECLARE_MESSAGE)

// Every message Tosker can print, the foundation's included.
std::span<const Message> toskerMessages();

// The usage text, one line an entry.
std::span<const char* const> toskerUsage();

// Makes report use Tosker's fixed texts and key names.
void useToskerMessages();
