// INTERIM: readInputMethodDatabase built on today's reader of CMabrel
// records, until the reader of the InputMethod record takes its place. It
// fills what the lookup console reads: the description and the code table.
#include <algorithm>
#include <cstring>

#include "ime/bit_packing.h"
#include "ime/code_buckets.h"
#include "ime/database/input_method_database.h"
#include "ime/ime_database_reader.h"

namespace {

std::string fieldText(const char* field, std::size_t size) {
    return std::string(field, strnlen(field, size));
}

std::string codeOf(const ImeHeader& h, const CodeTables& t, int entry) {
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
    CMabrel m;
    ImeDatabaseFile file;
    if (int rc = readImeDatabase(image, name, file, m)) return rc;
    const ImeHeader& h = m.header;
    im = InputMethod{};
    im.charSet = h.charSet;
    im.id = std::string(reinterpret_cast<const char*>(h.id), 4);
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
    const CodeTables& t = m.tables;
    for (int entry = 1; entry <= entryCount(t); ++entry) {
        CodeTableEntry e{codeOf(h, t, entry), {}, 0};
        const int first = h.codingStyle == 2 ? t.hzInd[entry] : entry;
        const int end = h.codingStyle == 2 ? t.hzInd[entry + 1] : entry + 1;
        for (int p = first; p < end; ++p) {
            char bytes[3] = {};
            indexToChar(h.charSet, t.hzTab[p], bytes, sizeof bytes);
            e.characters.push_back(
                {static_cast<uint8_t>(bytes[0]), static_cast<uint8_t>(bytes[1])});
        }
        im.entries.push_back(std::move(e));
    }
    return 0;
}
