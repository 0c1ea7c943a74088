// Every text that Mabrel prints through report, with its message code.
#pragma once

#include <span>

#include "foundation/common_messages.h"

// The status of the errors that stop a run at once, printed but not
// returned by their number: a malformed value list (606), a bad code (902)
// and memory running out while the code table is coded (200).
inline constexpr int kStopStatus = 1;

// Key identifiers: positions in Mabrel's key-name table.
enum MabrelKey : int {
    kKeyDescription = 0,
    kKeyVersion,
    kKeyCopyright,
    kKeyAuthor,
    kKeyCharSet,
    kKeyId,
    kKeyFullName,
    kKeyName,
    kKeyCodingStyle,
    kKeyIndexDepth,
    kKeyNoSort,
    kKeyUsedCodes,
    kKeyTuneCodes,
    kKeyDispalyCodes,
    kKeyWildChar,
    kKeySeparateChar,
    kKeyMaxCodes,
    kKeyAutoSelectKeys,
    kKeyKeyboardBitmap,
    kKeyKeyboardBitmapHDD,
    kKeyKeyMapTable,
    kKeyRow1,
    kKeyRow2,
    kKeyRow3,
    kKeyRow4,
    kKeyRules,
    kKeyHelp,
    kKeyText,
    kKeyPhrase,
    kKeyEncoding,
    kKeyTable,
    kMabrelNoSection,
};

#define MABREL_MESSAGES(X)                                                                    \
    X(kMabrelBanner, 0, "Qalto input method maintain program, Version 2.0\n")                 \
    X(kInvalidCharSetName, 0, "Invalid CharSet \"%s\"")                                       \
    X(kConvertingText, 0, "Converting text \"%s\" => input method \"%s\"...\n")               \
    X(kConvertOk, 0, "\nConvert OK.")                                                         \
    X(kCharactersLeftOut, 0, "%d characters can't be written in %s and were left out")        \
    X(kConvertingDatabase, 0, "Converting input method \"%s\" => text \"%s\"...\n")           \
    X(kUnusableEpoch, 0, "SOURCE_DATE_EPOCH is not a usable time, the current time is used")  \
    X(kFitHint, 0, "Note: Mabrel /f leaves out what does not fit")                            \
    X(kCodesReordered, 0, "%d codes reordered")                                               \
    X(kCodesLeftOut, 0, "%d codes left out: %d for the table size, %d for the repeat blocks") \
    X(kCodesLeftOutForSize, 0, "%d codes left out: %d for the table size")                    \
    X(kCodesLeftOutForRepeats, 0, "%d codes left out: %d for the repeat blocks")              \
    X(kCodesListed, 0, "The codes left out are listed in \"%s\"")                             \
    X(kStartCoding, 1, "Start coding input method at line %d...")                             \
    X(kImportingTable, 0, "Converting table \"%s\" => input method text \"%s\"...\n")         \
    X(kImportingTableToDatabase, 0, "Converting table \"%s\" => input method \"%s\"...\n")    \
    X(kImportKept, 0, "%d single characters and %d words kept")                               \
    X(kRuleLeftOut, 0, "Rule \"%s\" left out: %s")                                            \
    X(kIdIsTableName, 0,                                                                      \
      "Note: ID %s is the table's name; give the input method an ID of its own")              \
    X(kInvalidFormat, 0, "Invalid format \"%s\"")                                             \
    X(kExporting, 0, "Writing \"%s\" => %s table \"%s\"...\n")                                \
    X(kExportWritten, 0, "%d single characters and %d phrases written")                       \
    X(kExportLeftOut, 0, "%d left out, listed in \"%s\"")                                     \
    X(kCodesDiffer, 0, "%d codes differ, %d characters added, %d removed, %d moved")          \
    X(kSourceNeedsFit, 0,                                                                     \
      "Note: \"%s\" passes %s of an input method database; compile it with Mabrel /f")        \
    X(kDrawingPictures, 0, "Drawing the keyboard pictures of \"%s\"...\n")                    \
    X(kLabelsAsKey, 0, "%d labels drawn as their key")                                        \
    X(kNoPicturesFont, 0, "Note: no keyboard pictures drawn, \"%s\" is not installed")        \
    X(kNotATable, 510, "\"%s\" is not a table Mabrel can read")                               \
    X(kNoCharacters, 510, "\"%s\" holds no characters Mabrel can use")                        \
    X(kNotBitmapFile, 300, "File \"%s\" is not a bitmap file")                                \
    X(kCompressedBitmap, 301, "Can't handle compressed bitmap file")                          \
    X(kNot16ColorBitmap, 301, "Must be 16color black and white bitmap file")                  \
    X(kBitmapLoadError, 301, "Error while loading bitmap file")                               \
    X(kBitmapWrongSize, 301, "Must be 154(width) X 54(height) or 156 X 53 bitmap file")       \
    X(kHighDensityLoadError, 301, "Error while loading High Density bitmap file")             \
    X(kHighDensityWrongSize, 301, "Must be %d(width) X %d(height) bitmap file")               \
    X(kNotImeDatabase, 400, "\"%s\" is not input method database")                            \
    X(kNotWrittenBackExactly, 404, "Resource \"%s\" can't be written back exactly")           \
    X(kPhrasesOfAnotherCharSet, 405, "\"%s\" is for another CharSet")                         \
    X(kDispalySpelling, 506, "Unknown key \"%s\" ignored, the key is spelt \"DispalyCodes\"") \
    X(kNotARule, 506, "Line \"%s\" is not a rule, ignored")                                   \
    X(kInvalidCharSet, 600, "\"%s\" is not a valid CharSet")                                  \
    X(kIdNotFourChars, 601, "Value of \"%s=%s\" must be 4 chars, now is %d")                  \
    X(kValueCountMismatch, 602, "The value count of key \"%s\" must be %d")                   \
    X(kValueZero, 603, "\"%s\" can't be zero.")                                               \
    X(kValueAboveMax, 603, "The max value of \"%s\" is %d")                                   \
    X(kValueBelowMin, 603, "The min value of \"%s\" is %d")                                   \
    X(kCodeBitsTooLong, 604, "Code bits too long, can only coding <= 4 bytes")                \
    X(kNotOneChar, 605, "The value of \"%s\" must be one char")                               \
    X(kValueFormatError, 606, "Format error, \"%s\"")                                         \
    X(kStyleInvalid, 607, "The value of \"%s=%s\" is invalid, can be %d or %d.")              \
    X(kSubtypeInvalid, 607, "The subtype value of \"%s=%s\" is invalid, can be %d,%d or %d.") \
    X(kDepthInvalid, 607, "The value of \"%s=%s\" is invalid, can be 0~2.")                   \
    X(kNoSortInvalid, 607, "The value of \"%s=%s\" is invalid, can be 0~1.")                  \
    X(kHelpTooLong, 608, "Help text too long!")                                               \
    X(kTuneCodeInvalid, 609,                                                                  \
      "The value of \"%s\" is invalid, the TuneCode should be in \"%s\" also")                \
    X(kNoPictureKey, 611, "No \"%s\" key, no picture drawn")                                  \
    X(kTooManyRowValues, 700, "Too many values in key \"%s\"")                                \
    X(kRuleCommandError, 800, "Rule command format error, \"%s=%s\"")                         \
    X(kRuleDirectionError, 800, "Rule item direction format error, \"%s=%s\"")                \
    X(kRuleHanZiNumberError, 800, "Rule item HanZi number error, \"%s=%s\"")                  \
    X(kRuleCodeNumberError, 800, "Rule item code number error, \"%s=%s\"")                    \
    X(kRuleNoWholeCode, 800, "Equal length coding can not have whole code number, \"%s=%s\"") \
    X(kRuleOnlyWholeCode, 800,                                                                \
      "Not equal length coding can only have whole code number, \"%s=%s\"")                   \
    X(kRuleTooManyItems, 800, "Too many rule elements in \"%s=%s\"")                          \
    X(kRuleTooFewItems, 801, "No enought rule element in \"%s=%s\"")                          \
    X(kTooManyRules, 802, "Too many rules in \"%s\" section")                                 \
    X(kNoValidRule, 803, "No valid key in \"%s\" section.")                                   \
    X(kDuplicateRule, 804, "Duplicate rule \"%s=%s\"")                                        \
    X(kNoCode, 900, "No code in \"%s\"")                                                      \
    X(kCodeTooLong, 902, "Code too long in \"%s\"")                                           \
    X(kCodeCharError, 902, "Error code '%c' at \"%s\"")                                       \
    X(kRepeatOverflow, 903, "Repeat block overflow")                                          \
    X(kTooManyCodes, 904, "Too many codes in \"%s\" section.")                                \
    X(kTooManyCodesLeftOut, 904, "Too many codes, \"%s %s\" left out")                        \
    X(kRepeatOverflowLeftOut, 903, "Repeat block overflow, \"%s %s\" left out")               \
    X(kDuplicateHanZi, 905, "Duplicate HanZi \"%s\" in \"%s\"")                               \
    X(kCharacterLeftOut, 907, "Character \"%s\" can't be written in %s, left out")            \
    X(kNoCoding, 906, "No coding in \"%s\" section.")

MABREL_MESSAGES(DECLARE_MESSAGE)

// Every message Mabrel can print, the foundation's included.
std::span<const Message> mabrelMessages();

// The usage text, one line an entry.
std::span<const char* const> mabrelUsage();

// Makes report use Mabrel's fixed texts and key names.
void useMabrelMessages();
