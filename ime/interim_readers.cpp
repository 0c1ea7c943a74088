// INTERIM: readInputMethodDatabase built on the decompiler's reader, until
// the database layout reads straight into InputMethod. Only the fields the
// statistics read are filled.
#include <algorithm>
#include <cstring>
#include <memory>

#include "foundation/char_sets.h"
#include "foundation/utf8_source.h"
#include "ime/bit_packing.h"
#include "ime/code_buckets.h"
#include "ime/code_table.h"
#include "ime/database/input_method_database.h"
#include "ime/description.h"
#include "ime/help_text.h"
#include "ime/ime_database_image.h"
#include "ime/ime_database_reader.h"
#include "ime/interim_source_reader.h"
#include "ime/key_map.h"
#include "ime/messages.h"
#include "ime/rules.h"

namespace {

constexpr SectionUse kInterimSections[] = {
    {kKeyDescription, LineUse::kRead, false, false},
    {kKeyKeyMapTable, LineUse::kRead, false, false},
    {kKeyRules, LineUse::kRead, false, false},
    {kKeyHelp, LineUse::kRead, false, true},
    {kKeyText, LineUse::kCodes, true, false},
};
constexpr Utf8Reading kInterimUtf8Reading = {kKeyDescription, kInterimSections, kCharacterLeftOut,
                                             kCharactersLeftOut, false};

std::string fieldText(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

std::string interimEntryCode(const ImeHeader& h, const CodeTables& t, int entry) {
    const uint8_t* head = t.bits.data() + entry * h.codeHeadBytes;
    if (h.codingStyle == 2) return fieldText(reinterpret_cast<const char*>(head), h.codeHeadBytes);
    WorkBuffer packed{};
    std::copy_n(head, h.codeHeadBytes, packed.begin());
    std::copy_n(t.bitsRest.begin() + entry * h.codeRestBytes, h.codeRestBytes,
                packed.begin() + h.codeHeadBytes);
    char code[kCodeFieldSize] = {};
    unpackCode(h, packed.data(), code);
    return code;
}

}  // namespace

int readInputMethodDatabase(const std::vector<uint8_t>& image, const char* name, InputMethod& im) {
    const auto read = std::make_unique<CMabrel>();
    CMabrel& mabrel = *read;
    ImeDatabaseFile file;
    if (int rc = readImeDatabase(image, name, file, mabrel)) return rc;
    const ImeHeader& h = mabrel.header;
    const CodeTables& t = mabrel.tables;
    im = InputMethod{};
    im.charSet = h.charSet;
    im.id = fieldText(reinterpret_cast<const char*>(h.id), sizeof h.id);
    im.fullName = fieldText(h.fullName, sizeof h.fullName);
    im.name = fieldText(h.name, sizeof h.name);
    im.codingStyle = h.codingStyle;
    im.codingSubtype = h.codingSubtype;
    im.indexDepth = h.indexDepth;
    im.noSort = h.noSort != 0;
    im.maxCodes = h.maxCodes;
    im.usedCodes = fieldText(h.usedCodes, sizeof h.usedCodes);
    im.tuneCodes = fieldText(h.tuneCodes, sizeof h.tuneCodes);
    im.wildChar = static_cast<char>(h.wildChar);
    im.separateChar = static_cast<char>(h.separateChar);
    im.autoSelectKeys = h.autoSelectKeys;
    for (int entry = 1; entry <= entryCount(t); ++entry) {
        CodeTableEntry& e = im.entries.emplace_back();
        e.code = interimEntryCode(h, t, entry);
        const int first = h.codingStyle == 2 ? t.hzInd[entry] : entry;
        const int end = h.codingStyle == 2 ? t.hzInd[entry + 1] : entry + 1;
        for (int p = first; p < end; ++p) {
            char bytes[3] = {};
            indexToChar(h.charSet, t.hzTab[p], bytes, sizeof bytes);
            e.characters.push_back(
                {static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1])});
        }
    }
    return 0;
}

int readInputMethodSource(CMabrel& mabrel, const char* sourceName, InputMethod& im) {
    if (!openSource(mabrel.source, sourceName)) return report(kOpenFileFail, sourceName);
    if (int rc = readUtf8Source(mabrel.source, kInterimUtf8Reading)) return rc;
    if (int rc = parseDescription(mabrel)) return rc;
    if (int rc = parseKeyMapTable(mabrel)) return rc;
    if (int rc = parseRules(mabrel)) return rc;
    if (int rc = parseHelp(mabrel)) return rc;
    if (int rc = codeTextSection(mabrel)) return rc;
    QuietReports quiet;
    return readInputMethodDatabase(imeDatabaseImage(mabrel, 0), sourceName, im);
}
