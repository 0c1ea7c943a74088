// The sample source, every line ended by CR LF:
//
//   lines 1 to 35  the fixed text below; line 7 names the CharSet as the
//                  CharSet table spells it
//   line 36 on     one double-byte character a line, character indexes 256
//                  to indexCount - 1 in increasing order
#include "ime/sample_source.h"

#include <cstdio>
#include <string>

#include "foundation/source_reader.h"
#include "foundation/text_helpers.h"
#include "ime/messages.h"

namespace {

constexpr char kLineEnd[] = "\r\n";

constexpr const char* kLinesBeforeCharSet[] = {
    "",
    "//",
    "[Description]",
    "Version=Version 1.0",
    "Copyright=Copyright by your company",
    "Author=your name",
};

constexpr const char* kLinesAfterCharSet[] = {
    "ID=????",
    "FullName=PinYin input method",
    "Name=PinY",
    "CodingStyle=2",
    "UsedCodes=12345:abcdefghijklmnopqrstuvwxyz",
    "DispalyCodes=1,2,3,4,5,:,a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z",
    "WildChar=?",
    "MaxCodes=7",
    "AutoSelectKeys=4",
    "KeyboardBitmap=PYKbd.bmp",
    "KeyboardBitmapHDD=PYKbdHDD.bmp",
    "",
    "[KeyMapTable]",
    "//COl 1  2  3  4  5  6  7     8  9  10 11",
    "Row1= 1, 2, 3, 4, 5, 6, 7,    8, 9, 0, -",
    "Row2= q, w, e, r, t, y, u,    i, o, p, \\",
    "Row3= a, s, d, f, g, h, j,    k, l, ;, '",
    "Row4= z, x, c, v, b, n, m, 0x2C, ., /, ?",
    "",
    "[Rules]",
    "pa4=f10+f20+f30+f40",
    "pe2=f10+f20",
    "pe3=f10+f20+f30",
    "",
    "[Help]",
    "Write something here",
    "",
    "[Text]",
};

void writeLine(std::FILE* file, const char* text) {
    std::fputs(text, file);
    std::fputs(kLineEnd, file);
}

}  // namespace

int runSampleCommand(const char* charSetText, const char* destination) {
    const CharSet charSet = charSetFromName(charSetText);
    if (charSet == 0) {
        report(kInvalidCharSetName, charSetText);
        return kSampleParameterError;
    }
    if (!nameContains(destination, ".TXT")) {
        report(kInvalidFilename);
        return kSampleParameterError;
    }
    return writeSampleSource(charSet, destination);
}

int writeSampleSource(CharSet charSet, const char* destination) {
    FileHandle file(std::fopen(destination, "wb"));
    if (file == nullptr) return report(kCreateFileFail, destination);

    for (const char* line : kLinesBeforeCharSet) writeLine(file.get(), line);
    writeLine(file.get(), (std::string("CharSet=") + charSetName(charSet)).c_str());
    for (const char* line : kLinesAfterCharSet) writeLine(file.get(), line);

    const int count = indexCount(charSet);
    for (int index = 256; index < count; ++index) {
        char character[3];
        indexToChar(charSet, static_cast<unsigned>(index), character, sizeof character);
        std::fwrite(character, 1, 2, file.get());
        std::fputs(kLineEnd, file.get());
    }
    return 0;
}
