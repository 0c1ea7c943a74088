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

Presence may(const ImeHeader&) {
    return Presence::kMay;
}

Presence mustWhen(bool must) {
    return must ? Presence::kMust : Presence::kMustNot;
}

// The reader judges the header first, for messages of its own; decoded again
// here, a body of another size is refused.
bool decodeHeader(std::span<const uint8_t> body, ImeReading& r) {
    return decodeImeHeader(body.data(), body.size(), r.layout.header);
}

bool decodeDisplayCodesOf(std::span<const uint8_t> body, ImeReading& r) {
    return decodeDisplayCodes(body.data(), body.size(), r.layout.header.usedCodeCount,
                              r.layout.displayCodes);
}

bool decodeKeyMapOf(std::span<const uint8_t> body, ImeReading& r) {
    return decodeKeyMap(body.data(), body.size(), r.layout.keyMap.emplace());
}

bool decodeRulesOf(std::span<const uint8_t> body, ImeReading& r) {
    const ImeHeader& h = r.layout.header;
    return decodeRules(body.data(), body.size(), h.ruleCount, h.ruleSize, r.layout.rules.records);
}

bool decodeKeyboardBitmapOf(std::span<const uint8_t> body, ImeReading& r) {
    return decodeKeyboardBitmap(body.data(), body.size(), r.layout.keyboardBitmap.emplace());
}

bool decodeHelpTextOf(std::span<const uint8_t> body, ImeReading& r) {
    return decodeHelpText(body.data(), body.size(), r.layout.helpText) &&
           !r.layout.helpText.empty();
}

// The code tables decode together, once every body is found (decodeCodeTables).
template <std::span<const uint8_t> CodeTableBodies::*kBody>
bool keepBody(std::span<const uint8_t> body, ImeReading& r) {
    r.tables.*kBody = body;
    return true;
}

constexpr ImeResource kResources[] = {
    {ImeResourceKind::kHeader, "RT11", always, encodeHeader,
     [](const ImeHeader&) { return Presence::kMust; }, decodeHeader},
    {ImeResourceKind::kDisplayCodes, "RT12",
     [](const ImeLayout& l) { return !l.displayCodes.empty(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) {
         encodeDisplayCodes(l.displayCodes, body);
     },
     may, decodeDisplayCodesOf},
    {ImeResourceKind::kKeyMap, "RT13", [](const ImeLayout& l) { return l.keyMap.has_value(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeKeyMap(*l.keyMap, body); }, may,
     decodeKeyMapOf},
    {ImeResourceKind::kRules, "RT14", [](const ImeLayout& l) { return !l.rules.records.empty(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeRules(l.rules, body); },
     [](const ImeHeader& h) { return mustWhen(h.ruleCount > 0); }, decodeRulesOf},
    {ImeResourceKind::kKeyboardBitmap, "RT21",
     [](const ImeLayout& l) { return l.keyboardBitmap.has_value(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) {
         encodeKeyboardBitmap(*l.keyboardBitmap, body);
     },
     may, decodeKeyboardBitmapOf},
    {ImeResourceKind::kHelpText, "tSTR",
     [](const ImeLayout& l) { return helpSize(l.helpText) > 0; },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeHelpText(l.helpText, body); }, may,
     decodeHelpTextOf},
    {ImeResourceKind::kHzMap, "RT51", hasCodeTables,
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeHzMap(l.tables, body); }, may,
     keepBody<&CodeTableBodies::hzMap>},
    {ImeResourceKind::kRepeatBlocks, "RT52",
     [](const ImeLayout& l) { return hasCodeTables(l) && !l.tables.repeatBlocks.empty(); },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeRepeatBlocks(l.tables, body); },
     may, keepBody<&CodeTableBodies::repeatBlocks>},
    {ImeResourceKind::kIndex, "RT31", hasCodeTables,
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeSlots(l.tables.index, body); }, may,
     keepBody<&CodeTableBodies::index>},
    {ImeResourceKind::kBits, "RT41", hasCodeTables, encodeBits, may,
     keepBody<&CodeTableBodies::bits>},
    // Style 1 always holds the rest table, empty or not; style 2 its HZInd.
    {ImeResourceKind::kBitsRest, "RT42",
     [](const ImeLayout& l) { return hasCodeTables(l) && l.header.codingStyle != 2; },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeBitsRest(l.tables, body); },
     [](const ImeHeader& h) { return mustWhen(h.codingStyle == 1); },
     keepBody<&CodeTableBodies::bitsRest>},
    {ImeResourceKind::kHzInd, "RT32",
     [](const ImeLayout& l) { return hasCodeTables(l) && l.header.codingStyle == 2; },
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeSlots(l.tables.hzInd, body); },
     [](const ImeHeader& h) { return mustWhen(h.codingStyle == 2); },
     keepBody<&CodeTableBodies::hzInd>},
    {ImeResourceKind::kHzTab, "RT33", hasCodeTables,
     [](const ImeLayout& l, std::vector<uint8_t>& body) { encodeSlots(l.tables.hzTab, body); }, may,
     keepBody<&CodeTableBodies::hzTab>},
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
    return assembleDatabase(makeDatabaseHeader(layout.databaseName, kImeDatabaseType, 0, date),
                            imeResources(layout));
}
