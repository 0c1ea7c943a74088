// CMabrel: the one record of a Mabrel run. The passes fill its InputMethod
// from the source; the layout of the database is derived from that record
// alone. It also holds the key table and the source with its line buffer.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "foundation/key_table.h"
#include "foundation/source_reader.h"
#include "ime/input_method.h"

// Keyboard picture files given in memory, by the name a source gives them.
using PictureFiles = std::map<std::string, std::vector<uint8_t>>;

struct CMabrel {
    CMabrel();

    InputMethod im;
    CKeyTable keyTable;
    SourceReader source;
    // When not empty, the keyboard pictures are taken from here instead of
    // from files (the decompiler's check of the source it writes).
    PictureFiles pictureFiles;
    // The compile's destination, which no keyboard bitmap it reads may be.
    std::string destinationName;
    // The keyboard bitmaps the compile read, by the names the source gives,
    // which its list of what was left out may not be.
    std::vector<std::string> picturesRead;
    // When set (Mabrel /k), [Description] reads no keyboard picture: it keeps
    // the names the source gives them here, the second empty when the source
    // names no high-density picture, and stops with 611 when it names none.
    bool drawPictures = false;
    std::string pictureToDraw;
    std::string highDensityPictureToDraw;
};
