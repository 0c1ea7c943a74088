// Keyboard pictures: 16-colour BMP files turned into one bit per pixel and
// assembled into the bitmap family of resource "RT21".
#pragma once

#include <cstdint>
#include <optional>

#include "ime/mabrel_context.h"

// One picture at one bit per pixel, top row first, the leftmost pixel in the
// most significant bit; a set bit is black. Rows are rowBytes bytes (even),
// and size is rowBytes x height moved up to a multiple of 4.
struct ConvertedBitmap {
    ZeroedBlock bits;
    int32_t width = 0;
    int32_t height = 0;
    int32_t rowBytes = 0;
    int32_t size = 0;
};

// Reads and converts one BMP file; nothing after reporting 100, 101, 200,
// 300 or 301.
std::optional<ConvertedBitmap> loadBitmapFile(const char* name);

// Loads the standard picture and, when `highDensityName` is not nullptr, its
// double-size companion, and sets keyboardBitmap and bitmapSize. Returns 0,
// 301 or 200.
int loadKeyboardBitmaps(CMabrel& mabrel, const char* name, const char* highDensityName);
