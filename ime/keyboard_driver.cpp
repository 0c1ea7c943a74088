#include "ime/keyboard_driver.h"

#include <algorithm>
#include <vector>

#include "foundation/file_identity.h"
#include "foundation/memory_guard.h"
#include "foundation/output_group.h"
#include "foundation/text_helpers.h"
#include "ime/compile_driver.h"
#include "ime/decompile_driver.h"
#include "ime/messages.h"
#include "ime/source/bmp_file.h"
#include "ime/source/keyboard_drawing.h"

namespace {

std::string pictureBmpText(const KeyboardPicture& picture) {
    const std::vector<uint8_t> bytes = encodeBmpFile(picture);
    return {bytes.begin(), bytes.end()};
}

int writeDrawnPictures(const CMabrel& mabrel, const char* sourceName,
                       const KeyboardPictures& pictures) {
    OutputGroup group;
    std::vector<std::string> names{mabrel.pictureToDraw};
    group.add(mabrel.pictureToDraw, pictureBmpText(pictures.standard));
    if (pictures.highDensity) {
        names.push_back(mabrel.highDensityPictureToDraw);
        group.add(mabrel.highDensityPictureToDraw, pictureBmpText(*pictures.highDensity));
    }
    for (const std::string& name : names) {
        if (isSameFile(name.c_str(), sourceName)) return report(kDestinationIsSource, name.c_str());
    }
    if (int rc = group.commit()) return rc;
    for (const std::string& name : names) report(kImportWrote, name.c_str());
    return 0;
}

int drawPicturesOfSource(CMabrel& mabrel, const char* sourceName) {
    mabrel.drawPictures = true;
    if (int rc = readKeyboardSections(mabrel, sourceName)) return rc;
    const DrawnKeyboard drawn = drawKeyboard(mabrel.im, !mabrel.highDensityPictureToDraw.empty());
    if (!drawn.missingFile.empty()) return report(kOpenFileFail, drawn.missingFile.c_str());
    if (int rc = writeDrawnPictures(mabrel, sourceName, drawn.pictures)) return rc;
    if (drawn.labelsAsKey > 0) report(kLabelsAsKey, drawn.labelsAsKey);
    reportRepeatedWarnings();
    report(kConvertOk);
    return 0;
}

}  // namespace

DrawnKeyboard drawKeyboard(const InputMethod& im, bool highDensity) {
    const std::vector<KeyLabel> keys = keyLabels(im);
    const std::set<char32_t> characters = labelCharacters(keys);
    DrawnKeyboard drawn;
    GlyphSet standardGlyphs;
    GlyphSet highDensityGlyphs;
    drawn.missingFile = loadStandardGlyphs(characters, standardGlyphs);
    if (drawn.missingFile.empty() && highDensity) {
        drawn.missingFile = loadHighDensityGlyphs(characters, highDensityGlyphs);
    }
    if (!drawn.missingFile.empty()) return drawn;

    std::vector<bool> asKey;
    drawn.pictures.standard = drawKeyboardPicture(keys, standardGlyphs, 1, asKey);
    if (highDensity)
        drawn.pictures.highDensity = drawKeyboardPicture(keys, highDensityGlyphs, 2, asKey);
    drawn.labelsAsKey = static_cast<int>(std::count(asKey.begin(), asKey.end(), true));
    return drawn;
}

std::optional<KeyboardPictures> drawImportedPictures(const InputMethod& im) {
    DrawnKeyboard drawn = drawKeyboard(im, true);
    if (!drawn.missingFile.empty()) {
        report(kNoPicturesFont, drawn.missingFile.c_str());
        return std::nullopt;
    }
    if (drawn.labelsAsKey > 0) report(kLabelsAsKey, drawn.labelsAsKey);
    return std::move(drawn.pictures);
}

std::vector<PictureFile> pictureFilesBeside(const std::optional<KeyboardPictures>& keyboard,
                                            const char* destination) {
    std::vector<PictureFile> files;
    if (!keyboard) return files;
    const std::string folder = folderPrefixOf(destination);
    const PictureNames names = pictureNamesFor(destination);
    files.push_back({folder + names.standard, pictureBmpText(keyboard->standard)});
    if (keyboard->highDensity) {
        files.push_back({folder + names.highDensity, pictureBmpText(*keyboard->highDensity)});
    }
    return files;
}

int drawSourcePictures(CMabrel& mabrel, const char* sourceName) {
    report(kDrawingPictures, sourceName);
    return runWithMemoryGuard([&] { return drawPicturesOfSource(mabrel, sourceName); });
}
