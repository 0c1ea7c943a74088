// Keyboard pictures: 16-colour BMP files turned into one bit per pixel and
// kept as the bitmap family of resource "RT21".
#pragma once

#include <optional>

#include "ime/mabrel_context.h"

// Reads and converts one BMP file, from `given` when it is not empty; nothing
// after reporting 100, 101, 200, 300 or 301.
std::optional<ConvertedBitmap> loadBitmapFile(const char* name, const PictureFiles& given = {});

// Loads the standard picture and, when `highDensityName` is not nullptr, its
// double-size companion, and sets keyboardBitmap. Returns 0 or 301.
int loadKeyboardBitmaps(CMabrel& mabrel, const char* name, const char* highDensityName);
