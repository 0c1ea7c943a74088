#include "ime/messages.h"

namespace {

const Message kAllMessages[] = {FOUNDATION_MESSAGES(LIST_MESSAGE) PHRASE_DATABASE_MESSAGES(
    LIST_MESSAGE) IMPORT_MESSAGES(LIST_MESSAGE) MABREL_MESSAGES(LIST_MESSAGE)};

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

const char* const kUsageLines[] = {
    "Usage: Mabrel [/?] [/CCharSet] [SourceFilename] [DestFilename]",
    "---------------------------------------------------------------",
    "Mabrel /?                     Display this message",
    "Mabrel /cChineseGB Dest.txt   Create input method text file exampler",
    "                              of ChineseGB, list DBCS",
    "Mabrel Source.txt  Dest.pdb   Convert Source.txt to Dest.pdb",
    "Mabrel /f Source.txt Dest.pdb Convert, leaving out codes that don't fit",
    "Mabrel Source.pdb  Dest.txt   Convert Source.pdb to Dest.txt",
    "Mabrel /u Source.pdb Dest.txt Convert Source.pdb to UTF-8 Dest.txt",
    "Mabrel /i Table Dest.txt      Convert a desktop input method table",
    "Mabrel /i Table Dest.pdb      Convert a desktop table to Dest.pdb",
    "Mabrel /s Source              Show statistics of a .txt or .pdb",
    "Mabrel /t Source.pdb          Look codes up, read from standard input",
    "Mabrel /eFormat Source Dest   Write for rime, fcitx5, fcitx, cin, ibus",
    "Mabrel /s Source Freq         Show statistics weighted by Freq",
    "Mabrel /o Source Freq Dest    Order candidates by Freq",
    "Mabrel /s Src [Freq] Dest.htm Write the statistics as a page",
    "Mabrel /k Source.txt          Draw the keyboard pictures",
    "Mabrel /d Source1 Source2     Show what differs",
    "---------------------------------------------------",
    "Note: The extension of filename must be (.TXT .PDB)",
    ".txt : Input method source text file",
    ".pdb : Input method PDB file",
    "Sources may be written in UTF-8",
    "CharSet must be one of (ChineseGB, ChineseGBK, ChineseBIG5,",
    "                        JapaneseJIS, JapaneseSJIS,",
    "                        KoreanKSC)",
};

}  // namespace

std::span<const Message> mabrelMessages() {
    return kAllMessages;
}

void useMabrelMessages() {
    useToolMessages({kKeyNames, kMabrelNoSection});
}

std::span<const char* const> mabrelUsage() {
    return kUsageLines;
}
