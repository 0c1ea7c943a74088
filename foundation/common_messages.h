// Messages raised by the shared foundation itself. The codes with a fixed
// text take their text from the tool's table (report ignores any format).
#pragma once

#include "foundation/diagnostics.h"

#define FOUNDATION_MESSAGES(X)                                                  \
    X(kParameterError, 0, "\aPARAMETER ERROR!\n")                               \
    X(kInvalidFilename, 0, "Invalid filename")                                  \
    X(kOpenFileFail, 100, "Open file \"%s\" fail")                              \
    X(kReadFileError, 101, "Read file \"%s\" error")                            \
    X(kWriteFileError, 102, "Write file \"%s\" error")                          \
    X(kCreateFileFail, 103, "Create file \"%s\" fail")                          \
    X(kDestinationIsSource, 105, "Destination \"%s\" is the source")            \
    X(kAnotherFileOfRun, 105, "Destination \"%s\" is another file of this run") \
    X(kNoMemory, 200, "Not enought memory")                                     \
    X(kVersionError, 401, "\"%s\" version error")                               \
    X(kTooManyResources, 402, "Too many resource record!")                      \
    X(kDatabaseDamaged, 403, "\"%s\" is damaged")                               \
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
    X(kNotUtf8LeftOut, 908, "Line is not UTF-8 text, left out")                 \
    X(kCannotWriteCount, 0, "%d characters can't be written in UTF-8")          \
    X(kUtf8Note, 0,                                                             \
      "Note: this line looks like UTF-8 text; write \"Encoding=UTF-8\" in [Description]")

// What a reader of phrase databases says; in the table of each tool that
// reads them.
#define PHRASE_DATABASE_MESSAGES(X)                             \
    X(kNotPhraseDatabase, 400, "\"%s\" is not phrase database") \
    X(kPhraseCountDiffers, 404, "\"%s\" holds %d phrases, its header says %d")

// What an import of a desktop table or word list prints (both tools).
#define IMPORT_MESSAGES(X)                                                                        \
    X(kYamlHeaderError, 511, "The YAML header of \"%s\" can't be read: %s")                       \
    X(kTooManyImports, 509, "\"%s\" imports more tables than can be read")                        \
    X(kLineOfFile, 0, "Note: the line is in \"%s\"")                                              \
    X(kImportFormat, 0, "Read as %s")                                                             \
    X(kImportEntries, 0, "%d entries read")                                                       \
    X(kImportWordsKept, 0, "%d words kept")                                                       \
    X(kImportWrote, 0, "Wrote \"%s\"")                                                            \
    X(kLeftNotUtf8, 0, "%d left out: line not UTF-8 text")                                        \
    X(kLeftSingleByte, 0, "%d left out: single-byte character")                                   \
    X(kLeftOutListed, 0, "The entries left out are listed in \"%s\"")                             \
    X(kWrittenFor, 0, "Written for %s: %d of %d characters")                                      \
    X(kLeftTooLong, 0, "%d left out: code or text too long")                                      \
    X(kLeftCodeNotPrintable, 0, "%d left out: code not printable ASCII without blanks")           \
    X(kLeftCodeComment, 0, "%d left out: code begins with \"//\"")                                \
    X(kLeftCodeTooLong, 0, "%d left out: code longer than 12 keys")                               \
    X(kLeftKeyBeyond, 0, "%d left out: code holds a key beyond the 63 of UsedCodes")              \
    X(kLeftRepeatedPairs, 0, "%d left out: repeated (code, character) pair")                      \
    X(kLeftOneCharacter, 0, "%d words left out: one character")                                   \
    X(kLeftWordTooLong, 0, "%d words left out: longer than 15 characters")                        \
    X(kLeftWordUnwritable, 0, "%d words left out: a character can't be written in %s")            \
    X(kLeftRepeatedWords, 0, "%d words left out: repeated")                                       \
    X(kListNeedsFit, 0, "Note: \"%s\" passes %s of a phrase database; compile it with Tosker /f") \
    X(kNeedsSqlite, 0, "Note: ibus-table databases are read through SQLite: install libsqlite3-0")

#define DECLARE_MESSAGE(name, code, text) constexpr Message name{code, text};
#define LIST_MESSAGE(name, code, text) name,

FOUNDATION_MESSAGES(DECLARE_MESSAGE)
PHRASE_DATABASE_MESSAGES(DECLARE_MESSAGE)
IMPORT_MESSAGES(DECLARE_MESSAGE)
