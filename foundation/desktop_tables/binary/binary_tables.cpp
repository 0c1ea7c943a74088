#include "foundation/desktop_tables/binary/binary_tables.h"

#include "foundation/common_messages.h"
#include "foundation/desktop_tables/binary/binary_formats.h"

namespace {

struct BinaryFormat {
    const char* name;
    Decoded (*decode)(std::string_view name, std::string_view bytes, TableText& text);
};

// The .mb before the .gtab: a .gtab's start is never an .mb's, though an
// .mb's bytes could pass for a .gtab's header further in.
constexpr BinaryFormat kFormats[] = {
    {"fcitx 5 .main.dict table", decodeLibimeTable}, {"fcitx 4 .mb table", decodeFcitxMb},
    {"hime/gcin .gtab table", decodeGtab},           {"SCIM binary table", decodeScimBinary},
    {"ibus-table database", decodeIbusTable},
};

}  // namespace

int decodeBinaryTable(const char* name, std::string& bytes, const char*& format) {
    for (const BinaryFormat& binary : kFormats) {
        TableText text;
        const Decoded decoded = binary.decode(name, bytes, text);
        if (decoded == Decoded::kOtherFormat) continue;
        if (decoded == Decoded::kDamaged) return report(kDatabaseDamaged, name);
        if (decoded == Decoded::kLibraryMissing) {
            const int rc = report(kOpenFileFail, name);
            report(kNeedsSqlite);
            return rc;
        }
        if (text.tooLarge()) return report(kReadFileError, name);
        bytes = std::move(text.text());
        format = binary.name;
        return 0;
    }
    return 0;
}
