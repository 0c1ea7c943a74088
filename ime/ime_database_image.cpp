// The input-method database: a resource database of type "IMEM", creator
// "dQlt", every resource with id 8888, laid out by the container
// (database_container.h). The resources, in directory and body order:
//
//   type  present when           body
//   RT11  always                 ImeHeader (ime_header.h), 256
//   RT12  display codes          2 x usedCodeCount (display_codes_resource.h)
//   RT13  a key map              120 (key_map_resource.h)
//   RT14  ruleCount > 0          ruleCount x ruleSize (rules_resource.h)
//   RT21  a keyboard bitmap      the bitmap family (keyboard_bitmap_resource.h)
//   tSTR  a help text            helpSize (help_text_resource.h)
//   RT51  the code tables        HZMap slots minHZIndex .. maxHZIndex + 1
//   RT52  repeatCount > 0        RepeatBlocks slots 0 .. repeatCount
//   RT31  the code tables        Index
//   RT41  the code tables        Bits
//   RT42  style 1                BitsRest, one zero byte added when odd
//   RT32  style 2                HZInd
//   RT33  the code tables        HZTab
// (the code tables in code_tables_resource.h)
#include "ime/ime_database_image.h"

#include <cstring>

#include "ime/help_text_resource.h"

namespace {

std::vector<uint8_t>& addResource(std::vector<DatabaseResource>& resources, const char* type) {
    DatabaseResource& resource = resources.emplace_back();
    std::memcpy(resource.type, type, sizeof resource.type);
    resource.id = kResourceId;
    return resource.body;
}

void addFrontEndResources(std::vector<DatabaseResource>& resources, const CMabrel& mabrel) {
    const ImeHeader& header = mabrel.header;
    if (!mabrel.displayCodes.empty()) {
        encodeDisplayCodes(mabrel.displayCodes, addResource(resources, "RT12"));
    }
    if (mabrel.keyMap) encodeKeyMap(*mabrel.keyMap, addResource(resources, "RT13"));
    if (header.ruleCount > 0) {
        encodeRules(mabrel.rules, header.ruleSize, addResource(resources, "RT14"));
    }
    if (mabrel.keyboardBitmap) {
        encodeKeyboardBitmap(*mabrel.keyboardBitmap, addResource(resources, "RT21"));
    }
    if (helpSize(mabrel.helpText) > 0)
        encodeHelpText(mabrel.helpText, addResource(resources, "tSTR"));
}

void addCodeTables(std::vector<DatabaseResource>& resources, const CMabrel& mabrel) {
    const ImeHeader& header = mabrel.header;
    const CodeTables& tables = mabrel.tables;
    if (tables.index.empty()) return;
    encodeHzMap(tables, header, addResource(resources, "RT51"));
    if (header.repeatCount > 0) encodeRepeatBlocks(tables, addResource(resources, "RT52"));
    encodeSlots(tables.index, addResource(resources, "RT31"));
    std::vector<uint8_t>& bits = addResource(resources, "RT41");
    bits = tables.bits;
    if (header.codingStyle == 2) {
        encodeSlots(tables.hzInd, addResource(resources, "RT32"));
    } else {
        encodeBitsRest(tables, addResource(resources, "RT42"));
    }
    encodeSlots(tables.hzTab, addResource(resources, "RT33"));
}

}  // namespace

std::vector<DatabaseResource> imeResources(const CMabrel& mabrel) {
    std::vector<DatabaseResource> resources;
    encodeImeHeader(mabrel.header, addResource(resources, "RT11"));
    addFrontEndResources(resources, mabrel);
    addCodeTables(resources, mabrel);
    return resources;
}

std::vector<uint8_t> imeDatabaseImage(const CMabrel& mabrel, uint32_t date) {
    return assembleDatabase(makeDatabaseHeader(mabrel.databaseName, "IMEM", 0, date),
                            imeResources(mabrel));
}
