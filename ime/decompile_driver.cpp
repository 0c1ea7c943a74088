#include "ime/decompile_driver.h"

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/file_identity.h"
#include "foundation/input_file.h"
#include "foundation/memory_guard.h"
#include "foundation/output_group.h"
#include "foundation/text_encoding.h"
#include "foundation/text_helpers.h"
#include "ime/bmp_file.h"
#include "ime/exactness_check.h"
#include "ime/ime_database_reader.h"
#include "ime/ime_source_writer.h"
#include "ime/messages.h"

namespace {

// The names the check compiles with; a picture's name changes no byte.
const PictureNames kCheckNames = {"kbd.bmp", "kbdHDD.bmp"};

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A value that the token reading of a key gives back whole, on one line.
bool standsAsToken(const std::string& value) {
    const auto control = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7F; };
    return std::none_of(value.begin(), value.end(), control) &&
           value.find("//") == std::string::npos;
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
void addPictures(const CMabrel& m, const PictureNames& names, const std::string& folder,
                 PictureFiles& check, std::vector<Output>& outputs) {
    if (!m.keyboardBitmap) return;
    const std::vector<uint8_t> standard = encodeBmpFile(m.keyboardBitmap->standard);
    check[kCheckNames.standard] = standard;
    outputs.push_back({folder + names.standard, asText(standard)});
    if (const auto& high = m.keyboardBitmap->highDensity) {
        const std::vector<uint8_t> bytes = encodeBmpFile(*high);
        check[kCheckNames.highDensity] = bytes;
        outputs.push_back({folder + names.highDensity, asText(bytes)});
    }
}

void reportInexact(const ImeDatabaseFile& file, const CMabrel& m, const PictureNames& names,
                   const PictureFiles& check, TextEncoding encoding) {
    std::vector<std::string> types =
        inexactResources(file, m, writeImeSource(m, kCheckNames, encoding), check);
    const bool namesStand =
        standsAsToken(names.standard) &&
        (!m.keyboardBitmap || !m.keyboardBitmap->highDensity || standsAsToken(names.highDensity));
    if (m.keyboardBitmap && !namesStand &&
        std::find(types.begin(), types.end(), "RT21") == types.end()) {
        types.push_back("RT21");
    }
    for (const std::string& type : types) report(kNotWrittenBackExactly, type.c_str());
}

int writeOutputs(std::vector<Output>& outputs) {
    OutputGroup group;
    for (Output& output : outputs) group.add(std::move(output.path), std::move(output.bytes));
    return group.commit();
}

int readSource(const char* name, std::vector<uint8_t>& image) {
    switch (readWholeFile(name, image)) {
        case FileRead::kRead:
            return 0;
        case FileRead::kCannotOpen:
            return report(kOpenFileFail, name);
        case FileRead::kCannotRead:
            break;
    }
    return report(kReadFileError, name);
}

// 105 when the source or one of its pictures would be written over the database.
int checkDestinations(const char* sourceName, const char* destinationName) {
    const PictureNames names = pictureNamesFor(destinationName);
    const std::string folder = folderOf(destinationName);
    for (const std::string& destination :
         {std::string(destinationName), folder + names.standard, folder + names.highDensity}) {
        if (isSameFile(destination.c_str(), sourceName)) {
            return report(kDestinationIsSource, destination.c_str());
        }
    }
    return 0;
}

// The source in UTF-8; 907 for a character that has no UTF-8 form.
int inUtf8(CharSet charSet, std::string& source) {
    CharSetConverter converter(charSet);
    std::string utf8, failed;
    if (!converter.textToUtf8(source, utf8, failed)) {
        return report(kCannotWrite, failed.c_str(), "UTF-8");
    }
    source = std::move(utf8);
    return 0;
}

int decompile(CMabrel& mabrel, const char* sourceName, const char* destinationName,
              TextEncoding encoding) {
    if (int rc = checkDestinations(sourceName, destinationName)) return rc;
    std::vector<uint8_t> image;
    if (int rc = readSource(sourceName, image)) return rc;
    ImeDatabaseFile file;
    if (int rc = readImeDatabase(image, sourceName, file, mabrel)) return rc;

    const PictureNames names = pictureNamesFor(destinationName);
    PictureFiles check;
    std::vector<Output> outputs = {{destinationName, writeImeSource(mabrel, names, encoding)}};
    if (encoding == TextEncoding::kUtf8) {
        if (int rc = inUtf8(mabrel.header.charSet, outputs[0].bytes)) return rc;
    }
    addPictures(mabrel, names, folderOf(destinationName), check, outputs);
    reportInexact(file, mabrel, names, check, encoding);
    if (int rc = writeOutputs(outputs)) return rc;
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

int decompileDatabase(CMabrel& mabrel, const char* sourceName, const char* destinationName,
                      TextEncoding encoding) {
    report(kConvertingDatabase, sourceName, destinationName);
    return runWithMemoryGuard(
        [&] { return decompile(mabrel, sourceName, destinationName, encoding); });
}
