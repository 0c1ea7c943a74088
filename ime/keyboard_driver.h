// Keyboard pictures drawn from what an input method says: Mabrel /k for a
// source, and the pictures an import comes with.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ime/input_method.h"
#include "ime/mabrel_context.h"

struct DrawnKeyboard {
    KeyboardPictures pictures;
    int labelsAsKey = 0;      // keys drawn as the key itself in either picture
    std::string missingFile;  // the font file or library that is not there
};

// The standard picture of `im` and, when `highDensity`, its companion.
DrawnKeyboard drawKeyboard(const InputMethod& im, bool highDensity);

// Both pictures for an import, or none after a note naming the missing font
// file; the keys drawn as themselves are counted.
std::optional<KeyboardPictures> drawImportedPictures(const InputMethod& im);

// A picture file to write: where, and its BMP bytes.
struct PictureFile {
    std::string path;
    std::string bytes;
};

// The files of `keyboard`, when there is one, beside the source
// `destination` under the names pictureNamesFor gives.
std::vector<PictureFile> pictureFilesBeside(const std::optional<KeyboardPictures>& keyboard,
                                            const char* destination);

// "/k Source.txt": the pictures the source's KeyboardBitmap and
// KeyboardBitmapHDD name, both or neither. Returns 0, or the status of the
// first failure (611 when the source names no picture).
int drawSourcePictures(CMabrel& mabrel, const char* sourceName);
