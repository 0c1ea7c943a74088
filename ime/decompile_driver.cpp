#include "ime/decompile_driver.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/file_identity.h"
#include "foundation/input_file.h"
#include "foundation/memory_guard.h"
#include "foundation/output_file.h"
#include "foundation/output_group.h"
#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"
#include "foundation/utf8_output.h"
#include "ime/database/ime_database_reader.h"
#include "ime/database/ime_layout.h"
#include "ime/database/ime_resources.h"
#include "ime/exactness_check.h"
#include "ime/messages.h"
#include "ime/source/bmp_file.h"
#include "ime/source/ime_source_writer.h"

namespace {

// The names the check compiles with; a picture's name changes no byte.
const PictureNames kCheckNames = {"kbd.bmp", "kbdHDD.bmp"};

// A picture's name that the token reading of a key gives back whole, on one
// line; a source in UTF-8 must also read as UTF-8.
bool standsAsToken(const std::string& value, TextEncoding encoding) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7F; };
    return std::none_of(value.begin(), value.end(), control) &&
           value.find("//") == std::string::npos &&
           (encoding != TextEncoding::kUtf8 || isUtf8(value));
}

// One output file of the run: its path and its bytes.
struct Output {
    std::string path;
    std::string bytes;
};

std::string asText(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

// The pictures (named as the source names them) and their files.
void addPictures(const InputMethod& im, const PictureNames& names, const std::string& folder,
                 PictureFiles& check, std::vector<Output>& outputs) {
    if (!im.keyboard) return;
    const std::vector<uint8_t> standard = encodeBmpFile(im.keyboard->standard);
    check[kCheckNames.standard] = standard;
    outputs.push_back({folder + names.standard, asText(standard)});
    if (const auto& high = im.keyboard->highDensity) {
        const std::vector<uint8_t> bytes = encodeBmpFile(*high);
        check[kCheckNames.highDensity] = bytes;
        outputs.push_back({folder + names.highDensity, asText(bytes)});
    }
}

void reportInexact(const ImeDatabaseFile& file, const ImeLayout& layout, const InputMethod& im,
                   const PictureNames& names, const PictureFiles& check, TextEncoding encoding) {
    std::vector<std::string> types =
        inexactResources(file, layout, im, writeImeSource(im, kCheckNames, encoding), check);
    const bool namesStand =
        standsAsToken(names.standard, encoding) &&
        (!im.keyboard || !im.keyboard->highDensity || standsAsToken(names.highDensity, encoding));
    // Pictures of a size no source gives are left out of the source.
    const bool leftOut = layout.keyboardBitmap && !im.keyboard;
    const std::string pictures(imeResourceType(ImeResourceKind::kKeyboardBitmap), 4);
    if (((im.keyboard && !namesStand) || leftOut) &&
        std::find(types.begin(), types.end(), pictures) == types.end()) {
        types.push_back(pictures);
    }
    for (const std::string& type : types) report(kNotWrittenBackExactly, type.c_str());
}

int writeOutputs(std::vector<Output>& outputs) {
    OutputGroup group;
    for (Output& output : outputs) group.add(std::move(output.path), std::move(output.bytes));
    return group.commit();
}

// 105 when the source or one of its pictures would be written over the database.
int checkDestinations(const char* sourceName, const char* destinationName) {
    const PictureNames names = pictureNamesFor(destinationName);
    const std::string folder = folderPrefixOf(destinationName);
    for (const std::string& destination :
         {std::string(destinationName), folder + names.standard, folder + names.highDensity}) {
        if (isSameFile(destination.c_str(), sourceName)) {
            return report(kDestinationIsSource, destination.c_str());
        }
    }
    return 0;
}

int decompile(const char* sourceName, const char* destinationName, TextEncoding encoding) {
    if (int rc = checkDestinations(sourceName, destinationName)) return rc;
    std::vector<uint8_t> image;
    if (int rc = readImeDatabaseImage(sourceName, image)) return rc;
    ImeDatabaseFile file;
    ImeLayout layout;
    InputMethod im;
    if (int rc = readImeDatabase(image, sourceName, file, layout, im)) return rc;

    const PictureNames names = pictureNamesFor(destinationName);
    PictureFiles check;
    std::vector<KeptBytes> fileNames;
    std::vector<Output> outputs = {
        {destinationName, writeImeSource(im, names, encoding, &fileNames)}};
    if (encoding == TextEncoding::kUtf8) {
        if (int rc = convertTextToUtf8(im.charSet, outputs[0].bytes, fileNames)) return rc;
    }
    addPictures(im, names, folderPrefixOf(destinationName), check, outputs);
    reportInexact(file, layout, im, names, check, encoding);
    if (int rc = writeOutputs(outputs)) return rc;
    reportRepeatedWarnings();
    report(kConvertOk);
    return 0;
}

}  // namespace

PictureNames pictureNamesFor(const char* destination) {
    std::string base = destination;
    const std::size_t slash = base.rfind('/');
    if (slash != std::string::npos) base = base.substr(slash + 1);
    if (base.size() >= 4 && upperCopy(base.substr(base.size() - 4).c_str()) == ".TXT") {
        base.resize(base.size() - 4);
    }
    return {base + ".bmp", base + "HDD.bmp"};
}

int decompileDatabase(const char* sourceName, const char* destinationName, TextEncoding encoding) {
    report(kConvertingDatabase, sourceName, destinationName);
    return runWithMemoryGuard([&] { return decompile(sourceName, destinationName, encoding); });
}
