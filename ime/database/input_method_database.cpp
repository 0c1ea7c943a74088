#include "ime/database/input_method_database.h"

#include "foundation/database_date.h"
#include "foundation/output_file.h"
#include "ime/database/ime_database_reader.h"
#include "ime/database/ime_resources.h"
#include "ime/messages.h"

int readInputMethodDatabase(const std::vector<uint8_t>& image, const char* name, InputMethod& im) {
    ImeDatabaseFile file;
    ImeLayout layout;
    if (int rc = readImeDatabase(image, name, file, layout)) return rc;
    im = inputMethodOf(layout);
    return 0;
}

std::vector<uint8_t> encodeInputMethodDatabase(const InputMethod& im, uint32_t date) {
    ImeLayout layout;
    if (layOutInputMethod(im, layout) != 0) return {};
    return imeDatabaseImage(layout, date);
}

int writeImeDatabase(const ImeLayout& layout, const char* path) {
    const ChosenDatabaseDate date = chooseDatabaseDate();
    if (date.epochUnusable) report(kUnusableEpoch);

    OutputFile file;
    if (int rc = file.open(path)) return rc;
    const std::vector<uint8_t> image = imeDatabaseImage(layout, date.date);
    return file.commit(image.data(), image.size());
}
