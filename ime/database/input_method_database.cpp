#include "ime/database/input_method_database.h"

#include <utility>

#include "foundation/database_date.h"
#include "foundation/output_file.h"
#include "foundation/output_group.h"
#include "foundation/stale_list.h"
#include "ime/database/ime_database_reader.h"
#include "ime/database/ime_resources.h"
#include "ime/messages.h"

int readInputMethodDatabase(const std::vector<uint8_t>& image, const char* name, InputMethod& im) {
    ImeDatabaseFile file;
    ImeLayout layout;
    return readImeDatabase(image, name, file, layout, im);
}

int readInputMethodDatabaseFile(const char* name, InputMethod& im) {
    std::vector<uint8_t> image;
    if (int rc = readImeDatabaseImage(name, image)) return rc;
    return readInputMethodDatabase(image, name, im);
}

std::vector<uint8_t> encodeInputMethodDatabase(const InputMethod& im, uint32_t date) {
    ImeLayout layout;
    if (layOutInputMethod(im, layout) != 0) return {};
    return imeDatabaseImage(layout, date);
}

namespace {

uint32_t runDate() {
    const ChosenDatabaseDate date = chooseDatabaseDate();
    if (date.epochUnusable) report(kUnusableEpoch);
    return date.date;
}

}  // namespace

std::vector<uint8_t> datedImeDatabaseImage(const ImeLayout& layout) {
    return imeDatabaseImage(layout, runDate());
}

int writeImeDatabase(const ImeLayout& layout, const char* path) {
    const uint32_t date = runDate();
    OutputFile file;
    if (int rc = file.open(path)) return rc;
    const std::vector<uint8_t> image = imeDatabaseImage(layout, date);
    return file.commit(image.data(), image.size());
}

int writeImeDatabaseWith(const ImeLayout& layout, const char* path, const std::string& otherName,
                         std::string otherText) {
    const std::vector<uint8_t> image = datedImeDatabaseImage(layout);
    OutputGroup group;
    group.add(path, std::string(image.begin(), image.end()));
    addListOrTakeAway(group, otherName, std::move(otherText));
    return group.commit();
}
