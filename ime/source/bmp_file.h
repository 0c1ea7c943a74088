// A keyboard picture as a 16-colour uncompressed BMP file, both ways: the
// files a source names are read into pictures (every colour but white is
// black), and the decompiler writes pictures as files (black pixels take
// palette index 0, white ones index 15 of the usual 16-colour palette).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "ime/input_method.h"

// The picture of the BMP file `image` (named `name` in messages); nothing
// after reporting what makes it no 16-colour picture.
std::optional<KeyboardPicture> decodeBmpFile(const std::vector<uint8_t>& image, const char* name);

std::vector<uint8_t> encodeBmpFile(const KeyboardPicture& picture);
