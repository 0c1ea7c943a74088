#include "ime/database/ime_resources.h"

#include <cstring>

#include "ime/database/help_text_resource.h"

namespace {

bool always(const ImeLayout&) {
    return true;
}

bool hasCodeTables(const ImeLayout& l) {
    return !l.tables.index.empty();
}

void encodeHeader(const ImeLayout& l, std::vector<uint8_t>& body) {
    encodeImeHeader(settledHeader(l), body);
}

void encodeBits(const ImeLayout& l, std::vector<uint8_t>& body) {
    body.insert(body.end(), l.tables.bits.begin(), l.tables.bits.end());
}

constexpr ImeResource kResources[] = {
    {ImeResourceKind::kHeader, "RT11", always, encodeHeader},
    {ImeResourceKind::kDisplayCodes, "RT12",
     [](const ImeLayout& l) { return !l.displayCodes.empty(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) {
         encodeDisplayCodes(l.displayCodes, body);
     }},
    {ImeResourceKind::kKeyMap, "RT13", [](const ImeLayout& l) { return l.keyMap.has_value(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeKeyMap(*l.keyMap, body); }},
    {ImeResourceKind::kRules, "RT14", [](const ImeLayout& l) { return !l.rules.records.empty(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeRules(l.rules, body); }},
    {ImeResourceKind::kKeyboardBitmap, "RT21",
     [](const ImeLayout& l) { return l.keyboardBitmap.has_value(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) {
         encodeKeyboardBitmap(*l.keyboardBitmap, body);
     }},
    {ImeResourceKind::kHelpText, "tSTR",
     [](const ImeLayout& l) { return helpSize(l.helpText) > 0; },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeHelpText(l.helpText, body); }},
    {ImeResourceKind::kHzMap, "RT51", hasCodeTables,
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeHzMap(l.tables, body); }},
    {ImeResourceKind::kRepeatBlocks, "RT52",
     [](const ImeLayout& l) { return hasCodeTables(l) && !l.tables.repeatBlocks.empty(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeRepeatBlocks(l.tables, body); }},
    {ImeResourceKind::kIndex, "RT31", hasCodeTables,
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeSlots(l.tables.index, body); }},
    {ImeResourceKind::kBits, "RT41", hasCodeTables, encodeBits},
    {ImeResourceKind::kBitsRest, "RT42",
     [](const ImeLayout& l) { return hasCodeTables(l) && l.header.codingStyle != 2; },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeBitsRest(l.tables, body); }},
    {ImeResourceKind::kHzInd, "RT32",
     [](const ImeLayout& l) { return hasCodeTables(l) && l.header.codingStyle == 2; },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeSlots(l.tables.hzInd, body); }},
    {ImeResourceKind::kHzTab, "RT33", hasCodeTables,
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeSlots(l.tables.hzTab, body); }},
};

}  // namespace

std::span<const ImeResource> imeResourceList() {
    return kResources;
}

const char* imeResourceType(ImeResourceKind kind) {
    return kResources[static_cast<int>(kind)].type;
}

std::vector<DatabaseResource> imeResources(const ImeLayout& layout) {
    std::vector<DatabaseResource> resources;
    for (const ImeResource& listed : kResources) {
        if (!listed.present(layout)) continue;
        DatabaseResource& resource = resources.emplace_back();
        std::memcpy(resource.type, listed.type, sizeof resource.type);
        resource.id = kResourceId;
        listed.encode(layout, resource.body);
    }
    return resources;
}

std::vector<uint8_t> imeDatabaseImage(const ImeLayout& layout, uint32_t date) {
    return assembleDatabase(makeDatabaseHeader(layout.databaseName, "IMEM", 0, date),
                            imeResources(layout));
}
