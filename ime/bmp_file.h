// A keyboard picture as a 16-colour uncompressed BMP file, the form the
// loader reads: black pixels take palette index 0, white ones index 15 of
// the usual 16-colour palette.
#pragma once

#include <cstdint>
#include <vector>

#include "ime/keyboard_bitmap_resource.h"

std::vector<uint8_t> encodeBmpFile(const ConvertedBitmap& bitmap);
