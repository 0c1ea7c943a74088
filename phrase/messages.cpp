#include "phrase/messages.h"

namespace {

const Message kAllMessages[] = {FOUNDATION_MESSAGES(LIST_MESSAGE) PHRASE_DATABASE_MESSAGES(
    LIST_MESSAGE) IMPORT_MESSAGES(LIST_MESSAGE) TOSKER_MESSAGES(LIST_MESSAGE)};

const char* const kKeyNames[] = {"[Description]", nullptr,    "CharSet", "MaxPhraseLength",
                                 "[Phrase]",      "Encoding", "[Table]"};
static_assert(std::size(kKeyNames) == kToskerNoSection);

const char* const kUsageLines[] = {
    "Usage : Tosker [/?] [SourceFilename] [DestFilename]",
    "Tosker /?                     Display this message",
    "Tosker Source.txt  Dest.pdb   Convert Source.txt to Dest.pdb",
    "Tosker /f Source.txt Dest.pdb Convert, leaving out phrases that don't fit",
    "Tosker Source.pdb  Dest.txt   Convert Source.pdb to Dest.txt",
    "Tosker /u Source.pdb Dest.txt Convert Source.pdb to UTF-8 Dest.txt",
    "Tosker /i List Dest.txt       Convert a word list to Dest.txt",
    "Tosker /i List Dest.pdb       Convert a word list to Dest.pdb",
    "Tosker /s Source              Show statistics of a .txt or .pdb",
    "Tosker /s Source Freq         Show statistics weighted by Freq",
    "Tosker /o List Freq Dest      Order phrases by Freq",
    "Tosker /s Src [Freq] Dest.htm Write the statistics as a page",
    "Tosker /d Source1 Source2     Show what differs",
    "Tosker /m List Dev.pdb Dest   Add the user phrases of Dev.pdb",
    "Note: The extension of filename must be (.TXT .PDB)",
    ".txt : Phrase source text file",
    ".pdb : Phrase PDB file",
    "Sources may be written in UTF-8",
    "---------------------------------------------------",
    ".TXT format:",
    "[Description]",
    "CharSet=ChineseGB",
    "//ChineseGB, ChineseGBK, ChineseBIG5, JapaneseJIS, JapaneseSJIS, KoreanKSC",
    "MaxPhraseLength=2",
    "//If no this key, then include all phrase, else ",
    "//include phrase less then MaxPhraseLength number DBCS",
    "[Phrase]",
    "//one phrase a line",
};

}  // namespace

std::span<const Message> toskerMessages() {
    return kAllMessages;
}

void useToskerMessages() {
    useToolMessages({kKeyNames, kToskerNoSection});
}

std::span<const char* const> toskerUsage() {
    return kUsageLines;
}
