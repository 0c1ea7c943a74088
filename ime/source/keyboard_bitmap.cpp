// Keyboard pictures: 16-colour BMP files read whole, checked and kept as
// black-and-white pictures.
#include "ime/source/keyboard_bitmap.h"

#include <utility>
#include <vector>

#include "foundation/input_file.h"
#include "foundation/memory_guard.h"
#include "ime/messages.h"
#include "ime/source/bmp_file.h"

namespace {

// The whole file, or nothing after reporting 100 or 101.
std::optional<std::vector<uint8_t>> readBitmapFile(const char* name, const PictureFiles& given) {
    if (!given.empty()) {
        const auto found = given.find(name);
        if (found != given.end()) return found->second;
        report(kOpenFileFail, name);
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    if (readInputFile(name, bytes, kReadFileError) != 0) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<KeyboardPicture> loadBitmapFile(const char* name, const PictureFiles& given) {
    // A picture too large for memory is reported here, so that the caller's
    // message about the file follows.
    std::optional<KeyboardPicture> picture;
    runWithMemoryGuard([&] {
        const std::optional<std::vector<uint8_t>> image = readBitmapFile(name, given);
        if (image) picture = decodeBmpFile(*image, name);
        return 0;
    });
    return picture;
}

int loadKeyboardBitmaps(CMabrel& mabrel, const char* name, const char* highDensityName) {
    std::optional<KeyboardPicture> standard = loadBitmapFile(name, mabrel.pictureFiles);
    if (!standard) return report(kBitmapLoadError);
    if (!isStandardPictureSize(standard->width, standard->height)) return report(kBitmapWrongSize);

    std::optional<KeyboardPicture> high;
    if (highDensityName != nullptr) {
        high = loadBitmapFile(highDensityName, mabrel.pictureFiles);
        if (!high) return report(kHighDensityLoadError);
        if (high->width != 2 * standard->width || high->height != 2 * standard->height) {
            return report(kHighDensityWrongSize, 2 * standard->width, 2 * standard->height);
        }
    }
    mabrel.im.keyboard = KeyboardPictures{std::move(*standard), std::move(high)};
    return 0;
}
