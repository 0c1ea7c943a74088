// Keyboard pictures: the 16-colour BMP files a source names, loaded as
// black-and-white pictures.
#pragma once

#include <optional>

#include "ime/mabrel_context.h"

// Reads and converts one BMP file, from `given` when it is not empty; nothing
// after reporting 100, 101, 200, 300 or 301.
std::optional<KeyboardPicture> loadBitmapFile(const char* name, const PictureFiles& given = {});

// Loads the standard picture and, when `highDensityName` is not nullptr, its
// double-size companion, into the input method's keyboard. Returns 0 or 301.
int loadKeyboardBitmaps(CMabrel& mabrel, const char* name, const char* highDensityName);
