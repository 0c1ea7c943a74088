// The sample source, every line ended by CR LF:
//
//   lines 1 to 35  the fixed text below; line 7 names the CharSet as the
//                  CharSet table spells it
//   line 36 on     one double-byte character a line, character indexes 256
//                  to indexCount - 1 in increasing order
#include "ime/source/sample_source.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/memory_guard.h"
#include "foundation/output_file.h"
#include "foundation/text_helpers.h"
#include "ime/messages.h"
#include "ime/source/value_list.h"

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

void addLine(std::string& text, const char* line) {
    text += line;
    text += kLineEnd;
}

std::string sampleText(CharSet charSet) {
    std::string text;
    for (const char* line : kLinesBeforeCharSet) addLine(text, line);
    addLine(text, (std::string("CharSet=") + charSetName(charSet)).c_str());
    for (const char* line : kLinesAfterCharSet) addLine(text, line);

    const int count = indexCount(charSet);
    for (int index = 256; index < count; ++index) {
        char character[3];
        indexToChar(charSet, static_cast<unsigned>(index), character, sizeof character);
        addLine(text, character);
    }
    return text;
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
    return runWithMemoryGuard([&] {
        OutputFile file;
        if (int rc = file.open(destination)) return rc;
        return file.commit(sampleText(charSet));
    });
}

KeyMapRows sampleKeyMap() {
    KeyMapRows rows{};
    int row = 0;
    for (const std::string_view line : kLinesAfterCharSet) {
        if (!line.starts_with("Row")) continue;
        std::vector<ValuePair> items;
        parseValueList(std::string(line.substr(line.find('=') + 1)).c_str(), items);
        std::copy(items.begin(), items.end(), rows[row++].begin());
    }
    return rows;
}
